#include "app/clock.h"
#include "app/placement.h"
#include "app/translate.h"
#include "games/gamespacewindow.h"
#include "keyboard/keyids.h"
#include "lessons/lessons.h"
#include "tests/support/practicedesk.h"
#include "tests/support/screenarea.h"

#include <cmath>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

class TestLessons : public QObject
{
    Q_OBJECT
    PracticeDesk desk;
    HarforaMain *&menu = desk.menu;
    QPointer<Lessons> lessons;

    QPushButton *button(const QString &name) const { return lessons->findChild<QPushButton *>(name); }
    void invoke(const char *slot, QGenericArgument arg = QGenericArgument())
    {
        QVERIFY(QMetaObject::invokeMethod(lessons, slot, arg));
    }
    QScrollBar *scrollBar() const { return lessons->findChild<QTextBrowser *>("textBrowser")->verticalScrollBar(); }
    void scrollToEnd() { scrollBar()->setValue(scrollBar()->maximum()); }
    QList<QStringList> logRows() const
    {
        return Inspector(Store::usersDbPath).rows("SELECT topic, log1, log2 FROM activitylog");
    }
    // A new lesson window in place of the open one (it reads the active texts).
    void reopen()
    {
        if (lessons)
            lessons->close();
        lessons = new Lessons(nullptr);
        lessons->callerWindow = menu;
        lessons->activityKey.owner = desk.login;
        lessons->show();
    }
    // A window on long lesson texts, so that every lesson can be scrolled.
    void openLongLessons(OverrideTranslator &t)
    {
        for (int n = 1; n <= 18; ++n)
            t.set("Lessons", Keys::lessonTextSource(n), QString("<p>lesson %1</p>").arg(n).repeated(60));
        reopen();
    }

private slots:
    void init()
    {
        translate::applyLanguage("AR_ar_AR");
        desk.reset();
        reopen();
    }
    void cleanup()
    {
        desk.clear();
        qDeleteAll(shownWindows<GamespaceWindow>(false));
    }

    void keyboardGeometry()
    {
        QCOMPARE(button("PushButton_R1_1")->geometry(), QRect(41, 12, 32, 32));
        QCOMPARE(button("PushButton_R1_13")->geometry(), QRect(451, 12, 32, 32));
        QCOMPARE(button("PushButton_R2_12")->geometry(), QRect(460, 47, 32, 32));
        QCOMPARE(button("PushButton_R3_12")->geometry(), QRect(470, 82, 32, 32));
        QCOMPARE(button("PushButton_R4_11")->geometry(), QRect(427, 117, 32, 32));
        QCOMPARE(button("Space")->geometry(), QRect(159, 154, 281, 32));
        QCOMPARE(button("PushButton_Shift")->geometry(), QRect(461, 117, 85, 32));
        QCOMPARE(button("PushButton_Ctrl")->geometry(), QRect(42, 117, 40, 32));
    }

    void layers()
    {
        invoke("SetKeyBoardLayoutCaption", Q_ARG(int, 1));
        QCOMPARE(button("PushButton_R3_6")->text(), QString("أ"));
        invoke("SetKeyBoardLayoutCaption", Q_ARG(int, 2));
        QCOMPARE(button("PushButton_R1_2")->text(), QString("Ctrl_R1_2"));
        invoke("SetKeyBoardLayoutCaption", Q_ARG(int, 3));
        QCOMPARE(button("PushButton_R1_2")->text(), QString("Ctrl_R1_2"));
        invoke("SetKeyBoardLayoutCaption", Q_ARG(int, 0));
        QCOMPARE(button("PushButton_R3_6")->text(), QString("ا"));
        QCOMPARE(button("PushButton_Shift")->text(), QCoreApplication::translate("Lessons", "SHIFT"));
        QTest::mousePress(button("PushButton_Shift"), Qt::LeftButton);
        QCOMPARE(button("PushButton_R3_6")->text(), QString("أ"));
        QTest::mouseRelease(button("PushButton_Shift"), Qt::LeftButton);
        QCOMPARE(button("PushButton_R3_6")->text(), QString("ا"));
        QTest::mousePress(button("PushButton_Ctrl"), Qt::LeftButton);
        QCOMPARE(button("PushButton_R3_6")->text(), QString("ا")); // CTRL is inert here
        QTest::mouseRelease(button("PushButton_Ctrl"), Qt::LeftButton);
    }

