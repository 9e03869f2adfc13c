#include "practice/handpicture.h"

#include "practice/fingers.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPen>
#include <QPixmap>

namespace Fingers {

namespace {
// Fingertips of a right hand seen from above, in a 600 x 800 reference
// picture: thumb (drawn by the finger guide only), index, middle, ring, little.
const QPoint referencePoints[] = {{87, 388}, {150, 93}, {300, 98}, {420, 147}, {534, 198}};
// The space bar's thumb has no colour among the keys' finger colours.
const QColor thumbColour(0xe0, 0x7b, 0x39);

bool drawsCircle(Variant variant, const QString &path, int finger)
{
    if (finger == 0)
        return variant == Variant::FingerGuide;
    return finger >= 1 && finger <= 4 && (finger != 1 || path.contains("hand3d1s.jpg"));
}
}

QGraphicsEllipseItem *drawHand(Variant variant, const QString &path, int mirror, int finger,
                               QGraphicsView *view, QGraphicsScene *scene)
{
    QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (mirror == -1)
        image = image.mirrored(true, false);
    const QPixmap pixmap = QPixmap::fromImage(image);
    scene->addPixmap(pixmap);
    const int pw = pixmap.width(), ph = pixmap.height();
    const int vw = view->width(), vh = view->height();
    if (!path.contains("hand3d1s"))
        scene->addPixmap(pixmap.scaled(scene->sceneRect().size().toSize(), Qt::KeepAspectRatio,
                                       Qt::SmoothTransformation));
    view->fitInView(QRectF(0, 0, vw, vh), Qt::KeepAspectRatio);
    view->setScene(scene);

    if (pw == 0 || ph == 0)
        return nullptr;
    const QPen pen(Qt::black, 1);
    const int sx = 600 / pw, sy = 800 / ph;
    QGraphicsEllipseItem *circle = nullptr;
    if (sx > 0 && sy > 0 && drawsCircle(variant, path, finger)) {
        const QPoint ref = referencePoints[finger];
        QPointF corner;
        if (variant == Variant::FingerGuide) {
            const int offset = (vw - pw) * sx + 18;
            corner = mirror == -1 ? QPointF(pw - ref.x() / sx, ref.y() / sy)
                                  : QPointF(ref.x() / sx - offset, ref.y() / sy);
        } else {
            const double fx = sx, fy = sy;
            const int offset = qRound((vw - pw) * fx + 10);
            corner = mirror == -1 ? QPointF(pw - ref.x() / fx, ref.y() / fy)
                                  : QPointF(ref.x() / fx - offset, ref.y() / fy);
        }
        circle = scene->addEllipse(QRectF(corner, QSizeF(20, 20)), pen,
                                   QBrush(finger == 0 ? thumbColour : colour(finger)));
    }
    if (finger == 1 && path.contains("hand_fingers.png"))
        circle = scene->addEllipse(mirror == -1 ? QRectF(vw - 55, 20, 20, 20) : QRectF(35, 20, 20, 20), pen,
                                   QBrush(colour(1)));
    return circle;
}
}
