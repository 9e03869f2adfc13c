#pragma once

#include <QString>

class QGraphicsEllipseItem;
class QGraphicsScene;
class QGraphicsView;

// The hand pictures that show which finger types a key.
namespace Fingers {

enum class Variant { FingerGuide, LessonViewer };

// Draws the picture into the scene (mirrored left-to-right for mirror -1),
// fits it into the view and marks the finger with a circle. Returns the
// circle drawn, if any.
QGraphicsEllipseItem *drawHand(Variant variant, const QString &path, int mirror, int finger,
                               QGraphicsView *view, QGraphicsScene *scene);
}
