#include "practice/handview.h"

#include "practice/fingers.h"
#include "practice/handpicture.h"

#include <QCloseEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QVBoxLayout>

HandView::HandView(QWidget *parent, int x, int y, int width, int height) : QWidget(parent)
{
    setGeometry(x, y, width, height);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::CustomizeWindowHint |
                   Qt::WindowDoesNotAcceptFocus);
    auto *layout = new QVBoxLayout(this);
    // Fixed margins keep the view 200 px wide, which the circle placement assumes.
    layout->setContentsMargins(10, 10, 10, 10);
    setWindowTitle(tr("Finger for last mistake"));
    auto *label = new QLabel(windowTitle());
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
    scene = new QGraphicsScene(this);
    graphicsView = new QGraphicsView;
    graphicsView->setFocusPolicy(Qt::NoFocus);
    graphicsView->setFrameShape(QFrame::NoFrame);
    graphicsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    graphicsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(graphicsView);
    hide();
}

void HandView::SLOT_showhandinpop(int mirror, int finger)
{
    if (finger == 0 || !scene || !graphicsView)
        return;
    scene->clear();
    circle = Fingers::drawHand(Fingers::Variant::FingerGuide, ":/images/hand3d1s.jpg", mirror, finger,
                               graphicsView, scene);
}

void HandView::Show(bool showa)
{
    setVisible(showa);
    emit handwindowvisiblestate(showa);
}

void HandView::moveit(int x, int y)
{
    move(x, y);
}

void HandView::resizeit(int w, int h)
{
    resize(w, h);
}

void HandView::CloseHand()
{
    deleteLater();
}

void HandView::closeEvent(QCloseEvent *event)
{
    // A close by hand hides the window: say so, or the next mistake would not show it again.
    emit handwindowvisiblestate(false);
    emit IGetDestroyed();
    event->accept();
}

void HandView::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

void HandView::keyReleaseEvent(QKeyEvent *event)
{
    event->ignore();
}
