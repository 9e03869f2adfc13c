#include "app/clock.h"
#include "app/clocktimer.h"
#include "app/translate.h"
#include "games/fallinggame.h"
#include "games/gameselectionwindow.h"
#include "games/gamespacewindow.h"
#include "keyboard/keyboardmap.h"
#include "keyboard/keyids.h"
#include "mainmenu/harforamain.h"
#include "store/passwordhash.h"
#include "tests/store/storefixture.h"
#include "tests/support/screenarea.h"
#include "tests/support/testsupport.h"

#include <QCheckBox>
#include <QGraphicsView>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <functional>

class TestGames : public QObject
{
    Q_OBJECT
    QTemporaryDir *home = nullptr;
    MessageRecorder *recorder = nullptr;

    // Three hits at the top of the playfield: 12 points, level 2 at the next throw.
    static void reachLevelTwo(FallingGame &game)
    {
        for (int slot = 0; slot < 3; ++slot)
            game.updatescore(slot, 0);
    }
    static int shown(FallingGame &game, const char *counter) { return game.findChild<QLCDNumber *>(counter)->intValue(); }
    static int ballsInPlay(FallingGame &game)
    {
        int n = 0;
        for (QGraphicsItem *item : game.playfield()->items())
            n += item->data(0).toString() == "spirit" ? 1 : 0;
        return n;
    }
    // Closes the modal game as soon as it runs.
    static void closeGameWhenShown(QString *className)
    {
        QTimer::singleShot(0, [className] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                *className = modal->metaObject()->className();
                modal->close();
            }
        });
    }

    // Plays on the test clock in steps of 10 ms (the game's timers follow
    // it) and paints what changed the way the window system asks for it:
    // incrementally. The event loop is not run, posted events are.
    static void playFor(qint64 ms, const std::function<void(qint64)> &eachSecond)
    {
        for (qint64 t = 0; t < ms; t += 10) {
            Clock::advance(10);
            if (t % 1000 == 0)
                eachSecond(t);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    static QImage playfieldOnScreen(FallingGame &game)
    {
        QWidget *viewport = game.findChild<QGraphicsView *>()->viewport();
        const QRect area(viewport->mapTo(&game, QPoint(0, 0)), viewport->size());
        return game.screen()->grabWindow(game.winId(), area.x(), area.y(), area.width(), area.height()).toImage();
    }

private slots:
    void initTestCase()
    {
        home = new QTemporaryDir;
        freshProfile(*home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        recorder = new MessageRecorder;
        translate::applyLanguage("AR_ar_AR");
        Clock::setManual(true); // a ball's age moves only when a test says so
    }
    void cleanupTestCase()
    {
        delete recorder;
        delete home;
    }

    void slotsAndCycles()
    {
        game1 game({"ش"}, nullptr);
        game.skipSplash();
        QCOMPARE(game.levelShown(), 1);
        QCOMPARE(game.throwTimer()->interval(), 2000);
        QCOMPARE(ballsInPlay(game), 1);
        for (int i = 1; i < 7; ++i)
            game.ThrowNewBall();
        for (int slot = 0; slot < 7; ++slot) {
            QVERIFY(game.ball(slot));
            QCOMPARE(game.ball(slot)->pos(), QPointF(40 + 90 * slot, 30));
            QCOMPARE(game.ball(slot)->text(), QString("ش"));
        }
        LetterInBox *first = game.ball(0);
        game.ThrowNewBall(); // slot 0 still falling: skipped, a new cycle begins
        QCOMPARE(game.rules().cycle(), 2);
        QCOMPARE(game.ball(0), first);
        QCOMPARE(game1::sharedStatics().nextSlot, 0);
        game.playfield()->removeItem(first);
        game.ThrowNewBall();
        QVERIFY(game.ball(0) != first);
        QCOMPARE(game1::sharedStatics().nextSlot, 1);
        delete first;
    }

    // The level rule is the class's: game2 keeps statics of its own, the
    // thrower and the counters follow the rules.
    void levelAndCountersShown()
    {
        game2 game({"ش"}, nullptr);
        game.skipSplash();
        reachLevelTwo(game);
        game.updatelost(4, 1);
        game.ThrowNewBall();
        QCOMPARE(game.levelShown(), 2);
        QCOMPARE(game2::sharedStatics().level, 2);
        QCOMPARE(game.throwTimer()->interval(), 1000);
        QCOMPARE(game1::sharedStatics().throwInterval, 2000); // game1 keeps its own
        QCOMPARE(shown(game, "score"), 12);
        QCOMPARE(shown(game, "lost"), 1);
    }

    void typedLetterHitsTheLowestBall()
    {
        game1 game({"ش"}, nullptr);
        game.show();
        game.skipSplash();
        game.ThrowNewBall();
        game.ThrowNewBall();
        game.ball(0)->setY(200);
        game.ball(1)->setY(300);
        game.ball(2)->setY(300);
        TestSupport::releaseX11(&game, 38); // the A key: ش
        QVERIFY(!game.ball(0)->isDying());
        QVERIFY(game.ball(1)->isDying() != game.ball(2)->isDying());
        TestSupport::releaseX11(&game, 39); // س: no ball carries it
        QVERIFY(!game.ball(0)->isDying());
        LetterInBox *hit = game.ball(1)->isDying() ? game.ball(1) : game.ball(2);
        hit->killme_slot(); // its first frame of vanishing scores it
        QCOMPARE(game.score(), 2);
    }

    // Shift + key hits the ball of the key's Shift caption, the key alone
    // the ball of its plain caption (لا too, one stroke), on both layouts.
    void layersHitTheirBalls_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("shifted");
        for (const char *language : {"AR_ar_AR", "AR_ar_EG"})
            for (const char *key : {"R3_6", "R4_6", "R4_11", "R1_2", "R3_12"})
                for (bool shifted : {false, true})
                    QTest::addRow("%s %s%s", language, shifted ? "Shift_" : "", key) << language << key << shifted;
    }
    void layersHitTheirBalls()
    {
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(bool, shifted);
        translate::applyLanguage(language);
        const QString plain = Keys::caption(Keys::Layer::Plain, key), shift = Keys::caption(Keys::Layer::Shift, key);
        QVERIFY(plain != shift && !shift.trimmed().isEmpty());
        game1 game({shifted ? shift : plain, shifted ? plain : shift}, nullptr);
        game.show();
        game.skipSplash();
        game.ThrowNewBall();
        LetterInBox *wanted = game.ball(0)->text() == (shifted ? shift : plain) ? game.ball(0) : game.ball(1);
        LetterInBox *other = wanted == game.ball(0) ? game.ball(1) : game.ball(0);
        QCOMPARE(other->text(), shifted ? plain : shift);
        const unsigned keycode = TestSupport::x11KeycodeForScanCode(Keys::scanCodeForKeyId(key));
        if (shifted)
            TestSupport::typeShiftedX11(&game, keycode);
        else
            TestSupport::typeX11(&game, keycode);
        translate::applyLanguage("AR_ar_AR");
        QVERIFY(wanted->isDying());
        QVERIFY(!other->isDying());
    }

    void heldKeyHitsOneBall()
    {
        game1 game({"ش"}, nullptr);
        game.show();
        game.skipSplash();
        game.ThrowNewBall();
        game.ThrowNewBall();
        for (int i = 0; i < 3; ++i)
            game.ball(i)->setY(100 + 50 * i);
        // Holding the A key (ش): X11 repeats release/press pairs flagged as auto-repeat.
        for (int repeat = 0; repeat < 3; ++repeat)
            for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
                QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, 38, 0, 0, QString(), true);
                QApplication::sendEvent(&game, &event);
            }
        for (int i = 0; i < 3; ++i)
            QVERIFY(!game.ball(i)->isDying());
        TestSupport::releaseX11(&game, 38);
        QVERIFY(game.ball(2)->isDying());
        QVERIFY(!game.ball(0)->isDying() && !game.ball(1)->isDying());
    }

    // A finished game leaves one row with what was hit and lost; a game
    // closed before any ball was hit or lost leaves none.
    void finishedGameIsLogged()
    {
        Store::currentUser = "user1";
        Inspector db(Store::usersDbPath);
        const QString before = db.value("SELECT count(*) FROM activitylog WHERE topic = 'Game'");
        {
            game1 idle({"ش"}, nullptr);
            idle.close();
        }
        QCOMPARE(db.value("SELECT count(*) FROM activitylog WHERE topic = 'Game'"), before);
        game1 game({"ش", " "}, nullptr);
        game.skipSplash();
        reachLevelTwo(game);
        game.updatelost(3, 1);
        game.close();
        game.close();
        const QList<QStringList> rows =
            db.rows("SELECT username, log1, log2, log3, log4, log5 FROM activitylog WHERE topic = 'Game'");
        QCOMPARE(rows.size(), before.toInt() + 1);
        QCOMPARE(rows.last(), (QStringList{passwordHash("user1"), "falling", "3", "1",
                                           QString::number(game.rules().level()), "ش %0020"}));
    }

    void secondGameStartsAtLevelOne()
    {
        {
            game1 first({"ش"}, nullptr);
            first.skipSplash();
            reachLevelTwo(first);
            first.ThrowNewBall();
            QCOMPARE(game1::sharedStatics().level, 2);
            first.close();
        }
        game1 second({"ش"}, nullptr);
        second.show();
        QCOMPARE(game1::sharedStatics().level, 1);
        QCOMPARE(game1::sharedStatics().throwInterval, 2000);
        second.skipSplash();
        QVERIFY(second.throwTimer() && second.ball(0));
        QCOMPARE(second.throwTimer()->interval(), 2000);
        QCOMPARE(second.levelShown(), 1);
    }

    // A ball leaves the scene and is freed after three frames of vanishing,
    // young or old; only one at least 500 ms old reports its removal.
    void removedBallsAreFreed_data()
    {
        QTest::addColumn<int>("age");
        QTest::addColumn<int>("reports");
        QTest::newRow("young") << 499 << 0;
        QTest::newRow("old") << 500 << 1;
    }
    void removedBallsAreFreed()
    {
        QFETCH(int, age);
        QFETCH(int, reports);
        game1 game({"ش"}, nullptr);
        game.skipSplash();
        QPointer<LetterInBox> ball = game.ball(0);
        QSignalSpy removed(ball.data(), &LetterInBox::Removed);
        Clock::advance(age);
        ball->setHit(true);
        for (int frame = 0; frame < 3; ++frame)
            ball->killme_slot();
        QVERIFY(!ball->scene());
        QCOMPARE(removed.count(), reports);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!ball);
    }

    // Ten minutes of falling, bouncing, hit and lost balls, now and then
    // painted whole (the window uncovered): what is on the screen is always
    // what a fresh painting of the field gives, and at the end the empty field.
    void playfieldStaysCleanForTenMinutes()
    {
        game1 game({"ش"}, nullptr);
        game.show();
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        game.skipSplash();
        QWidget *viewport = game.findChild<QGraphicsView *>()->viewport();
        QStringList stale;
        auto compareWithFreshPainting = [&](qint64 t) {
            QCoreApplication::sendPostedEvents(); // what changed so far is painted
            const QImage shown = playfieldOnScreen(game);
            viewport->repaint();
            if (shown.isNull() || shown != playfieldOnScreen(game))
                stale << QString::number(t / 1000);
        };
        playFor(10 * 60 * 1000, [&](qint64 t) {
            if ((t / 1000) % 3 == 0)
                TestSupport::releaseX11(&game, 38); // the A key: ش, the lowest ball is hit
            if (t % 60000 == 0)
                viewport->update(); // uncovered
            else if (t % 60000 == 2000)
                compareWithFreshPainting(t);
        });
        QVERIFY2(game.score() > 100 && game.lost() > 10, "balls hit and lost");
        game.throwTimer()->stop();
        playFor(20 * 1000, [](qint64) {});
        QCOMPARE(ballsInPlay(game), 0);
        compareWithFreshPainting(620000);
        QVERIFY2(stale.isEmpty(), qPrintable(QString("stale paint at %1 s").arg(stale.join(", "))));
    }

    void chooserKeyDialogClosedWithoutStarting_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("closed") << false;
        QTest::newRow("escape") << true;
    }
    void chooserKeyDialogClosedWithoutStarting()
    {
        QFETCH(bool, escape);
        HarforaMain menu(nullptr);
        auto *chooser = new GameSelectionWindow(10, 10, 0, nullptr);
        QObject::connect(chooser, &GameSelectionWindow::showTypingmain, &menu, &HarforaMain::showme);
        chooser->show();
        chooser->findChild<QPushButton *>("gamebutton1")->click();
        QVERIFY(!chooser->isVisible());
        QVERIFY(chooser->keyDialog()->isVisible());
        QCOMPARE(chooser->keyDialog()->gameType(), 1);
        if (escape) {
            // Escape as X11 sends it: evdev 1 + 8, keysym XK_Escape.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, 9, 0xff1b, 0);
            QApplication::sendEvent(chooser->keyDialog(), &press);
        } else {
            chooser->keyDialog()->close();
        }
        QVERIFY(!chooser->keyDialog()->isVisible());
        QVERIFY(chooser->isVisible());
        QVERIFY(menu.isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        delete chooser;
    }

    void chooserRunsGame2AndReportsAfterIt()
    {
        auto *chooser = new GameSelectionWindow(10, 10, 0, nullptr);
        chooser->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<GameSelectionWindow> guard = chooser;
        QSignalSpy report(chooser, &GameSelectionWindow::SendGameSelectionBackToTypingMain);
        chooser->show();
        chooser->findChild<QPushButton *>("gamebutton2")->click();
        KeyBoardMap *keys = chooser->keyDialog();
        keys->findChild<QPushButton *>("PushButton_R3_4")->click();
        QString shown;
        closeGameWhenShown(&shown);
        keys->findChild<QPushButton *>("StartButton")->click(); // runs the game modally
        QCOMPARE(shown, QString("game2"));
        QCOMPARE(report.count(), 1);
        QCOMPARE(report.first().at(0).toInt(), 2);
        QCOMPARE(report.first().at(1).toStringList(), QStringList{"ب"});
        QCoreApplication::processEvents(); // the queued close
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guard); // closed and deleted after the accepted game
    }

    void dragging()
    {
        GameSelectionWindow chooser(100, 100, 0, nullptr);
        chooser.show();
        const QPoint start = chooser.pos();
        auto drag = [&](Qt::MouseButton button) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(60, 100), QPointF(160, 200), button, button, Qt::NoModifier);
            QApplication::sendEvent(&chooser, &press);
            QMouseEvent move(QEvent::MouseMove, QPointF(90, 120), QPointF(190, 220), Qt::NoButton, button, Qt::NoModifier);
            QApplication::sendEvent(&chooser, &move);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(90, 120), QPointF(190, 220), button, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&chooser, &release);
        };
        drag(Qt::RightButton);
        QCOMPARE(chooser.pos(), start);
        drag(Qt::LeftButton);
        QCOMPARE(chooser.pos(), start + QPoint(30, 20));
        QVERIFY(chooser.windowFlags() & Qt::FramelessWindowHint);
        // shaped like the painted outline: the tab on top, no square corners
        chooser.grab(); // painting sets the mask
        QVERIFY(!chooser.mask().isEmpty());
        QVERIFY(chooser.mask().contains(QPoint(254, 20)));
        QVERIFY(!chooser.mask().contains(QPoint(100, 20)));
        QVERIFY(!chooser.mask().contains(QPoint(2, 32)));
        QVERIFY(chooser.mask().contains(QPoint(254, 100)));
    }

    void configurationPage()
    {
        Store::currentUser = "user1";
        {
            GameSelectionWindow page(0, 0, 2, nullptr);
            QCOMPARE(page.size(), QSize(300, 200));
            auto *check = page.findChild<QCheckBox *>("autocheck");
            QCOMPARE(check->checkState(), Qt::Unchecked);
            check->setCheckState(Qt::Checked);
        }
        Inspector db(Store::usersDbPath);
        QCOMPARE(db.rows("SELECT username, item, setting FROM setting"),
                 (QList<QStringList>{{passwordHash("user1"), "AutoCheckUpdate", "2"}}));
        {
            GameSelectionWindow page(0, 0, 2, nullptr);
            auto *check = page.findChild<QCheckBox *>("autocheck");
            QCOMPARE(check->checkState(), Qt::Checked); // the stored state is shown
            check->setCheckState(Qt::Unchecked);
        }
        QCOMPARE(db.value("SELECT setting FROM setting"), QString("0"));
        Store::currentUser = "other";
        GameSelectionWindow page(0, 0, 2, nullptr);
        QCOMPARE(page.findChild<QCheckBox *>("autocheck")->checkState(), Qt::Unchecked);
        QCOMPARE(db.value("SELECT count(*) FROM setting"), QString("1"));
    }
    // On a netbook screen with a task bar, in either writing direction, each
    // game window opens wholly inside the work area; the playfield is not
    // cut. Where the screen is big enough the designed size stays.
    void windowsFitTheScreen_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QSize>("size");
        const QRect netbook(0, 0, 1024, 600), wide(0, 0, 1280, 800);
        const QRect barBelow(0, 0, 1024, 560), barAbove(0, 40, 1024, 560), barLeft(60, 0, 964, 600);
        const int ltr = Qt::LeftToRight, rtl = Qt::RightToLeft;
        // too high: as high as the area, frame included, no higher
        QTest::newRow("game, bar below") << "game" << netbook << barBelow << ltr << QSize(817, 0);
        QTest::newRow("game, bar above, rtl") << "game" << netbook << barAbove << rtl << QSize(817, 0);
        QTest::newRow("game, 1280 x 800") << "game" << wide << wide << ltr << QSize(817, 569);
        QTest::newRow("key dialog, bar left, rtl") << "keys" << netbook << barLeft << rtl << QSize(774, 234);
        QTest::newRow("key dialog, bar above") << "keys" << netbook << barAbove << ltr << QSize(774, 234);
        QTest::newRow("space game, bar above") << "space" << netbook << barAbove << ltr << QSize(-1, -1);
    }
    void windowsFitTheScreen()
    {
        QFETCH(QString, window);
        QFETCH(QRect, screen);
        QFETCH(QRect, area);
        QFETCH(int, direction);
        QFETCH(QSize, size);
        ScreenArea desktop(screen, area);
        QGuiApplication::setLayoutDirection(Qt::LayoutDirection(direction));
        std::unique_ptr<QDialog> dialog;
        if (window == "game")
            dialog.reset(new game1({"a"}, nullptr));
        else if (window == "keys")
            dialog.reset(new KeyBoardMap(1, nullptr));
        else
            dialog.reset(new GamespaceWindow({"a"}, nullptr));
        dialog->move(area.topLeft() - QPoint(30, 30)); // where a careless caller might put it
        dialog->show();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        QVERIFY(area.contains(dialog->frameGeometry()));
        if (size.height() == 0) {
            QCOMPARE(dialog->width(), size.width());
            QCOMPARE(dialog->frameGeometry().height(), area.height());
        } else if (size.isValid()) {
            QCOMPARE(dialog->size(), size);
        }
        if (auto *game = qobject_cast<FallingGame *>(dialog.get())) {
            auto *view = game->findChild<QGraphicsView *>();
            QCOMPARE(game->playfield()->sceneRect(), QRectF(0, 0, 700, 427));
            const QRect field = view->mapFromScene(game->playfield()->sceneRect()).boundingRect();
            QVERIFY(view->viewport()->rect().contains(field));
            QVERIFY(game->rect().contains(QRect(view->mapTo(game, QPoint(0, 0)), view->size())));
            // the counters and their captions whole, under the view
            for (QWidget *w : game->findChildren<QWidget *>())
                if (w->isVisible() && (qobject_cast<QLabel *>(w) || qobject_cast<QLCDNumber *>(w))) {
                    QVERIFY2(!w->geometry().intersects(view->geometry()), qPrintable(w->objectName()));
                    QVERIFY(game->rect().contains(w->geometry()) && w->height() >= w->sizeHint().height());
                }
        }
    }
};

HARFORA_TEST_MAIN(TestGames)
#include "test_games.moc"
