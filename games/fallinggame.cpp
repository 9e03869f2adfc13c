#include "games/fallinggame.h"

#include "app/clocktimer.h"
#include "app/screenfit.h"
#include "games/gamerecord.h"
#include "keyboard/keyboardmap.h"
#include "keyboard/scancode.h"
#include "store/dbstuff.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QLabel>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>

game1::game1(QStringList letters, QWidget *parent) : FallingGame(letters, parent)
{
    setup();
}

FallingGame::Statics &game1::statics() const
{
    return sharedStatics();
}

FallingGame::Statics &game1::sharedStatics()
{
    static Statics shared;
    return shared;
}

game2::game2(QStringList letters, QWidget *parent) : FallingGame(letters, parent)
{
    setup();
}

FallingGame::Statics &game2::statics() const
{
    return sharedStatics();
}

FallingGame::Statics &game2::sharedStatics()
{
    static Statics shared;
    return shared;
}

FallingGame::FallingGame(const QStringList &letters, QWidget *parent) : QDialog(parent), trainingLetters(letters) {}

FallingGame::~FallingGame() = default;

// Runs once the class's statics are reachable (after the base constructor).
void FallingGame::setup()
{
    buildForm();
    keyMap = new KeyBoardMap(1, this);
    keyMap->hide();
    scene = new QGraphicsScene(this);
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    view->setScene(scene);
    scene->setSceneRect(0, 0, view->width() - 100, view->height() - 100);
    drawBorders();
    model = std::make_unique<GameRules>(trainingLetters, statics(), int(scene->sceneRect().bottom()));
    model->reset();
    scoreLcd->display(0);
    lostLcd->display(0);
    levelLcd->display(0);
    installEventFilter(this);
    runSplash();
}

QString FallingGame::text(const char *source) const
{
    return QCoreApplication::translate(metaObject()->className(), source);
}

void FallingGame::buildForm()
{
    setObjectName(metaObject()->className());
    setFixedSize(817, 569);
    setWindowTitle(text(QT_TRANSLATE_NOOP("game1", "game1")));
    auto *grid = new QGridLayout(this);
    // The fixed window leaves 42 px under the fixed view for the counters.
    grid->setContentsMargins(8, 0, 8, 2);
    grid->setVerticalSpacing(0);
    view = new QGraphicsView;
    view->setObjectName("graphicsView");
    view->setFixedSize(800, 527);
    view->setFocusPolicy(Qt::NoFocus);
    view->setRenderHint(QPainter::Antialiasing);
    grid->addWidget(view, 0, 0, 1, 6);
    auto counter = [&](const char *caption, const char *name, int digits, int column) {
        auto *label = new QLabel(text(caption));
        QFont f = label->font();
        f.setPointSize(20);
        label->setFont(f);
        auto *number = new QLCDNumber(digits);
        number->setObjectName(name);
        grid->addWidget(label, 1, column, Qt::AlignRight);
        grid->addWidget(number, 1, column + 1, Qt::AlignLeft);
        return number;
    };
    levelLcd = counter(QT_TRANSLATE_NOOP("game1", "LEVEL"), "level", 2, 0);
    levelLcd->setFrameShape(QFrame::Box);
    levelLcd->setMinimumWidth(80);
    lostLcd = counter(QT_TRANSLATE_NOOP("game1", "LOST"), "lost", 3, 2);
    scoreLcd = counter(QT_TRANSLATE_NOOP("game1", "SCORE"), "score", 4, 4);
    // On a small screen the view gives up its margin around the playfield
    // (the scene is made from the designed view size and keeps it).
    const QSize designed = size(), designedView = view->size();
    ScreenFit::install(
        this,
        [this, designed, designedView](const QSize &fitted) {
            view->setFixedSize(designedView - (designed - fitted));
            setFixedSize(fitted);
        },
        designed - (designedView - QSize(702, 429)));
}

