#include "app/screenfit.h"

#include "app/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

ScreenFit *ScreenFit::install(QWidget *window, Shrink shrink, const QSize &minimum)
{
    return new ScreenFit(window, std::move(shrink), minimum);
}

ScreenFit::ScreenFit(QWidget *watched, Shrink shrinkTo, const QSize &least)
    : QObject(watched), window(watched), shrink(std::move(shrinkTo)), designed(watched->size()), minimum(least)
{
    window->installEventFilter(this);
}

void ScreenFit::fit()
{
    if (!window)
        return;
    const QRect frame = window->frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize border = frame.size() - window->size();
    if (shrink) {
        const QSize wanted = designed.boundedTo(area.size() - border).expandedTo(minimum);
        if (wanted != window->size())
            shrink(wanted);
    }
    const QRect now(frame.topLeft(), window->size() + border);
    const QPoint inside = Placement::keptInside(now, area).topLeft();
    if (inside != now.topLeft())
        window->move(inside);
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window) {
        if (event->type() == QEvent::Show) {
            awaitingFrame = true;
            fit();
        } else if (event->type() == QEvent::Move && awaitingFrame) {
            // The first move after showing is the window manager framing it.
            awaitingFrame = false;
            fit();
        }
    }
    return QObject::eventFilter(watched, event);
}
