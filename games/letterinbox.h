#pragma once

#include "app/clock.h"
#include "games/ballflight.h"

#include <QColor>
#include <QGraphicsObject>
#include <QPainterPath>
#include <QPointer>

class ClockTimer;

// One letter in a ball, drawn from its flight (BallFlight): it falls,
// bounces on the floor a few times and vanishes, unless the player hits it
// first. Everything it paints lies inside its bounding rectangle.
class LetterInBox : public QGraphicsObject
{
    Q_OBJECT
public:
    explicit LetterInBox(int ballNumber);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    void setSize(int size);
    void setAngle(double angle);
    void setText(const QString &text);
    void setNoDot(bool noDot);
    QString text() const { return letter; }
    int ballNumber() const { return number; }
    int size() const { return diameter; }
    int bounces() const { return flight.bounces(); }
    bool isDying() const { return dying; }
    bool isFinished() const { return finished; }
    bool hitByPlayer() const { return playerHit; }
    // The letter as drawn: scaled to fit inside the ball, centred on it.
    QPainterPath letterShape() const;
    QColor letterColour() const;
    void setHit(bool byPlayer);
    void startDrop(int interval = 50);
    void stopAndRemoved();

signals:
    void ScoreChanged(int ballnum, int score);
    void LostChanged(int ballnum, int lostscore);
    void DeleteMeFromScene(int ballnumber, QPointer<LetterInBox> Me);
    void Removed(int ballnumber);

public slots:
    void killme_slot();
    void RotateObject();
    void dropdown_slot();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void applyAngle();
    void stopTimers();

    Stopwatch born;
    QPointer<ClockTimer> dropTimer;
    int number;
    QString letter;
    int diameter = 60;
    QPointer<ClockTimer> killTimer;
    double angle = 0;
    bool dying = false;
    bool playerHit = false;
    int killFrames = 0;
    bool swingUp = true;
    bool finished = false;
    bool noDot = false;
    int killInterval = 20;
    BallFlight flight;
    mutable QPainterPath letterCache; // letterShape() for cachedFor
    mutable QString cachedFor;
    mutable int cachedDiameter = 0;
};