    void colouring()
    {
        invoke("ClearKeyBoardLayoutColors");
        QString before = lessons->interestCaptions();
        invoke("SetInterestKeyColor", Q_ARG(QString, "Shift  R3_7 R5_5 lesson Ctrl_R1_2 Ctrl R1_1"));
        QCOMPARE(button("PushButton_Shift")->styleSheet(), QString("background-color: #fff000"));
        QCOMPARE(button("PushButton_Ctrl")->styleSheet(), QString("background-color: #00ff00"));
        QCOMPARE(button("PushButton_R3_7")->styleSheet(), QString("background-color: #859399"));
        QCOMPARE(button("PushButton_R1_1")->styleSheet(), QString("background-color: #94ba6d"));
        QVERIFY(button("PushButton_R1_2")->styleSheet().isEmpty());
        QCOMPARE(lessons->interestCaptions(), before + " " + button("PushButton_Shift")->text() + " ت " +
                                                  button("PushButton_Ctrl")->text() + " ذ");
        invoke("ClearKeyBoardLayoutColors");
        QVERIFY(button("PushButton_Shift")->styleSheet().isEmpty());
        QVERIFY(button("PushButton_R3_7")->styleSheet().isEmpty());
        // A shifted key: the key in its finger's colour, the Shift key yellow,
        // the key's Shift caption collected; a token naming no key is ignored.
        before = lessons->interestCaptions();
        invoke("SetInterestKeyColor", Q_ARG(QString, "Shift_R3_6 Shift_R1_2 Shift_R9_9"));
        QCOMPARE(button("PushButton_R3_6")->styleSheet(), QString("background-color: #859399"));
        QCOMPARE(button("PushButton_R1_2")->styleSheet(), QString("background-color: #94ba6d"));
        QCOMPARE(button("PushButton_Shift")->styleSheet(), QString("background-color: #fff000"));
        QCOMPARE(lessons->interestCaptions(), before + " " + Keys::caption(Keys::Layer::Shift, "R3_6") + " " +
                                                  Keys::caption(Keys::Layer::Shift, "R1_2"));
    }

    void lessonOneIsShownColoured()
    {
        QCOMPARE(lessons->findChild<QLabel *>("lessonnumber")->text(), QString("1"));
        QVERIFY(!button("previous_Btn")->isEnabled());
        QVERIFY(button("next_Btn")->isEnabled());
        QCOMPARE(lessons->interestCaptions(), QString("ي ب ل ا ت ن"));
        QCOMPARE(button("PushButton_R3_4")->styleSheet(), QString("background-color: #859399"));
    }

    void navigation()
    {
        for (int i = 0; i < 30 && button("next_Btn")->isEnabled(); ++i)
            button("next_Btn")->click();
        QCOMPARE(LessonState::current().currentLesson, 18);
        button("previous_Btn")->click();
        QVERIFY(button("next_Btn")->isEnabled());
        for (int i = 0; i < 30 && button("previous_Btn")->isEnabled(); ++i)
            button("previous_Btn")->click();
        QCOMPARE(LessonState::current().currentLesson, 1);
        QVERIFY(!button("previous_Btn")->isEnabled());
        invoke("on_previous_Btn_clicked"); // a click that reaches the slot all the same
        QCOMPARE(LessonState::current().currentLesson, 1);
    }

    void blankLessonStopsNext()
    {
        OverrideTranslator t;
        t.set("Lessons", Keys::lessonTextSource(3), " ");
        button("next_Btn")->click();
        QCOMPARE(LessonState::current().currentLesson, 2);
        QVERIFY(!button("next_Btn")->isEnabled());
    }

