#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace Placement {
// The rectangle of a window of the given size centred on the primary
// screen's available area (without task bars).
QRect centred(const QSize &size);
// Sets the window's geometry to that rectangle.
void centre(QWidget *window);
}
