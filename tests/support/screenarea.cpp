#include "tests/support/screenarea.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

// What a platform plugin reports when the work area changes. It belongs to
// Qt's platform interface (qpa/qwindowsysteminterface.h), which Debian ships
// only with the private headers; these two functions are all we need of it.
class Q_GUI_EXPORT QWindowSystemInterface
{
public:
    static void handleScreenGeometryChange(QScreen *screen, const QRect &newGeometry,
                                           const QRect &newAvailableGeometry);
    static bool flushWindowSystemEvents(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
};

ScreenArea::ScreenArea(const QRect &geometry, const QRect &available)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    oldGeometry = screen->geometry();
    oldAvailable = screen->availableGeometry();
    set(geometry, available);
}

ScreenArea::~ScreenArea()
{
    set(oldGeometry, oldAvailable);
}

void ScreenArea::set(const QRect &geometry, const QRect &available)
{
    QWindowSystemInterface::handleScreenGeometryChange(QGuiApplication::primaryScreen(), geometry, available);
    QWindowSystemInterface::flushWindowSystemEvents();
}
