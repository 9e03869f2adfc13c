#include "games/letterinbox.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QRandomGenerator>

LetterInBox::LetterInBox(int ballNumber) : number(ballNumber)
{
    born.start();
    angle = QRandomGenerator::global()->bounded(-45, 45);
}

QRectF LetterInBox::boundingRect() const
{
    return QRectF(0, 0, diameter, diameter);
}

QPainterPath LetterInBox::outline() const
{
    QPainterPath path;
    path.addEllipse(boundingRect());
    if (!noDot)
        path.addEllipse(QRectF(diameter, 2 * diameter, diameter / 8, diameter / 8));
    return path;
}

QPainterPath LetterInBox::shape() const
{
    QPainterPath path;
    path.addEllipse(boundingRect());
    return path;
}

void LetterInBox::setSize(int size)
{
    prepareGeometryChange();
    diameter = size;
    applyAngle();
}

void LetterInBox::setAngle(double value)
{
    angle = value;
    applyAngle();
}

void LetterInBox::applyAngle()
{
    const QPointF centre = boundingRect().center();
    setTransform(QTransform().translate(centre.x(), centre.y()).rotate(angle).translate(-centre.x(), -centre.y()));
}

void LetterInBox::setText(const QString &text)
{
    letter = text;
    update();
}

void LetterInBox::setNoDot(bool value)
{
    noDot = value;
}

void LetterInBox::startDrop(int interval)
{
    if (!dropTimer) {
        dropTimer = new QTimer(this);
        connect(dropTimer.data(), &QTimer::timeout, this, &LetterInBox::dropdown_slot);
    }
    dropTimer->start(interval);
}

void LetterInBox::stopAndRemoved()
{
    if (dropTimer)
        dropTimer->stop();
    emit Removed(number);
}

void LetterInBox::dropdown_slot()
{
    ++tick;
    const float v = startSpeed + direction * gravity * tick * tickLength / 1000.0f;
    const bool touching = scene() && !collidingItems(Qt::IntersectsItemShape).isEmpty();
    if (!touching) {
        lastY = int(pos().y());
        if (direction > 0) {
            if (v > 1000 && dropTimer)
                dropTimer->stop();
            setY(int(lastY + 0.1f * v));
        } else {
            setY(int(lastY - 0.1f * v));
            if (lastY <= floorY - bounceHeight) {
                direction = 1.0f;
                tick = 0;
            }
        }
        return;
    }
    tick = 0;
    direction = -1.0f;
    startSpeed = int(v);
    if (!impactSeen) {
        impactSeen = true;
        impactTime = born.elapsed();
    }
    if (bounces < 3) {
        setY(floorY - 30 * bounces);
        ++bounces;
        bounceHeight /= 2;
    } else {
        if (dropTimer)
            dropTimer->stop();
        setHit(false);
    }
}

void LetterInBox::setHit(bool byPlayer)
{
    if (dying)
        return;
    dying = true;
    playerHit = byPlayer;
    update();
    if (!killTimer) {
        killTimer = new QTimer(this);
        connect(killTimer.data(), &QTimer::timeout, this, &LetterInBox::killme_slot);
    }
    killTimer->start(killInterval);
}

void LetterInBox::killme_slot()
{
    ++killFrames;
    update();
    if (killFrames < 3)
        return;
    if (dropTimer)
        dropTimer->stop();
    if (killTimer)
        killTimer->stop();
    if (scene())
        scene()->removeItem(this);
    if (born.elapsed() >= 500) {
        emit DeleteMeFromScene(number, QPointer<LetterInBox>(this));
        emit Removed(number);
    }
    // Out of the scene, the ball is never used again: free it, young or old.
    deleteLater();
}

void LetterInBox::RotateObject()
{
    if (swingUp) {
        angle += 3;
        if (angle >= 45)
            swingUp = false;
    } else {
        angle -= 3;
        if (angle <= -45)
            swingUp = true;
    }
    applyAngle();
}

void LetterInBox::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    if (!swingClock.isValid() || swingClock.elapsed() > 40) {
        swingClock.start();
        RotateObject();
    }
    if (dying && !finished) {
        diameter = int(diameter * 0.75);
        if (playerHit)
            emit ScoreChanged(number, int(pos().y()));
        else
            emit LostChanged(number, 1);
        if (int((diameter / 2) / 0.58) == 0) {
            if (dropTimer)
                dropTimer->stop();
            if (killTimer)
                killTimer->stop();
            disconnect();
            finished = true;
            return;
        }
    }
    const bool lost = dying && !playerHit;
    QLinearGradient fill(0, 0, 40, 30);
    if (lost) {
        fill.setColorAt(0.0, QColor(0, 0, 9));
        fill.setColorAt(0.6, QColor(0, 1, 0));
        fill.setColorAt(0.9, QColor(255, 255, 244));
        fill.setColorAt(1.0, QColor(0, 0, 0));
    } else {
        fill.setColorAt(0.0, QColor(235, 0, 9));
        fill.setColorAt(0.3, QColor(215, 132, 10));
        fill.setColorAt(0.9, QColor(205, 255, 255));
        fill.setColorAt(1.0, QColor(180, 214, 56));
    }
    const QPainterPath path = outline();
    painter->fillPath(path, fill);
    painter->drawPath(path);
    // The size is taken in pixels: as points the letter would spill out of
    // the ball on screens of 96 dpi and more.
    QFont font("Baghdad");
    font.setPixelSize(qMax(1, int((diameter / 2) / 0.58)));
    painter->setFont(font);
    painter->setPen(QPen(lost ? Qt::white : Qt::red, 1));
    painter->drawText(boundingRect(), Qt::AlignCenter, letter);
}

void LetterInBox::mousePressEvent(QGraphicsSceneMouseEvent *)
{
    setHit(true);
}

void LetterInBox::mouseReleaseEvent(QGraphicsSceneMouseEvent *)
{
    startDrop(200);
}
