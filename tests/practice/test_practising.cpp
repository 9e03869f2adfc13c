#include "app/clock.h"
#include "app/translate.h"
#include "keyboard/keyids.h"
#include "lessons/lessons.h"
#include "login/login.h"
#include "mainmenu/harforamain.h"
#include "practice/practising.h"
#include "tests/store/storefixture.h"
#include "tests/support/loggedin.h"
#include "tests/support/testsupport.h"

#include <QGraphicsEllipseItem>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

// X11 keycodes of the keys used here (PC keyboard, evdev + 8).
static unsigned keycodeOf(const QString &c)
{
    static const QHash<QString, unsigned> codes = {
        {"ت", 44}, {"ن", 45}, {"ب", 41}, {"س", 39}, {"م", 46}, {"ك", 47}, {"ش", 38}, {"ي", 40}, {" ", 65}};
    return codes.value(c);
}

class TestPractising : public QObject
{
    Q_OBJECT
    LoggedIn *session = nullptr;
    Login *login = nullptr;
    MessageRecorder *recorder = nullptr;
    HarforaMain *menu = nullptr;
    OverrideTranslator *texts = nullptr;
    QPointer<practising> window;

    static QString refs(const QString &text)
    {
        QString out;
        for (QChar c : text)
            out += QString("&#%1;").arg(c.unicode(), 4, 10, QChar('0'));
        return out;
    }
    void useText(int lesson, const QStringList &lines)
    {
        QString html = "<html><body>";
        for (const QString &l : lines)
            html += "<p align=\"right\"><line>" + refs(l) + "</p>";
        texts->set("practising", Keys::practiceTextSource(lesson), html + "</body></html>");
    }
    void open(int first = 1, int last = 0)
    {
        window = new practising(true, first, last, nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->startMenu = menu;
        window->loginWindow = login;
        window->show();
    }
    QWidget *editor() const { return window->findChild<QTextBrowser *>("editor"); }
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(name); }
    QLCDNumber *lcd(const char *name) const { return window->findChild<QLCDNumber *>(name); }
    void type(const QString &text)
    {
        for (QChar c : text)
            TestSupport::typeX11(editor(), keycodeOf(c), QString(c));
    }
    void key(unsigned scanCode) { TestSupport::typeX11(editor(), TestSupport::x11KeycodeForScanCode(scanCode)); }
    int wrong() const { return window->highlighter()->count(Highlighter::Wrong); }
    int correct() const { return window->highlighter()->count(Highlighter::Correct); }
    QList<QStringList> logRows() const
    {
        return Inspector(Store::usersDbPath).rows("SELECT topic, log1, log2, log3, log4, log5, log6 FROM activitylog");
    }
    // The format the highlighter gave the character at a position of a block.
    QTextCharFormat formatAt(int block, int position) const
    {
        const QTextBlock b = window->findChild<QTextBrowser *>("editor")->document()->findBlockByNumber(block);
        for (const QTextLayout::FormatRange &r : b.layout()->formats())
            if (position >= r.start && position < r.start + r.length)
                return r.format;
        return QTextCharFormat();
    }
    int blockOfLine(int line) const
    {
        int n = -1;
        const QTextDocument *doc = window->findChild<QTextBrowser *>("editor")->document();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            if (!b.text().isEmpty() && ++n == line)
                return b.blockNumber();
        return -1;
    }

private slots:
    void initTestCase()
    {
        Clock::setManual(true);
        session = new LoggedIn;
        login = session->login;
        recorder = &session->recorder;
    }
    void init()
    {
        translate::applyLanguage("AR_en_US"); // Arabic PC layout, English messages
        texts = new OverrideTranslator;
        useText(1, {"تن", "بت سم كن"});
        useText(2, {"شي"});
        menu = new HarforaMain(nullptr);
        menu->loginWindow = login;
        login->lastActivityKey.clear();
        practising::highestLesson = 33;
        Inspector(Store::usersDbPath).exec("DELETE FROM activitylog");
        recorder->clear();
        open();
    }
    void cleanup()
    {
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete menu;
        delete texts;
    }
    void cleanupTestCase() { delete session; }

    void opensOnTheFirstLesson()
    {
        QCOMPARE(window->size(), QSize(822, 633));
        QCOMPARE(window->findChild<QLabel *>("lessonnumber")->text(), QString("1"));
        QCOMPARE(window->textLines().characters,
                 (QList<QStringList>{{"ت", "ن"}, {"ب", "ت", " ", "س", "م", " ", "ك", "ن"}}));
        QCOMPARE(window->textLines().kinds, (QList<int>{1, 0}));
        QVERIFY(!button("previous_Btn")->isEnabled());
        QVERIFY(!button("stop_Btn")->isEnabled());
        QVERIFY(button("next_Btn")->isEnabled());
        QVERIFY(!window->fingerGuide()->isVisible());
    }

    void keyWhileIdleShowsInfo()
    {
        type("ت");
        QCOMPARE(recorder->messages.last().text, QString("Press start button to start training"));
        QCOMPARE(window->currentColumn(), 0);
    }

