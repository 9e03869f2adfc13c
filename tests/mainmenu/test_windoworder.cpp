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

    template <class T> static QList<T *> shown()
    {
        QList<T *> found;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *t = qobject_cast<T *>(w))
                if (t->isVisible())
                    found.append(t);
        return found;
    }
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

    void lessonWindowOutlivesTheMenu()
    {
        OverrideTranslator texts;
        texts.set("Lessons", Keys::lessonTextSource(1), QString("<p>lesson 1</p>").repeated(80));
        HarforaMain *menu = logIn();
        QVERIFY(menu);
        QPointer<HarforaMain> menuGuard = menu;
        button(menu, "games")->click();
        GameSelectionWindow *chooser = shown<GameSelectionWindow>().value(0);
        QVERIFY(chooser);
        button(chooser, "gamebutton1")->click();
        QPointer<KeyBoardMap> keys = chooser->keyDialog();
        QVERIFY(keys);
        button(menu, "lessons")->click();
        QPointer<Lessons> lessons = shown<Lessons>().value(0);
        QVERIFY(lessons);
        QScrollBar *bar = lessons->findChild<QTextBrowser *>("textBrowser")->verticalScrollBar();
        Clock::advance(30000);
        bar->setValue(bar->maximum());

        keys->close();
        menu->close();
        flushDeletes();
        QVERIFY(!menuGuard);
        login->hide();
        lessons->close();
        flushDeletes();
        QVERIFY(!lessons);
        QVERIFY(login->isVisible());
        QCOMPARE(Inspector(Store::usersDbPath).rows("SELECT topic, log1, log2 FROM activitylog"),
                 (QList<QStringList>{{"Lesson", "1", "30"}}));
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
