#include "app/clock.h"
#include "app/translate.h"
#include "mainmenu/harforamain.h"
#include "practice/leveltest.h"
#include "practice/practising.h"
#include "reports/reportswindow.h"
#include "tests/support/loggedin.h"
#include "tests/support/xkbtyping.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

// The level test from the start menu: typed by physical keys, ended by the
// clock (advanced, never waited for), its result shown and logged.
class TestLevelTest : public QObject
{
    Q_OBJECT
    LoggedIn *session = nullptr;
    HarforaMain *menu = nullptr;
    QPointer<practising> window;
    const XkbTyping keys{QStringLiteral("basic")};

    QList<QStringList> testRows() const
    {
        return Inspector(Store::usersDbPath)
            .rows("SELECT log1, log2, log3, log5 FROM activitylog WHERE topic = 'Test' ORDER BY rowid");
    }
    QList<QStringList> allRows() const { return Inspector(Store::usersDbPath).rows("SELECT topic FROM activitylog"); }
    // Chooses `minutes` in the menu's question and finds the window the test opened in.
    bool openTest(int minutes)
    {
        menu->chooseTestMinutes = [minutes](QWidget *) { return minutes; };
        menu->findChild<QPushButton *>("testings")->click();
        window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<practising *>(w); p && p->isVisible())
                window = p;
        return window && window->levelTestText() > 0;
    }
    QTextBrowser *editor() const { return window->textView(); }
    // Types the next `count` characters of the text, every `wrongEvery`-th by a wrong key.
    void typeAhead(int count, int wrongEvery = 0)
    {
        for (int n = 1; n <= count; ++n) {
            const QString expected = window->textLines().characters.value(window->currentLine()).value(window->currentColumn());
            const bool miss = wrongEvery > 0 && n % wrongEvery == 0;
            keys.type(editor(), miss ? (expected == QStringLiteral("ن") ? QStringLiteral("ت") : QStringLiteral("ن")) : expected);
        }
    }

