#pragma once

#include <QElapsedTimer>
#include <QGraphicsObject>
#include <QPointer>
#include <QTimer>

// One letter in a ball: it falls, bounces on the floor a few times and
// vanishes, unless the player hits it first.
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
    bool isDying() const { return dying; }
    bool isFinished() const { return finished; }
    bool hitByPlayer() const { return playerHit; }
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
    QPainterPath outline() const;

    QElapsedTimer born;
    QPointer<QTimer> dropTimer;
    int number;
    QString letter;
    int diameter = 60;
    QPointer<QTimer> killTimer;
    QElapsedTimer swingClock;
    double angle = 0;
    bool dying = false;
    bool playerHit = false;
    int killFrames = 0;
    bool swingUp = true;
    bool finished = false;
    int tick = 0;
    float direction = 1.0f;
    int startSpeed = 10;
    int floorY = 385;
    int lastY = 0;
    int bounces = 0;
    float gravity = 9.8f;
    int bounceHeight = 200;
    float tickLength = 50.0f;
    bool noDot = false;
    int killInterval = 20;
    bool impactSeen = false;
    qint64 impactTime = 0;
};