    void cleanRunNeverShowsTheGuide()
    {
        button("start_Btn_")->click();
        type("تن");
        QCOMPARE(window->currentLine(), 1);
        type("بت سم كن");
        QVERIFY(!window->isRunning());
        QCOMPARE(correct(), 10);
        QCOMPARE(wrong(), 0);
        QVERIFY(!window->fingerGuide()->isVisible());
        QCOMPARE(recorder->messages.last().text, QString("Practise lesson finished, do you want to retrain it?"));
        QCOMPARE(logRows().size(), 1);
        // spaced line: the second letter sits at position 2 of its block
        QCOMPARE(formatAt(blockOfLine(0), 2).background().color(), QColor(Qt::green));
        QCOMPARE(formatAt(blockOfLine(1), 7).background().color(), QColor(Qt::green));
    }

    void wrongKeyShowsTheFingerUntilTheNextCorrectKey()
    {
        button("start_Btn_")->click();
        type("ش"); // expected ت: right index
        QCOMPARE(wrong(), 1);
        QCOMPARE(window->currentColumn(), 1);
        QCOMPARE(formatAt(blockOfLine(0), 0).background().color(), QColor(Qt::red));
        QCOMPARE(formatAt(blockOfLine(0), 2).background().color(), QColor(Qt::yellow));
        HandView *guide = window->fingerGuide();
        QVERIFY(guide->isVisible());
        QVERIFY(guide->lastCircle());
        QCOMPARE(guide->lastCircle()->brush().color(), QColor("#859399"));
        QVERIFY(guide->lastCircle()->rect().x() < 100); // right hand: circle on the left side
        QCOMPARE(practising::fingerStats[1 * 5 + 1].errors, 1);
        type("ن");
        QVERIFY(!guide->isVisible());
        type("ب");
        type("ت");
        type("ش"); // expected space: the thumb, the picture stays
        QVERIFY(guide->isVisible());
    }

    void leftHandGuideIsMirrored()
    {
        useText(2, {"شي"});
        button("next_Btn")->click();
        button("start_Btn_")->click();
        type("ت"); // expected ش: left little, placed from the right edge of the mirrored picture
        QCOMPARE(window->fingerGuide()->lastCircle()->brush().color(), QColor("#94ba6d"));
        QCOMPARE(window->fingerGuide()->lastCircle()->rect(), QRectF(199 - 534 / 3, 198 / 4, 20, 20));
        type("ي"); // correct
        type("ت"); // nothing expected past the end: finished
        type("ت");
    }

    void enterJumpsLines()
    {
        button("start_Btn_")->click();
        type("ت");
        key(28);
        QCOMPARE(window->currentLine(), 1);
        QCOMPARE(window->currentColumn(), 0);
        QCOMPARE(wrong(), 0);
        QCOMPARE(correct(), 1);
        type("بت");
        key(28); // last line: only the view moves
        QCOMPARE(window->currentLine(), 1);
        QCOMPARE(window->currentColumn(), 2);
        QVERIFY(window->isRunning());
    }

    void namedKeysCountAsWrong_data()
    {
        QTest::addColumn<unsigned>("scanCode");
        QTest::newRow("shift") << 42u;
        QTest::newRow("right shift") << 54u;
        QTest::newRow("caps lock") << 58u;
        QTest::newRow("ctrl") << 29u;
        QTest::newRow("alt") << 56u;
        QTest::newRow("left") << 0x14Bu;
        QTest::newRow("up") << 0x148u;
        QTest::newRow("windows") << 0x15Bu;
        QTest::newRow("backspace") << 14u;
    }
    void namedKeysCountAsWrong()
    {
        QFETCH(unsigned, scanCode);
        button("start_Btn_")->click();
        key(scanCode);
        QCOMPARE(wrong(), 1);
        QCOMPARE(window->currentColumn(), 1);
    }

    void percentageCorrect()
    {
        button("start_Btn_")->click();
        type("تن");
        type("شت"); // wrong, correct
        window->timercount();
        QCOMPARE(lcd("lcdcorrect")->intValue(), 75);
        button("stop_Btn")->click();
        button("next_Btn")->click(); // new text, marks cleared
        button("start_Btn_")->click();
        useText(2, {"شيش"});
        QCOMPARE(wrong(), 0);
    }

    void percentageTruncates()
    {
        useText(3, {"بتس"});
        button("next_Btn")->click();
        button("next_Btn")->click();
        QCOMPARE(window->lessonNumber(), 3);
        button("start_Btn_")->click();
        type("بتش");
        window->timercount();
        QCOMPARE(lcd("lcdcorrect")->intValue(), 66);
    }

    void speedAppearsAtTheTwentyFirstTick()
    {
        button("start_Btn_")->click();
        lcd("lcdspeed")->display(7);
        type("ت");
        for (int tick = 0; tick < 20; ++tick)
            window->timercount();
        QCOMPARE(lcd("lcdspeed")->intValue(), 7);
        type("ن");
        window->timercount();
        // 21st tick: the ring wraps and slot 0 now holds the +1 of this tick
        // (60/min); the other 19 slots hold 0: 60 / 20
        QCOMPARE(lcd("lcdspeed")->intValue(), 3);
    }

