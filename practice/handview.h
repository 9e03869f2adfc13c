#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPointer>
#include <QWidget>

class QGraphicsEllipseItem;
class QLabel;
class QGraphicsScene;
class QGraphicsView;

// The small window beside the practice window that shows which finger
// should have typed the last wrong key. It never takes the keyboard focus.
class HandView : public QWidget
{
    Q_OBJECT
public:
    HandView(QWidget *parent, int x, int y, int width, int height);
    QGraphicsEllipseItem *lastCircle() const { return circle; }
    QGraphicsView *view() const { return graphicsView; }
    // The little finger on Shift, while a Shift-layer character was missed.
    QGraphicsEllipseItem *shiftHandCircle() const { return shiftCircle; }
    bool showsShiftHand() const { return shiftView->isVisibleTo(this); }

public slots:
    void SLOT_showhandinpop(int mirror, int finger);
    void Show(bool showa);
    // Also shows the hand that holds Shift (by its mirror); 0 hides it.
    void showShiftHand(int mirror);
    void moveit(int x, int y);
    void resizeit(int w, int h);
    void CloseHand();

signals:
    void IGetDestroyed();
    void handwindowvisiblestate(bool);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    static QGraphicsView *pictureView();

    QPointer<QGraphicsScene> scene;
    QPointer<QGraphicsView> graphicsView;
    QGraphicsEllipseItem *circle = nullptr;
    QLabel *shiftLabel;
    QGraphicsScene *shiftScene;
    QGraphicsView *shiftView;
    QGraphicsEllipseItem *shiftCircle = nullptr;
    int baseHeight;
};
