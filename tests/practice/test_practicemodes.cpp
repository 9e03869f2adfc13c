#include "app/translate.h"
#include "practice/leveltest.h"
#include "practice/weakkeyplan.h"
#include "reports/reportswindow.h"
#include "tests/support/practicedesk.h"
#include "tests/support/xkbtyping.h"

#include <QLabel>
#include <QSignalSpy>

// The practice window's other modes, opened from the start menu and typed by
// the physical keys of the PC layout: the level test, ended by the clock
// (advanced, never waited for), and the weak-key practice, made from the rows
// the window logged.
class TestPracticeModes : public QObject
{
    Q_OBJECT
    PracticeDesk desk;
    const XkbTyping keys{QStringLiteral("basic")};
    const unsigned escape = TestSupport::x11KeycodeForScanCode(1);
    const QString weak = QStringLiteral("ت"), instead = QStringLiteral("ن");

    QPointer<practising> &window = desk.window;
    MessageRecorder &recorder = desk.recorder;
    QPushButton *button(const char *name) const { return desk.button(name); }
    QList<QStringList> logRows(const char *columns = "topic, log1, log5") const
    {
        return Inspector(Store::usersDbPath).rows(QStringLiteral("SELECT %1 FROM activitylog ORDER BY rowid").arg(columns));
    }
    QList<QStringList> testRows() const { return logRows("log1, log2, log3, log5"); }
    // Chooses `minutes` in the menu's question and finds the window the test opened.
    bool openTest(int minutes)
    {
        desk.menu->chooseTestMinutes = [minutes](QWidget *) { return minutes; };
        desk.menu->findChild<QPushButton *>("testings")->click();
        return desk.opened() && window->levelTestText() > 0;
    }
    QString shownText() const
    {
        QStringList lines;
        for (const QStringList &line : window->textLines().characters)
            lines.append(line.join(QString()));
        return lines.join(QLatin1Char(' '));
    }
    // Types the next `count` characters of the text: those holding `missed`
    // by the key of `instead`, every `wrongEvery`-th by a wrong key.
    void typeAhead(int count, int wrongEvery = 0, const QString &missed = QString())
    {
        for (int n = 1; n <= count && !window->textLines().characters.isEmpty(); ++n) {
            const QString expected = window->textLines().characters.value(window->currentLine()).value(window->currentColumn());
            if (expected.isEmpty())
                break;
            const bool miss = (wrongEvery > 0 && n % wrongEvery == 0) || (!missed.isEmpty() && expected.contains(missed));
            keys.type(desk.editor(), miss ? (expected == instead ? weak : instead) : expected);
        }
    }

private slots:
    void init() { desk.reset(); }
    void cleanup() { desk.clear(); }

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
    void testEndsOnTime_data() { bothInterfaces_data(); }
    void testEndsOnTime()
    {
        QFETCH(QString, language);
        translate::applyLanguage(language);
        desk.menu->show();
        QVERIFY(LevelTest::count() >= 20);
        QVERIFY(openTest(1));
        QVERIFY(!desk.menu->isVisible());
        QCOMPARE(window->levelTestText(), 1);
        QVERIFY(!button("next_Btn")->isEnabled());
        QVERIFY(!button("weak_Btn")->isEnabled());
        button("start_Btn_")->click();
        typeAhead(60, 10); // 54 right, 6 wrong
        Clock::advance(20000);
        TestSupport::typeX11(desk.editor(), escape); // Stop: the test waits
        Clock::advance(600000);
        QVERIFY(logRows().isEmpty());
        button("start_Btn_")->click();
        typeAhead(30);
        Clock::advance(39999);
        QVERIFY(window->isRunning());
        QVERIFY(logRows().isEmpty());
        Clock::advance(1);
        QVERIFY(!window->isRunning());

        const QList<QStringList> rows = testRows();
        QCOMPARE(rows.size(), 1); // no practice row beside it
        QCOMPARE(logRows().value(0).value(0), QStringLiteral("Test"));
        QCOMPARE(rows[0].value(0), QStringLiteral("1"));
        QCOMPARE(rows[0].value(1), QStringLiteral("1 60 84 6"));
        QCOMPARE(rows[0].value(2), QStringLiteral("84 93 %1").arg(LevelTest::bands()[2].lesson));
        QVERIFY(rows[0].value(3).startsWith(QStringLiteral("k1 ")));

        QCOMPARE(recorder.messages.size(), 1);
        const Messages::Message box = recorder.messages.last();
        QCOMPARE(box.title, QCoreApplication::translate("practising", "Level test finished"));
        for (const QString &figure : {QStringLiteral("84"), QStringLiteral("93 %"), QStringLiteral("6.0"),
                                      QCoreApplication::translate("LevelTest", "Intermediate")})
            QVERIFY2(box.text.contains(figure), qPrintable(box.text));
        // the window goes on with the lesson to continue from
        QCOMPARE(window->levelTestText(), 0);
        QCOMPARE(window->lessonNumber(), LevelTest::bands()[2].lesson);
        QVERIFY(button("weak_Btn")->isEnabled());
    }

