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
}
