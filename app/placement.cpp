#include "app/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace Placement {

QRect centred(const QSize &size)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available);
}

void centre(QWidget *window)
{
    window->setGeometry(centred(window->size()));
}

QRect keptInside(const QRect &rect, const QRect &area)
{
    const int x = qMax(area.left(), qMin(rect.x(), area.right() + 1 - rect.width()));
    const int y = qMax(area.top(), qMin(rect.y(), area.bottom() + 1 - rect.height()));
    return QRect(QPoint(x, y), rect.size());
}

void keepOnScreen(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        window->move(keptInside(frame, screen->availableGeometry()).topLeft());
}
}