    void untranslatedLessonHighlightsTheExampleKeys()
    {
        translate::applyLanguage("none");
        Lessons bare;
        QCOMPARE(bare.interestCaptions(), QString("key_R1_3 SHIFT CTRL"));
        QCOMPARE(bare.findChild<QTextBrowser *>("textBrowser")->toPlainText(),
                 QString("add text of lesson 1 here in the translation file"));
    }

    void readRuleLogsTheLastQualifyingScroll()
    {
        OverrideTranslator t;
        openLongLessons(t);
        QVERIFY(scrollBar()->maximum() > 0);
        const int fourFifths = int(std::ceil(scrollBar()->maximum() * 0.8));
        Clock::advance(20000);
        scrollBar()->setValue(fourFifths - 1);
        QCOMPARE(lessons->readSeconds(), QString()); // not yet four fifths down
        Clock::advance(20000);
        scrollBar()->setValue(fourFifths);
        QCOMPARE(lessons->readSeconds(), QString("40"));
        scrollBar()->setValue(0);
        Clock::advance(55000);
        scrollToEnd();
        QCOMPARE(lessons->readSeconds(), QString("95"));
        lessons->close();
        QCOMPARE(logRows(), (QList<QStringList>{{"Lesson", "1", "95"}}));
        QVERIFY(menu->isVisible());
    }

    void unreadLessonWritesNothingAndRepeatsLogOnce()
    {
        OverrideTranslator t;
        openLongLessons(t);
        button("next_Btn")->click(); // lesson 1 unread: nothing
        button("next_Btn")->click();
        button("next_Btn")->click();
        QCOMPARE(LessonState::current().currentLesson, 4);
        scrollToEnd();
        button("next_Btn")->click(); // lesson 4 read: one row
        button("previous_Btn")->click(); // lesson 5 unread
        scrollToEnd();
        lessons->close(); // lesson 4 read again: same key, no row
        QCOMPARE(logRows(), (QList<QStringList>{{"Lesson", "4", "0"}}));
    }

    // The viewer and a practice window from the start menu compare with one
    // last row, the login window's: a practice row between two reads of the
    // same lesson makes the second read a row again.
    void practiceRowBetweenReadsLogsTheReadAgain()
    {
        OverrideTranslator t;
        openLongLessons(t);
        scrollToEnd();
        lessons->close();
        practising practice(true, 1, 0, nullptr);
        practice.loginWindow = desk.login;
        practice.show();
        practice.findChild<QPushButton *>("start_Btn_")->click();
        TestSupport::typeX11(practice.textView(), TestSupport::x11KeycodeForScanCode(30));
        practice.findChild<QPushButton *>("stop_Btn")->click();
        practice.close();
        reopen();
        scrollToEnd();
        lessons->close();
        QCOMPARE(logRows().size(), 3);
        QCOMPARE(logRows().first(), logRows().last());
    }

    void gameButtonPassesCaptionsInOrder()
    {
        button("next_Btn")->click();
        QCOMPARE(lessons->interestCaptions(), QString("ي ب ل ا ت ن ش س م ك ط"));
        button("pushButton_4")->click();
        GamespaceWindow *game = shownWindows<GamespaceWindow>().value(0);
        QVERIFY(game);
        QCOMPARE(game->letters(), lessons->interestCaptions().split(' '));
        QVERIFY(lessons->isVisible());
    }

    // Lessons of Shift characters show the Shift layer; one click on Shift
    // still shows the plain one.
    void lessonShowsTheLayerItTeaches_data()
    {
        QTest::addColumn<int>("lesson");
        QTest::addColumn<QString>("caption");
        QTest::newRow("9, plain keys") << 9 << QString::fromUtf8("ا");
        for (int n = 10; n <= 15; ++n)
            QTest::newRow(qPrintable(QString("%1, Shift keys").arg(n))) << n << QString::fromUtf8("أ");
        QTest::newRow("16, plain keys") << 16 << QString::fromUtf8("ا");
    }
    void lessonShowsTheLayerItTeaches()
    {
        QFETCH(int, lesson);
        QFETCH(QString, caption);
        while (LessonState::current().currentLesson < lesson)
            button("next_Btn")->click();
        QCOMPARE(button("PushButton_R3_6")->text(), caption);
        if (lesson == 16) { // and back to a Shift lesson
            button("previous_Btn")->click();
            QCOMPARE(button("PushButton_R3_6")->text(), QString::fromUtf8("أ"));
            return;
        }
        QTest::mouseClick(button("PushButton_Shift"), Qt::LeftButton);
        QCOMPARE(button("PushButton_R3_6")->text(), QString::fromUtf8("ا"));
    }

