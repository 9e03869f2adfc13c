#include "app/clock.h"
#include "app/translate.h"
#include "games/gameselectionwindow.h"
#include "keyboard/keyboardmap.h"
#include "keyboard/keyids.h"
#include "lessons/lessons.h"
#include "login/login.h"
#include "mainmenu/harforamain.h"
#include "practice/practising.h"
#include "tests/store/storefixture.h"
#include "tests/support/testsupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

// Windows closed in an order nobody planned: every back-pointer is guarded.
class TestWindowOrder : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    MessageRecorder recorder;
    Login *login = nullptr;

    template <class T> static QList<T *> shown() { return shownWindows<T>(); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // Closes every window but the login window and those kept; closing one may delete another.
    void closeOthers(const QWidget *kept = nullptr)
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            windows.append(w);
        for (const QPointer<QWidget> &w : windows)
            if (w && w != login && w != kept && w->isVisible())
                w->close();
        flushDeletes();
    }
    HarforaMain *logIn()
    {
        login->findChild<QLineEdit *>("loginpassword")->setText(Store::defaultPassword);
        QTest::keyClick(login->findChild<QLineEdit *>("loginpassword"), Qt::Key_Return);
        return shown<HarforaMain>().value(0);
    }
    static QPushButton *button(QWidget *w, const char *name) { return w->findChild<QPushButton *>(name); }

    template <class T> static int alive() { return shownWindows<T>(false).size(); }
    // The games page with its key dialog open, as a learner leaves it.
    static QPointer<KeyBoardMap> openKeyDialog(HarforaMain *menu)
    {
        button(menu, "games")->click();
        GameSelectionWindow *chooser = shown<GameSelectionWindow>().value(0);
        if (!chooser)
            return nullptr;
        button(chooser, "gamebutton1")->click();
        return chooser->keyDialog();
    }

private slots:
    void initTestCase()
    {
        Clock::setManual(true);
        freshProfile(home);
        translate::applyLanguage("AR_en_US");
        login = new Login(0, nullptr);
        login->show();
    }
    void cleanupTestCase() { delete login; }

    // Logging out closes the chooser and its key dialog: no game can start for nobody.
    void sessionWindowsCloseAtLogout()
    {
        HarforaMain *menu = logIn();
        QVERIFY(menu);
        QPointer<KeyBoardMap> keys = openKeyDialog(menu);
        QVERIFY(keys && keys->isVisible());
        menu->close();
        flushDeletes();
        QVERIFY(!keys);
        QCOMPARE(alive<GameSelectionWindow>(), 0);
        QVERIFY(login->isVisible());
    }

    // A lesson viewer open when the session ends is closed, its reading logged.
    void lessonViewerClosesAtLogout()
    {
        OverrideTranslator texts;
        texts.set("Lessons", Keys::lessonTextSource(1), QString("<p>lesson 1</p>").repeated(80));
        Inspector(Store::usersDbPath).exec("DELETE FROM activitylog");
        login->lastActivityKey.clear();
        HarforaMain *menu = logIn();
        QVERIFY(menu);
        button(menu, "lessons")->click();
        QPointer<Lessons> lessons = shown<Lessons>().value(0);
        QVERIFY(lessons);
        QScrollBar *bar = lessons->findChild<QTextBrowser *>("textBrowser")->verticalScrollBar();
        Clock::advance(30000);
        bar->setValue(bar->maximum());
        menu->close();
        flushDeletes();
        QVERIFY(!lessons);
        QVERIFY(login->isVisible());
        QCOMPARE(Inspector(Store::usersDbPath).rows("SELECT topic, log1, log2 FROM activitylog"),
                 (QList<QStringList>{{"Lesson", "1", "30"}}));
    }

    // Opening the lessons closes the chooser; the menu that comes back works.
    void chooserClosesWhenTheMenuHandsOver()
    {
        HarforaMain *menu = logIn();
        QVERIFY(menu);
        QPointer<KeyBoardMap> keys = openKeyDialog(menu);
        QVERIFY(keys);
        button(menu, "lessons")->click();
        flushDeletes();
        QVERIFY(!keys);
        QCOMPARE(alive<GameSelectionWindow>(), 0);
        QCOMPARE(shown<Lessons>().size(), 1);
        QVERIFY(!menu->isVisible());
        shown<Lessons>().value(0)->close();
        flushDeletes();
        QVERIFY(menu->isVisible());
        button(menu, "lessons")->click();
        QCOMPARE(shown<Lessons>().size(), 1);
        shown<Lessons>().value(0)->close();
        flushDeletes();
        button(menu, "training")->click();
        QCOMPARE(shown<practising>().size(), 1);
        closeOthers(menu);
        QVERIFY(openKeyDialog(menu));
        closeOthers();
    }

    // Games pressed again brings back the chooser (or its key dialog) that is open.
    void oneChooserAtATime()
    {
        HarforaMain *menu = logIn();
        QVERIFY(menu);
        button(menu, "games")->click();
        button(menu, "games")->click();
        QCOMPARE(alive<GameSelectionWindow>(), 1);
        GameSelectionWindow *chooser = shown<GameSelectionWindow>().value(0);
        QVERIFY(chooser);
        button(chooser, "gamebutton1")->click();
        QPointer<KeyBoardMap> keys = chooser->keyDialog();
        button(menu, "games")->click();
        QCOMPARE(alive<GameSelectionWindow>(), 1);
        QVERIFY(keys && keys->isVisible());
        QVERIFY(!chooser->isVisible());
        closeOthers();
    }

    void oneClickOneWindow_data()
    {
        QTest::addColumn<QString>("module");
        QTest::newRow("lessons") << "lessons";
        QTest::newRow("training") << "training";
    }
    void oneClickOneWindow()
    {
        QFETCH(QString, module);
        HarforaMain *menu = logIn();
        QVERIFY(menu);
        QPushButton *open = button(menu, qPrintable(module));
        open->click();
        open->click(); // within the same few milliseconds: the menu is handing over
        QCOMPARE(shown<Lessons>().size() + shown<practising>().size(), 1);
        closeOthers(menu);
        QVERIFY(menu->isVisible());
        open->click(); // the window is gone: the menu opens one again
        QCOMPARE(shown<Lessons>().size() + shown<practising>().size(), 1);
        closeOthers();
    }
};

HARFORA_TEST_MAIN(TestWindowOrder)
#include "test_windoworder.moc"
