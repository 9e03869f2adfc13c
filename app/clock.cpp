#include "app/clock.h"

#include "app/clocktimer.h"

#include <QElapsedTimer>

namespace Clock {
namespace {
qint64 offset = 0;
bool manualTime = false;
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
    return (manualTime ? 0 : base().elapsed()) + offset;
}

void setManual(bool manual)
{
    offset = now();
    manualTime = manual;
}

bool isManual()
{
    return manualTime;
}

void advance(qint64 ms)
{
    offset += ms;
    ClockTimer::fireDue();
}
}