    // The next test is on a text not taken yet.
    void nextTestOnAnotherText()
    {
        translate::applyLanguage(QStringLiteral("AR_en_US"));
        desk.menu->show();
        QVERIFY(openTest(3));
        button("start_Btn_")->click();
        typeAhead(20, 5);
        Clock::advance(180000);
        QCOMPARE(testRows().size(), 1);
        QCOMPARE(testRows()[0].value(1), QStringLiteral("3 180 16 4"));
        QVERIFY2(recorder.messages.value(0).text.contains(QStringLiteral(": 1.3")),
                 qPrintable(recorder.messages.value(0).text)); // errors per minute
        ReportsWindow reports;
        reports.load();
        QCOMPARE(reports.activity().tests.size(), 1);
        const QString summary = reports.findChild<QLabel *>("summary")->text();
        QVERIFY2(summary.contains(QStringLiteral("Level tests: 1; the last: 5 correct characters per minute, 80 %")),
                 qPrintable(summary));
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(desk.menu->isVisible());
        QVERIFY(openTest(5));
        QCOMPARE(window->levelTestText(), 2);
    }

    // No answer to the question: no window.
    void noTestWithoutMinutes()
    {
        desk.menu->show();
        QVERIFY(!openTest(0));
        QVERIFY(!window);
        QVERIFY(desk.menu->isVisible());
    }

    // Nothing typed yet: the learner is told what to do first, the window keeps its lesson.
    void nothingRecordedYet_data() { bothInterfaces_data(); }
    void nothingRecordedYet()
    {
        QFETCH(QString, language);
        translate::applyLanguage(language);
        desk.open(1);
        button("weak_Btn")->click();
        QCOMPARE(recorder.texts(), QStringList{WeakKeyPlan::nothingRecordedText()});
        QVERIFY(!window->isWeakKeyText());
        QCOMPARE(window->findChild<QLabel *>("lessonnumber")->text(), QStringLiteral("1"));

        ReportsWindow reports;
        reports.load();
        QSignalSpy wanted(&reports, &ReportsWindow::weakKeyPracticeWanted);
        reports.findChild<QPushButton *>("weakButton")->click();
        QCOMPARE(wanted.count(), 0);
        QCOMPARE(recorder.texts().size(), 2);
        QCOMPARE(recorder.texts().last(), WeakKeyPlan::nothingRecordedText());
    }

    // Practice 3 typed with one key missed every time: the next text is a
    // weak-key text holding it, typed and logged as "weak", and the one after
    // it is made afresh from the new figures.
    void weakTextAfterAMissedKey_data() { bothInterfaces_data(); }
    void weakTextAfterAMissedKey()
    {
        QFETCH(QString, language);
        translate::applyLanguage(language);
        desk.open(3);
        QVERIFY(shownText().contains(weak));
        button("start_Btn_")->click();
        typeAhead(150, 0, weak);
        TestSupport::typeX11(desk.editor(), escape);
        QCOMPARE(logRows().size(), 1);

        button("weak_Btn")->click();
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(window->isWeakKeyText());
        QVERIFY(!window->findChild<QLabel *>("lessonnumber")->isVisible());
        QVERIFY(!button("next_Btn")->isEnabled() && !button("previous_Btn")->isEnabled());
        const QString text = shownText();
        QVERIFY2(text.contains(weak), qPrintable(text));
        QVERIFY(text.size() >= WeakKeyText::minimumCharacters);
        for (const QChar c : text)
            QVERIFY2(keys.types(QString(c)), qPrintable(QString(c)));

        // typed right by its keys, Shift chords included; Stop logs a "weak" row
        button("start_Btn_")->click();
        QVERIFY(!button("weak_Btn")->isEnabled());
        const QString firstLine = window->textLines().characters.value(0).join(QString());
        keys.type(desk.editor(), firstLine);
        QCOMPARE(window->highlighter()->count(Highlighter::Wrong), 0);
        QCOMPARE(window->highlighter()->count(Highlighter::Correct), firstLine.size());
        TestSupport::typeX11(desk.editor(), escape);
        QVERIFY(button("weak_Btn")->isEnabled());
        QCOMPARE(logRows().size(), 2);
        QCOMPARE(logRows().last().value(0), QStringLiteral("Practise"));
        QCOMPARE(logRows().last().value(1), WeakKeyPlan::logName());

        // to its end: asked for another, which starts at once on a new text
        recorder.replies.append(QMessageBox::Yes);
        button("start_Btn_")->click();
        for (const QStringList &line : window->textLines().characters.mid(window->currentLine()))
            keys.type(desk.editor(), line.mid(window->currentColumn()).join(QString()));
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(window->isRunning());
        QVERIFY(window->isWeakKeyText());
        QVERIFY(shownText() != text);
        QCOMPARE(window->currentLine(), 0);
        QCOMPARE(window->currentColumn(), 0);
        QCOMPARE(logRows().size(), 3);
        QCOMPARE(logRows().last().value(1), WeakKeyPlan::logName());
    }

    // From the Reports window: the start menu opens the practice window on the weak-key text.
    void weakTextFromTheReportsWindow()
    {
        translate::applyLanguage(QStringLiteral("AR_ar_AR"));
        desk.open(3);
        button("start_Btn_")->click();
        typeAhead(100, 0, weak);
        TestSupport::typeX11(desk.editor(), escape);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        desk.menu->show();
        desk.menu->findChild<QPushButton *>("report")->click();
        ReportsWindow *reports = shownWindows<ReportsWindow>().value(0);
        QVERIFY(reports);
        reports->findChild<QPushButton *>("weakButton")->click();
        QVERIFY(desk.opened());
        QVERIFY(window->isWeakKeyText());
        QVERIFY(shownText().contains(weak));
        QVERIFY(!desk.menu->isVisible());
        QVERIFY(recorder.messages.isEmpty());
    }
};

HARFORA_TEST_MAIN(TestPracticeModes)
#include "test_practicemodes.moc"