void FallingGame::drawBorders()
{
    const QRectF r = scene->sceneRect();
    leftBorder = QLineF(r.topLeft(), r.bottomLeft());
    rightBorder = QLineF(r.topRight(), r.bottomRight());
    bottomBorder = QLineF(r.bottomLeft(), r.bottomRight());
    topBorder = QLineF(r.topLeft(), r.topRight());
    for (const QLineF &line : {leftBorder, rightBorder, bottomBorder})
        scene->addLine(line, QPen(Qt::red));
    const int bottom = int(r.bottom());
    for (int y : {0, bottom / 4, bottom / 2, 3 * bottom / 4, bottom})
        scene->addLine(0, y, -20, y);
}

LetterInBox *FallingGame::createBall(int slot, int size, bool noDot, const QString &letter, const QPointF &at)
{
    auto *ball = new LetterInBox(slot);
    ball->setData(0, "spirit");
    ball->setData(1, slot);
    ball->setData(2, letter);
    ball->setSize(size);
    ball->setAngle(0);
    ball->setText(letter);
    ball->setPos(at);
    ball->setNoDot(noDot);
    return ball;
}

void FallingGame::runSplash()
{
    auto *moves = new QSequentialAnimationGroup(this);
    auto *fades = new QSequentialAnimationGroup(this);
    for (int i = 0; i < splashText.size(); ++i) {
        LetterInBox *letter = createBall(i, 60, true, QString(splashText[i]), QPointF(50 * i, 0));
        splash[i] = letter;
        scene->addItem(letter);
        auto *move = new QPropertyAnimation(letter, "pos");
        move->setEndValue(QPointF(70 + 50 * i, 150));
        move->setDuration(200);
        move->setEasingCurve(QEasingCurve::OutElastic);
        moves->addAnimation(move);
        auto *fade = new QPropertyAnimation(letter, "opacity");
        fade->setEndValue(0.0);
        fade->setDuration(400);
        fade->setEasingCurve(QEasingCurve::OutQuad);
        fades->addAnimation(fade);
    }
    connect(fades, &QAbstractAnimation::finished, this, &FallingGame::SplashEnded);
    splashMoves = moves;
    splashFades = fades;
    moves->start(QAbstractAnimation::DeleteWhenStopped);
    fades->start(QAbstractAnimation::DeleteWhenStopped);
}

void FallingGame::skipSplash()
{
    for (QAbstractAnimation *animation : {splashMoves.data(), splashFades.data()})
        if (animation) {
            animation->disconnect(this);
            animation->stop();
        }
    SplashEnded();
}

void FallingGame::SplashEnded()
{
    for (const QPointer<LetterInBox> &letter : splash)
        if (letter) {
            connect(letter.data(), &LetterInBox::Removed, this, &FallingGame::SplashRemoveBall);
            letter->stopAndRemoved();
        }
}

void FallingGame::SplashRemoveBall(int ballnum)
{
    if (ballnum < 0 || ballnum >= splashText.size() || !splash[ballnum])
        return;
    LetterInBox *letter = splash[ballnum];
    disconnect(letter, &LetterInBox::Removed, this, &FallingGame::SplashRemoveBall);
    if (scene)
        scene->removeItem(letter);
    letter->deleteLater();
    ++splashRemoved;
    if (splashRemoved == splashText.size() && model->level() < 2)
        startgame();
}

ClockTimer *FallingGame::throwTimer() const
{
    return thrower;
}

void FallingGame::startgame()
{
    model->start();
    levelLcd->display(model->level());
    if (!thrower) {
        thrower = new ClockTimer(this);
        thrower->setSingleShot(false);
        connect(thrower.data(), &ClockTimer::timeout, this, &FallingGame::ThrowNewBall);
    }
    thrower->start(model->interval());
    ThrowNewBall();
}

bool FallingGame::slotBusy(int slot) const
{
    for (QGraphicsItem *item : scene->items())
        if (item->data(0).toString() == "spirit" && item->data(1).toInt() == slot)
            return true;
    return false;
}

