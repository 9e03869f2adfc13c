#include "practice/handview.h"

#include "app/placement.h"
#include "practice/fingers.h"
#include "practice/handpicture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGraphicsEllipseItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int shiftKeyColour = 5; // Fingers::colour's slot of the Shift key
}

HandView::HandView(QWidget *parent, int x, int y, int width, int height) : QWidget(parent)
{
    setGeometry(x, y, width, height);
    baseHeight = height;
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
    graphicsView = pictureView();
    layout->addWidget(graphicsView);
    // The Shift key's name as the keyboards show it: this hand holds it.
    shiftLabel = new QLabel(QCoreApplication::translate("Lessons", "SHIFT"));
    shiftLabel->setAlignment(Qt::AlignHCenter);
    layout->addWidget(shiftLabel);
    shiftScene = new QGraphicsScene(this);
    shiftView = pictureView();
    layout->addWidget(shiftView);
    shiftLabel->hide();
    shiftView->hide();
    hide();
}

// Both pictures are drawn for a view of this size (see Fingers::drawHand).
QGraphicsView *HandView::pictureView()
{
    auto *pictureView = new QGraphicsView;
    pictureView->setFixedSize(200, 190);
    pictureView->setFocusPolicy(Qt::NoFocus);
    pictureView->setFrameShape(QFrame::NoFrame);
    pictureView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pictureView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return pictureView;
}

// Finger 0 is the thumb (the space bar); a finger outside 0..4 shows the hand
// without a circle, so no earlier mistake's finger stays on it.
void HandView::SLOT_showhandinpop(int mirror, int finger)
{
    if (!scene || !graphicsView)
        return;
    scene->clear();
    circle = Fingers::drawHand(Fingers::Variant::FingerGuide, ":/images/hand3d1s.jpg", mirror, finger,
                               graphicsView, scene);
}

void HandView::showShiftHand(int mirror)
{
    const bool shown = mirror != 0;
    shiftLabel->setVisible(shown);
    shiftView->setVisible(shown);
    shiftScene->clear();
    shiftCircle = nullptr;
    if (shown) {
        shiftCircle = Fingers::drawHand(Fingers::Variant::FingerGuide, ":/images/hand3d1s.jpg", mirror,
                                        Fingers::Little, shiftView, shiftScene);
        if (shiftCircle)
            shiftCircle->setBrush(Fingers::colour(shiftKeyColour));
    }
    layout()->activate();
    resize(width(), qMax(baseHeight, minimumSizeHint().height()));
    if (!shown)
        resize(width(), baseHeight);
    Placement::keepOnScreen(this);
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
    baseHeight = h;
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
