#pragma once

#include <QRect>

// Gives the primary screen another size and work area for as long as it
// lives, as a task bar or a second monitor does on a desktop; the offscreen
// platform's own screen has no task bar.
class ScreenArea
{
public:
    ScreenArea(const QRect &geometry, const QRect &available);
    ~ScreenArea();
    ScreenArea(const ScreenArea &) = delete;
    ScreenArea &operator=(const ScreenArea &) = delete;

private:
    static void set(const QRect &geometry, const QRect &available);
    QRect oldGeometry, oldAvailable;
};