void FallingGame::ThrowNewBall()
{
    if (!scene)
        return;
    QString letter;
    const int slot = model->nextThrow([this](int s) { return slotBusy(s); }, &letter);
    if (slot < 0)
        return;
    LetterInBox *ball = createBall(slot, 60, false, letter, QPointF(40 + 90 * slot, 30));
    balls[slot] = ball;
    scene->addItem(ball);
    ball->startDrop();
    connect(ball, &LetterInBox::ScoreChanged, this, &FallingGame::updatescore);
    connect(ball, &LetterInBox::LostChanged, this, &FallingGame::updatelost);
    connect(ball, &LetterInBox::DeleteMeFromScene, this, &FallingGame::deleteme);
    applyLevelRule();
}

void FallingGame::applyLevelRule()
{
    if (!model->applyLevelRule())
        return;
    levelLcd->display(model->level());
    if (thrower)
        thrower->start(model->interval());
}

void FallingGame::AfterLevelSplash()
{
    if (splashTimer)
        splashTimer->stop();
    if (thrower)
        thrower->start(model->interval());
}

void FallingGame::updatescore(int ballnumber, int itemposition)
{
    if (!model->hit(ballnumber, itemposition))
        return;
    scoreLcd->display(model->score());
    if (auto *ball = qobject_cast<LetterInBox *>(sender()))
        disconnect(ball, &LetterInBox::ScoreChanged, this, &FallingGame::updatescore);
}

void FallingGame::updatelost(int ballnumber, int lostscore)
{
    if (!model->lose(ballnumber, lostscore))
        return;
    lostLcd->display(model->lost());
    if (auto *ball = qobject_cast<LetterInBox *>(sender()))
        disconnect(ball, &LetterInBox::LostChanged, this, &FallingGame::updatelost);
}

void FallingGame::deleteme(int, QPointer<LetterInBox>) {}

int FallingGame::score() const
{
    return model->score();
}

int FallingGame::lost() const
{
    return model->lost();
}

int FallingGame::levelShown() const
{
    return levelLcd->intValue();
}

void FallingGame::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats press/release pairs: only the real release is a hit.
    if (!keyMap || !scene || event->isAutoRepeat())
        return;
    const unsigned scanCode = ScanCodes::fromEvent(event);
    // Shift + key types the key's Shift caption, also when Shift is let go
    // a moment before the key.
    const bool shifted = shiftedPresses.remove(scanCode) || (event->modifiers() & Qt::ShiftModifier);
    const QString typed = keyMap->keyTextForScanCode(scanCode, event->key(), shifted);
    if (typed.isEmpty())
        return;
    LetterInBox *lowest = nullptr;
    int lowestY = 0;
    for (QGraphicsItem *item : scene->items(Qt::DescendingOrder)) {
        if (item->data(0).toString() != "spirit" || item->data(2).toString() != typed)
            continue;
        auto *ball = static_cast<LetterInBox *>(item->toGraphicsObject());
        if (!ball || ball->isDying())
            continue;
        if (!lowest || int(ball->y()) > lowestY) {
            lowest = ball;
            lowestY = int(ball->y());
        }
    }
    if (lowest)
        lowest->setHit(true);
}

void FallingGame::keyPressEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat() && (event->modifiers() & Qt::ShiftModifier))
        shiftedPresses.insert(ScanCodes::fromEvent(event));
}

bool FallingGame::eventFilter(QObject *, QEvent *)
{
    return false;
}

void FallingGame::closeEvent(QCloseEvent *event)
{
    // The game ends here, however it is closed: its row is written once.
    const QStringList row = logged ? QStringList() : GameRecord::row(model->hits(), lost(), model->level(), trainingLetters);
    if (!row.isEmpty())
        dB_Stuff().logActivity(row[0], row[1], row[2], row[3], row[4], row[5], row[6]);
    logged = true;
    done(QDialog::Accepted);
    event->accept();
}
