#pragma once

#include <QColor>
#include <QString>

class QGraphicsEllipseItem;
class QGraphicsScene;
class QGraphicsView;

// Which finger of which hand types a key, and the hand pictures that show it.
namespace Fingers {

enum Finger { Thumb = 0, Index = 1, Middle = 2, Ring = 3, Little = 4 };
enum Hand { Left = 0, Right = 1 };

// Finger and hand for a key position; outputs the table does not cover are
// left unchanged (a column past the row's end sets only the right hand,
// column 0 only the left).
void assign(int row, int column, int &finger, int &hand);

// Colour of fingers 1-4, the Shift key (5) and the Ctrl key (6); invalid otherwise.
QColor colour(int finger);

enum class Variant { FingerGuide, LessonViewer };

// Draws the picture into the scene (mirrored left-to-right for mirror -1),
// fits it into the view and marks the finger with a circle. Returns the
// circle drawn, if any.
QGraphicsEllipseItem *drawHand(Variant variant, const QString &path, int mirror, int finger,
                               QGraphicsView *view, QGraphicsScene *scene);
}
