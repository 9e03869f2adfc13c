#pragma once

#include "games/gamerules.h"
#include "games/letterinbox.h"

#include "keyboard/keyboardmap.h"

#include <QDialog>
#include <QGraphicsScene>
#include <QLineF>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <memory>

class KeyBoardMap;

class QGraphicsView;
class QLCDNumber;
class QAbstractAnimation;
class QSequentialAnimationGroup;
class ClockTimer;

// The falling-letters game as a window: it draws the balls of its rules
// (GameRules) and forwards the throw timer and the typed keys to them.
// game1 and game2 are this game under two names, each with statics of its own.
class FallingGame : public QDialog
{
    Q_OBJECT
public:
    using Statics = GameRules::Statics;
    static constexpr int slotCount = GameRules::slotCount;

    FallingGame(const QStringList &letters, QWidget *parent);
    ~FallingGame() override;

    int score() const;
    int lost() const;
    int levelShown() const;
    const GameRules &rules() const { return *model; }
    QGraphicsScene *playfield() const { return scene; }
    ClockTimer *throwTimer() const;
    LetterInBox *ball(int slot) const { return slot >= 0 && slot < slotCount ? balls[slot] : nullptr; }
    // Ends the title splash at once, as its last animation would.
    void skipSplash();
    virtual Statics &statics() const = 0;

public slots:
    void updatescore(int ballnumber, int itemposition);
    void updatelost(int ballnumber, int lostscore);
    void deleteme(int, QPointer<LetterInBox>);
    void startgame();
    void ThrowNewBall();
    void SplashEnded();
    void SplashRemoveBall(int ballnum);
    void AfterLevelSplash();

protected:
    void setup();
    void keyReleaseEvent(QKeyEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QString text(const char *source) const;
    void buildForm();
    void drawBorders();
    void runSplash();
    LetterInBox *createBall(int slot, int size, bool noDot, const QString &letter, const QPointF &at);
    bool slotBusy(int slot) const;
    void applyLevelRule();

    QPointer<KeyBoardMap> keyMap;
    QPointer<QGraphicsScene> scene;
    QGraphicsView *view = nullptr;
    QLCDNumber *levelLcd = nullptr, *lostLcd = nullptr, *scoreLcd = nullptr;
    QLineF leftBorder, rightBorder, bottomBorder, topBorder;
    QPointer<LetterInBox> splash[11];
    QPointer<LetterInBox> balls[slotCount];
    QPointer<ClockTimer> thrower;
    QPointer<ClockTimer> splashTimer;
    QPointer<QAbstractAnimation> splashMoves, splashFades;
    int splashRemoved = 0;
    const QString splashText = "typing-game";
    QStringList trainingLetters;
    bool logged = false; // the game's activity row was written
    std::unique_ptr<GameRules> model;
    QSet<unsigned> shiftedPresses; // keys pressed while Shift was held, until released
};

class game1 : public FallingGame
{
    Q_OBJECT
public:
    game1(QStringList letters, QWidget *parent);
    Statics &statics() const override;
    // The values every game1 of the process shares.
    static Statics &sharedStatics();
};

class game2 : public FallingGame
{
    Q_OBJECT
public:
    game2(QStringList letters, QWidget *parent);
    Statics &statics() const override;
    // The values every game2 of the process shares.
    static Statics &sharedStatics();
};
