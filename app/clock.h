#pragma once

#include <QtGlobal>

// Monotonic milliseconds for measuring reading and typing times. Tests move
// it forward instead of waiting.
namespace Clock {
qint64 now();
void advance(qint64 ms);
// Tests stop the clock: it then moves only by advance().
void setManual(bool manual);
bool isManual();
}

// Elapsed time since the last restart, read from Clock.
class Stopwatch
{
public:
    Stopwatch() { restart(); }
    void restart() { started = Clock::now(); }
    qint64 elapsed() const { return Clock::now() - started; }

private:
    qint64 started = 0;
};
