#include "app/resources.h"

#include <QImageReader>
#include <QPixmap>

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

QIcon pngIcon(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false); // else each plugin is asked, even for a named format
    return QIcon(QPixmap::fromImage(reader.read()));
}
}
