#include "app/clocktimer.h"

#include "app/clock.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace {
QList<ClockTimer *> &waiting()
{
    static QList<ClockTimer *> timers;
    return timers;
}
}

ClockTimer::ClockTimer(QObject *parent) : QObject(parent), timer(new QTimer(this))
{
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &ClockTimer::expire);
}

ClockTimer::~ClockTimer()
{
    waiting().removeAll(this);
}

void ClockTimer::setSingleShot(bool singleShot)
{
    repeating = !singleShot;
    timer->setSingleShot(singleShot);
}

void ClockTimer::start(int ms)
{
    stop();
    every = ms;
    if (!Clock::isManual()) {
        timer->start(ms);
        return;
    }
    deadline = Clock::now() + ms;
    waiting().append(this);
}

void ClockTimer::stop()
{
    timer->stop();
    deadline = -1;
    waiting().removeAll(this);
}

bool ClockTimer::isActive() const
{
    return timer->isActive() || deadline >= 0;
}

void ClockTimer::expire()
{
    if (!repeating)
        stop();
    else if (deadline >= 0)
        deadline += qMax(every, 1); // the next period, not the next advance: none is skipped
    emit timeout();
}

void ClockTimer::fireDue()
{
    // A timeout may delete or restart other timers: take one due timer at a time.
    for (;;) {
        const QList<ClockTimer *> &timers = waiting();
        const auto first = std::min_element(timers.begin(), timers.end(), [](ClockTimer *a, ClockTimer *b) {
            return a->deadline < b->deadline;
        });
        if (first == timers.end() || (*first)->deadline > Clock::now())
            return;
        (*first)->expire();
    }
}
