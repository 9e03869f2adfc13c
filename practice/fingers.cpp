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
struct Entry {
    signed char finger;
    signed char hand;
};
const Entry L4{4, Left}, L3{3, Left}, L2{2, Left}, L1{1, Left};
const Entry R1{1, Right}, R2{2, Right}, R3{3, Right}, R4{4, Right};

const Entry row1[] = {L4, L4, L3, L2, L2, L1, R1, R1, R2, R3, R3, R4, R4};
const Entry row2[] = {L4, L3, L2, L1, L1, L1, R1, R2, R3, R4, R4, R4};
const Entry row3[] = {L4, L3, L2, L1, L1, R1, R1, R2, R3, R4, R4, R4};
const Entry row4[] = {L4, L3, L2, L2, L1, R1, R1, R1, R2, R3, R4};

// Fingertips of a right hand seen from above, in a 600 x 800 reference picture.
const QPoint referencePoints[] = {{150, 93}, {300, 98}, {420, 147}, {534, 198}};
}

void assign(int row, int column, int &finger, int &hand)
{
    const Entry *rows[] = {row1, row2, row3, row4};
    const int lengths[] = {13, 12, 12, 11};
    if (row >= 1 && row <= 4) {
        if (column == 0) {
            hand = Left;
        } else if (column > lengths[row - 1]) {
            hand = Right;
        } else if (column > 0) {
            finger = rows[row - 1][column - 1].finger;
            hand = rows[row - 1][column - 1].hand;
        }
    } else if (row == 5 && column == 5) {
        finger = Thumb;
        hand = Left;
    }
}

QColor colour(int finger)
{
    static const char *const names[] = {"#859399", "#f07598", "#409ec9", "#94ba6d", "#FFF000", "#00FF00"};
    return finger >= 1 && finger <= 6 ? QColor(names[finger - 1]) : QColor();
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

    if (finger == 0 || pw == 0 || ph == 0)
        return nullptr;
    const QPen pen(Qt::black, 1);
    const int sx = 600 / pw, sy = 800 / ph;
    QGraphicsEllipseItem *circle = nullptr;
    if (finger >= 1 && finger <= 4 && sx > 0 && sy > 0 && (finger != 1 || path.contains("hand3d1s.jpg"))) {
        const QPoint ref = referencePoints[finger - 1];
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
        circle = scene->addEllipse(QRectF(corner, QSizeF(20, 20)), pen, QBrush(colour(finger)));
    }
    if (finger == 1 && path.contains("hand_fingers.png"))
        circle = scene->addEllipse(mirror == -1 ? QRectF(vw - 55, 20, 20, 20) : QRectF(35, 20, 20, 20), pen,
                                   QBrush(colour(1)));
    return circle;
}
}