private slots:
    void initTestCase()
    {
        Clock::setManual(true);
        session = new LoggedIn;
    }
    void init()
    {
        menu = new HarforaMain(nullptr);
        menu->loginWindow = session->login;
        session->login->lastActivityKey.clear();
        Inspector(Store::usersDbPath).exec("DELETE FROM activitylog");
        session->recorder.clear();
        menu->show();
    }
    void cleanup()
    {
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete menu;
    }
    void cleanupTestCase() { delete session; }

    // Speed and accuracy together decide the band; the lesson follows it.
    void bands_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("band");
        QTest::newRow("slow") << 60 << 30 << 0 << 0;
        QTest::newRow("fast but careless") << 60 << 200 << 40 << 0;
        QTest::newRow("elementary at its edge") << 60 << 40 << 7 << 1;
        QTest::newRow("intermediate speed, elementary accuracy") << 180 << 300 << 40 << 1;
        QTest::newRow("advanced over five minutes") << 300 << 700 << 20 << 3;
        QTest::newRow("fluent") << 60 << 200 << 2 << 4;
        QTest::newRow("nothing typed") << 60 << 0 << 0 << 0;
    }
    void bands()
    {
        QFETCH(int, seconds);
        QFETCH(int, correct);
        QFETCH(int, wrong);
        QFETCH(int, band);
        const LevelTest::Result r{seconds / 60, seconds, correct, wrong};
        QCOMPARE(r.band(), band);
        QCOMPARE(r.lesson(), LevelTest::bands()[band].lesson);
        QVERIFY(r.speed() * seconds <= correct * 60 && (r.speed() + 1) * seconds > correct * 60);
    }

    // The first text not taken, then the one taken longest ago; damaged rows are no test.
    void nextText_data()
    {
        QTest::addColumn<QList<int>>("taken");
        QTest::addColumn<int>("next");
        QTest::newRow("none taken") << QList<int>{} << 1;
        QTest::newRow("1 and 2 taken") << QList<int>{2, 1} << 3;
        QTest::newRow("all taken: the oldest") << QList<int>{3, 1, 2, 3} << 1;
        QTest::newRow("a number past the texts") << QList<int>{1, 9} << 2;
    }
    void nextText()
    {
        QFETCH(QList<int>, taken);
        QFETCH(int, next);
        QVector<ActivityLogRow> rows;
        for (const int text : taken) {
            ActivityLogRow row;
            row.topic = QStringLiteral("Test");
            const QStringList log = LevelTest::logFields(text, LevelTest::Result{1, 60, 50, 2}, {}, {});
            for (int i = 0; i < 6; ++i)
                row.log[i] = log[i];
            rows.append(row);
        }
        ActivityLogRow damaged;
        damaged.topic = QStringLiteral("Test");
        damaged.log[0] = QStringLiteral("2");
        damaged.log[1] = QStringLiteral("1 x 3 4");
        rows.append(damaged);
        QCOMPARE(LevelTest::nextText(LevelTest::taken(rows), 3), next);
    }

    void bothInterfaces_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English interface") << "AR_en_US";
        QTest::newRow("Arabic interface") << "AR_ar_AR";
    }

    // A one-minute test typed by its keys ends when the clock says so, not a
    // keystroke later or earlier; a Stop in between does not count as test time.
    void endsOnTime_data() { bothInterfaces_data(); }
    void endsOnTime()
    {
        QFETCH(QString, language);
        translate::applyLanguage(language);
        QVERIFY(LevelTest::count() >= 20);
        QVERIFY(openTest(1));
        QVERIFY(!menu->isVisible());
        QCOMPARE(window->levelTestText(), 1);
        QVERIFY(!window->findChild<QPushButton *>("next_Btn")->isEnabled());
        QVERIFY(!window->findChild<QPushButton *>("weak_Btn")->isEnabled());
        window->findChild<QPushButton *>("start_Btn_")->click();
        typeAhead(60, 10); // 54 right, 6 wrong
        Clock::advance(20000);
        TestSupport::typeX11(editor(), TestSupport::x11KeycodeForScanCode(1)); // Stop: the test waits
        Clock::advance(600000);
        QVERIFY(testRows().isEmpty());
        QCOMPARE(allRows().size(), 0);
        window->findChild<QPushButton *>("start_Btn_")->click();
        typeAhead(30);
        Clock::advance(39999);
        QVERIFY(window->isRunning());
        QVERIFY(testRows().isEmpty());
        Clock::advance(1);
        QVERIFY(!window->isRunning());

        const QList<QStringList> rows = testRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value(0), QStringLiteral("1"));
        QCOMPARE(rows[0].value(1), QStringLiteral("1 60 84 6"));
        QCOMPARE(rows[0].value(2), QStringLiteral("84 93 %1").arg(LevelTest::bands()[2].lesson));
        QVERIFY(rows[0].value(3).startsWith(QStringLiteral("k1 ")));
        QCOMPARE(allRows().size(), 1); // no practice row beside it

        QCOMPARE(session->recorder.messages.size(), 1);
        const Messages::Message box = session->recorder.messages.last();
        QCOMPARE(box.title, QCoreApplication::translate("practising", "Level test finished"));
        for (const QString &figure : {QStringLiteral("84"), QStringLiteral("93 %"), QStringLiteral("6.0"),
                                      QCoreApplication::translate("LevelTest", "Intermediate")})
            QVERIFY2(box.text.contains(figure), qPrintable(box.text));
        // the window goes on with the lesson to continue from
        QCOMPARE(window->levelTestText(), 0);
        QCOMPARE(window->lessonNumber(), LevelTest::bands()[2].lesson);
        QVERIFY(window->findChild<QPushButton *>("weak_Btn")->isEnabled());
    }

    // The next test is on a text not taken yet.
    void nextTestOnAnotherText()
    {
        translate::applyLanguage(QStringLiteral("AR_en_US"));
        QVERIFY(openTest(3));
        window->findChild<QPushButton *>("start_Btn_")->click();
        typeAhead(20, 5);
        Clock::advance(180000);
        QCOMPARE(testRows().size(), 1);
        QCOMPARE(testRows()[0].value(1), QStringLiteral("3 180 16 4"));
        QVERIFY2(session->recorder.messages.value(0).text.contains(QStringLiteral(": 1.3")),
                 qPrintable(session->recorder.messages.value(0).text)); // errors per minute
        ReportsWindow reports;
        reports.load();
        QCOMPARE(reports.activity().tests.size(), 1);
        const QString summary = reports.findChild<QLabel *>("summary")->text();
        QVERIFY2(summary.contains(QStringLiteral("Level tests: 1; the last: 5 correct characters per minute, 80 %")),
                 qPrintable(summary));
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(menu->isVisible());
        QVERIFY(openTest(5));
        QCOMPARE(window->levelTestText(), 2);
    }

    // No answer to the question: no window.
    void notNow()
    {
        QVERIFY(!openTest(0));
        QVERIFY(!window);
        QVERIFY(menu->isVisible());
    }
};

HARFORA_TEST_MAIN(TestLevelTest)
#include "test_leveltest.moc"
