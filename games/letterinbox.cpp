#include "games/letterinbox.h"

#include "app/clocktimer.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

LetterInBox::LetterInBox(int ballNumber) : number(ballNumber)
{
    angle = QRandomGenerator::global()->bounded(-45, 45);
}

QRectF LetterInBox::boundingRect() const
{
    return QRectF(0, 0, diameter, diameter);
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
        dropTimer = new ClockTimer(this);
        dropTimer->setSingleShot(false);
        connect(dropTimer.data(), &ClockTimer::timeout, this, &LetterInBox::dropdown_slot);
    }
    dropTimer->start(interval);
}

void LetterInBox::stopAndRemoved()
{
    if (dropTimer)
        dropTimer->stop();
    emit Removed(number);
}

void LetterInBox::stopTimers()
{
    if (dropTimer)
        dropTimer->stop();
    if (killTimer)
        killTimer->stop();
}

void LetterInBox::dropdown_slot()
{
    RotateObject(); // the ball rocks while it falls
    const bool touching = scene() && !collidingItems(Qt::IntersectsItemShape).isEmpty();
    const BallFlight::Move move = flight.tick(int(pos().y()), touching);
    switch (move.step) {
    case BallFlight::Step::Lost:
        if (dropTimer)
            dropTimer->stop();
        setHit(false);
        return;
    case BallFlight::Step::Stopped:
        if (dropTimer)
            dropTimer->stop();
        break;
    default:
        break;
    }
    setY(move.y);
}

void LetterInBox::setHit(bool byPlayer)
{
    if (dying)
        return;
    dying = true;
    playerHit = byPlayer;
    update();
    if (!killTimer) {
        killTimer = new ClockTimer(this);
        killTimer->setSingleShot(false);
        connect(killTimer.data(), &ClockTimer::timeout, this, &LetterInBox::killme_slot);
    }
    killTimer->start(killInterval);
}

// One frame of vanishing: the ball shrinks (announced, so the old area is
// repainted) and reports its hit or loss; after three it leaves the scene.
void LetterInBox::killme_slot()
{
    if (!dying || finished)
        return;
    ++killFrames;
    setSize(int(diameter * 0.75));
    if (playerHit)
        emit ScoreChanged(number, int(pos().y()));
    else
        emit LostChanged(number, 1);
    if (killFrames < 3)
        return;
    stopTimers();
    finished = true;
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

QColor LetterInBox::letterColour() const
{
    return dying && !playerHit ? QColor(Qt::white) : QColor(Qt::black);
}

QPainterPath LetterInBox::letterShape() const
{
    if (cachedFor == letter && cachedDiameter == diameter)
        return letterCache;
    QFont font("Baghdad");
    font.setPixelSize(qMax(1, int((diameter / 2) / 0.58)));
    QPainterPath text;
    text.addText(0, 0, font, letter);
    const QRectF ink = text.boundingRect();
    // The ink's corners stay within nine tenths of the radius: long
    // captions and letters with tails shrink to fit, none touches the rim.
    const double halfDiagonal = std::hypot(ink.width() / 2, ink.height() / 2);
    const double scale = halfDiagonal > 0 ? qMin(1.0, 0.45 * diameter / halfDiagonal) : 1.0;
    const QPointF centre = boundingRect().center();
    const QTransform place =
        QTransform().translate(centre.x(), centre.y()).scale(scale, scale).translate(-ink.center().x(), -ink.center().y());
    letterCache = place.map(text);
    cachedFor = letter;
    cachedDiameter = diameter;
    return letterCache;
}

void LetterInBox::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
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
    const QRectF rim = boundingRect().adjusted(0.5, 0.5, -0.5, -0.5); // the pen's stroke stays inside
    QPainterPath ball;
    ball.addEllipse(rim);
    if (!noDot) // a small dot, cut out of the ball inside its rim at the lower right
        ball.addEllipse(QRectF(0.7 * diameter, 0.7 * diameter, diameter / 8, diameter / 8));
    painter->fillPath(ball, fill);
    painter->setPen(QPen(Qt::black, 1));
    painter->drawEllipse(rim);
    painter->fillPath(letterShape(), letterColour());
}

void LetterInBox::mousePressEvent(QGraphicsSceneMouseEvent *)
{
    setHit(true);
}

void LetterInBox::mouseReleaseEvent(QGraphicsSceneMouseEvent *)
{
    startDrop(200);
}
