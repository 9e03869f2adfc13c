#include "app/resources.h"

#include <QtGlobal>

static void initHarforaResources()
{
    Q_INIT_RESOURCE(harfora);
}

namespace Resources {
void registerAll()
{
    static bool done = false;
    if (!done) {
        initHarforaResources();
        done = true;
    }
}
}
