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
// The rectangle moved (not resized) the least so that it lies inside area;
// a rectangle wider or taller than the area keeps its top-left in it.
QRect keptInside(const QRect &rect, const QRect &area);
// Moves the window wholly into the available area of the screen it is on.
void keepOnScreen(QWidget *window);
}