    // The play-game window goes with its viewer, and Escape closes it; other keys do nothing.
    void gameWindowClosesWithTheViewerAndOnEscape()
    {
        const auto openGame = [this] {
            button("pushButton_4")->click();
            return QPointer<GamespaceWindow>(shownWindows<GamespaceWindow>().value(0));
        };
        QPointer<GamespaceWindow> game = openGame();
        QVERIFY(game);
        TestSupport::typeX11(game, 38, "a"); // A
        QVERIFY(game->isVisible());
        TestSupport::typeX11(game, 9); // Escape
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!game);
        game = openGame();
        QVERIFY(game);
        lessons->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!game);
    }

    // On a 1024 x 600 screen with a task bar the viewer opens inside the work
    // area, in either direction; the lesson text gives up the height and the
    // buttons stay whole. On a larger screen it keeps 774 x 600.
    void viewerFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<int>("direction");
        const QRect netbook(0, 0, 1024, 600);
        QTest::newRow("bar below") << netbook << QRect(0, 0, 1024, 560) << int(Qt::LeftToRight);
        QTest::newRow("bar above, rtl") << netbook << QRect(0, 40, 1024, 560) << int(Qt::RightToLeft);
        QTest::newRow("bar left, rtl") << netbook << QRect(60, 0, 964, 600) << int(Qt::RightToLeft);
        QTest::newRow("1280 x 800") << QRect(0, 0, 1280, 800) << QRect(0, 0, 1280, 770) << int(Qt::LeftToRight);
    }
    void viewerFitsTheScreen()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, area);
        QFETCH(int, direction);
        ScreenArea desktop(screen, area);
        QGuiApplication::setLayoutDirection(Qt::LayoutDirection(direction));
        Lessons viewer;
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        Placement::centre(&viewer); // as the start menu does
        viewer.show();
        QVERIFY(area.contains(viewer.frameGeometry()));
        const int frameHeight = viewer.frameGeometry().height() - viewer.height();
        QCOMPARE(viewer.size(), QSize(774, qMin(600, area.height() - frameHeight)));
        const QRect window = viewer.rect();
        for (const char *name : {"previous_Btn", "pushButton", "pushButton_4", "next_Btn", "PushButton_Shift"}) {
            const auto *b = viewer.findChild<QPushButton *>(name);
            QVERIFY(window.contains(QRect(b->mapTo(&viewer, QPoint(0, 0)), b->size())));
        }
        const auto *text = viewer.findChild<QTextBrowser *>("textBrowser");
        const auto *caption = viewer.findChild<QLabel *>("label_4");
        QVERIFY(QRect(text->mapTo(&viewer, QPoint(0, 0)), text->size()).bottom() <
                caption->mapTo(&viewer, QPoint(0, 0)).y());
        QVERIFY(window.contains(QRect(caption->mapTo(&viewer, QPoint(0, 0)), caption->size())));
        QVERIFY(caption->height() >= caption->sizeHint().height());
    }

    void arrowsSwapRightToLeft()
    {
        const Qt::LayoutDirection before = QGuiApplication::layoutDirection();
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
        Lessons rtl;
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        Lessons ltr;
        QGuiApplication::setLayoutDirection(before);
        const QImage right = QIcon(":/images/rightarrow32.png").pixmap(32).toImage();
        QCOMPARE(rtl.findChild<QPushButton *>("previous_Btn")->icon().pixmap(32).toImage(), right);
        QVERIFY(ltr.findChild<QPushButton *>("previous_Btn")->icon().pixmap(32).toImage() != right);
    }
};

HARFORA_TEST_MAIN(TestLessons)
#include "test_lessons.moc"
