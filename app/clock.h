#pragma once

#include <QtGlobal>

// Monotonic milliseconds for measuring reading and typing times. Tests move
// it forward instead of waiting.
namespace Clock {
qint64 now();
void advance(qint64 ms);
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
