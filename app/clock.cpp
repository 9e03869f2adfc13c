#include "app/clock.h"

#include <QElapsedTimer>

namespace Clock {
namespace {
qint64 offset = 0;
const QElapsedTimer &base()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}
}

qint64 now()
{
    return base().elapsed() + offset;
}

void advance(qint64 ms)
{
    offset += ms;
}
}