    void stopThenStartContinues()
    {
        button("start_Btn_")->click();
        type("تن");
        type("ب");
        button("stop_Btn")->click();
        QVERIFY(button("start_Btn_")->isEnabled());
        QVERIFY(button("next_Btn")->isEnabled());
        button("start_Btn_")->click();
        QCOMPARE(window->currentLine(), 1);
        QCOMPARE(window->currentColumn(), 1);
        QVERIFY(!button("next_Btn")->isEnabled());
        // the first character keeps its result; the position stays marked
        QCOMPARE(formatAt(blockOfLine(0), 0).background().color(), QColor(Qt::green));
        QCOMPARE(formatAt(blockOfLine(1), 1).background().color(), QColor(Qt::yellow));
        type("ت");
        QCOMPARE(correct(), 4);
        QCOMPARE(window->currentColumn(), 2);
    }

    void finishAndRetrain()
    {
        recorder->replies.append(QMessageBox::Yes);
        button("start_Btn_")->click();
        type("تن");
        window->timercount();
        type("بت سم كن");
        QVERIFY(window->isRunning());
        QCOMPARE(window->currentLine(), 0);
        QCOMPARE(window->currentColumn(), 0);
        QCOMPARE(correct(), 0);
        type("ت");
        QCOMPARE(correct(), 1);
    }

    void logRowFields()
    {
        practising::FingerStats clean[10];
        Q_UNUSED(clean);
        button("start_Btn_")->click();
        Clock::advance(250);
        type("ت");
        type("ش"); // wrong: expected ن
        window->timercount();
        window->timercount();
        button("stop_Btn")->click();
        const QList<QStringList> rows = logRows();
        QCOMPARE(rows.size(), 1);
        const QStringList row = rows.first();
        QCOMPARE(row[0], QString("Practise"));
        QCOMPARE(row[1], QString("1"));
        // Tm S P E: 2 s, speed not shown yet, 50 %, (1 wrong + 1 current) / (2 lines + 10 characters)
        QCOMPARE(row[2], QString("2 0 50 16.6667"));
        const QStringList keyRows = row[3].split("  ");
        QCOMPARE(keyRows.size(), 4);
        QCOMPARE(keyRows[2].split(' ', Qt::SkipEmptyParts).size(), 13);
        QCOMPARE(keyRows[0], QString("0 ").repeated(13).trimmed());
        QVERIFY(row[3].endsWith("0 "));
        const QStringList fingers = row[4].split(' ');
        QCOMPARE(fingers.size(), 16);
        QCOMPARE(fingers.mid(8, 4), (QStringList{"0", "0", "0", "0"}));   // left hand: nothing typed
        // right index: 1 correct of 1; right middle (ن expected): 0 of 1
        QCOMPARE(fingers.mid(12, 4), (QStringList{"100", "0", "0", "0"}));
        QCOMPARE(fingers[4], QString("250")); // right index: one key after 250 ms
        QCOMPARE(keyRows[2].split(' ').at(6), QString("250"));
        QCOMPARE(row[5], QString());
        QCOMPARE(row[6], QString());
        button("start_Btn_")->click();
        button("stop_Btn")->click();
        QCOMPARE(logRows().size(), 1); // nothing typed between the stops
    }

    void openedFromTheLessonViewerOnLessonFive()
    {
        window->close();
        useText(5, {"تن"});
        Lessons viewer;
        window = new practising(true, 5, 5, nullptr);
        window->lessonViewer = &viewer;
        window->show();
        QVERIFY(!button("previous_Btn")->isEnabled());
        QVERIFY(!button("next_Btn")->isEnabled());
        QCOMPARE(practising::highestLesson, 5);
        QVERIFY(practising::openedFromLessons);
        button("start_Btn_")->click();
        type("ت");
        button("stop_Btn")->click();
        window->close();
        QVERIFY(viewer.isVisible());
        // a later window from the start menu stops at lesson 5
        open();
        for (int i = 0; i < 6; ++i)
            button("next_Btn")->click();
        QCOMPARE(window->lessonNumber(), 5);
        QVERIFY(!button("next_Btn")->isEnabled());
    }

    void textWithoutLinesIsSafe()
    {
        texts->set("practising", Keys::practiceTextSource(2), "<p>no lines here</p>");
        button("next_Btn")->click();
        QVERIFY(window->textLines().characters.isEmpty());
        button("start_Btn_")->click();
        type("ت");
        key(28);
        key(57);
        QCOMPARE(correct() + wrong(), 0);
        button("stop_Btn")->click();
    }

    void keysAfterTheEndAndCloseMidRun()
    {
        button("start_Btn_")->click();
        type("تن");
        key(28);
        key(28);
        type("بت سم كنتتت");
        QVERIFY(!window->isRunning());
        button("start_Btn_")->click();
        type("ت");
        type("ت");
        window->close();
        QVERIFY(menu->isVisible());
    }
};

HARFORA_TEST_MAIN(TestPractising)
#include "test_practising.moc"
