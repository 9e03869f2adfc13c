#include "app/catalogues.h"
#include "keyboard/keyids.h"
#include "keyboard/scancode.h"
#include "practice/fingers.h"
#include "practice/runrecord.h"
#include "practice/typingrun.h"
#include "tests/support/coresupport.h"

// A practice run without a window. Texts and keys are written by key
// identifier, so every case reads its characters from the active layout:
// "R3_7" the plain caption of that key, "+R3_6" its Shift caption (typed with
// Shift held), "_" the space, "|" a line end; a number is a scan code.
namespace {
const char *catalogueOf(const QString &layout)
{
    return layout == "mac" ? "AR_ar_EG" : "AR_en_US";
}

QString captionOf(const QString &token)
{
    if (token == "_")
        return QStringLiteral(" ");
    if (token.startsWith('+'))
        return Keys::caption(Keys::Layer::Shift, token.mid(1));
    return Keys::caption(Keys::Layer::Plain, token);
}

PracticeText::Lines linesOf(const QString &text)
{
    PracticeText::Lines lines;
    for (const QString &line : text.split('|', Qt::SkipEmptyParts)) {
        QStringList characters;
        for (const QString &token : line.split(' ', Qt::SkipEmptyParts))
            for (QChar c : captionOf(token))
                characters.append(QString(c));
        lines.characters.append(characters);
        lines.kinds.append(PracticeText::AsWritten);
    }
    return lines;
}

// Presses the keys of a stroke list; returns the last step.
TypingRun::Step press(TypingRun &run, const QString &strokes)
{
    TypingRun::Step step;
    for (const QString &stroke : strokes.split(' ', Qt::SkipEmptyParts)) {
        bool number = false;
        const unsigned code = stroke.toUInt(&number);
        const bool shift = stroke.startsWith('+');
        step = run.press(ScanCodes::keyName(number ? code : Keys::scanCodeForKeyId(stroke.mid(shift ? 1 : 0)), shift));
    }
    return step;
}

int fingerSlotOf(const QString &id)
{
    int finger = -1, hand = -1;
    Fingers::assign(Keys::rowOf(id), Keys::columnOf(id), finger, hand);
    return hand * 5 + finger;
}

const char practiceOne[] = "R3_7 R3_8 | R3_4 R3_7 _ R3_2 R3_9 _ R3_10 R3_8";

// A run over a text of the active layout, started, with its finger slots.
struct FingerSlots {
    TypingRun::FingerStats fingers[10];
};
struct Run : FingerSlots, TypingRun {
    explicit Run(const QString &written = practiceOne) : TypingRun(fingers)
    {
        load(linesOf(written));
        resume();
    }
};
}

class TestTypingRun : public QObject
{
    Q_OBJECT
private slots:
    void init() { Catalogues::apply("AR_en_US"); }

    void keys_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("strokes");
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("finished");
        const QString clean = "R3_7 R3_8 R3_4 R3_7 57 R3_2 R3_9 57 R3_10 R3_8";
        QTest::newRow("clean text") << "pc" << practiceOne << clean << 10 << 0 << 1 << 8 << true;
        QTest::newRow("keys after the end change nothing") << "pc" << practiceOne << clean + " R3_7 28 R3_7" << 10 << 0 << 1 << 8 << true;
        QTest::newRow("a wrong key advances") << "pc" << practiceOne << "R3_1" << 0 << 1 << 0 << 1 << false;
        QTest::newRow("Enter skips the rest uncounted") << "pc" << practiceOne << "R3_7 28" << 1 << 0 << 1 << 0 << false;
        QTest::newRow("Enter on the last line stays") << "pc" << practiceOne << "R3_7 28 R3_4 R3_7 28" << 3 << 0 << 1 << 2 << false;
        QTest::newRow("a line end moves on") << "pc" << practiceOne << "R3_7 R3_8 R3_4" << 3 << 0 << 1 << 1 << false;
        const QPair<const char *, const char *> named[] = {
            {"shift before a plain character", "42"}, {"right shift before a plain character", "54"},
            {"caps lock", "58"}, {"ctrl", "29"}, {"alt", "56"}, {"left", "331"}, {"up", "328"},
            {"windows", "347"}, {"backspace", "14"}};
        for (const auto &n : named)
            QTest::newRow(n.first) << "pc" << practiceOne << n.second << 0 << 1 << 0 << 1 << false;
        QTest::newRow("shift held on a plain character") << "pc" << "R3_7 R3_8" << "+R3_7" << 0 << 1 << 0 << 1 << false;
        QTest::newRow("shift alone before a shift character") << "pc" << "+R3_6 R3_7" << "42 54" << 0 << 0 << 0 << 0 << false;
        QTest::newRow("shift chord, then shift before a plain one") << "pc" << "+R3_6 R3_7" << "42 +R3_6 54" << 1 << 1 << 0 << 2 << true;
        QTest::newRow("mac blank shift caption is wrong") << "mac" << "_ R3_7" << "+R3_5" << 0 << 1 << 0 << 1 << false;
        QTest::newRow("lam-alef by one stroke") << "pc" << "R3_5 R3_6 R3_7" << "R4_6" << 2 << 0 << 0 << 2 << false;
        QTest::newRow("lam-alef by two keys") << "pc" << "R3_5 R3_6 R3_7" << "R3_5 R3_6" << 2 << 0 << 0 << 2 << false;
        QTest::newRow("lam-alef key on lam and another letter") << "pc" << "R3_5 R3_7 R3_7" << "R4_6" << 0 << 1 << 0 << 1 << false;
        QTest::newRow("lam-alef stroke across a line end") << "pc" << "R3_7 R3_5 | R3_6 R3_8" << "R3_7 R4_6" << 3 << 0 << 1 << 1 << false;
        QTest::newRow("lam-alef stroke at the end of the text") << "pc" << "R3_7 R3_5 R3_6" << "R3_7 R4_6" << 3 << 0 << 0 << 3 << true;
        QTest::newRow("lam-alef stroke on the last lam") << "pc" << "R3_7 R3_5" << "R3_7 R4_6" << 1 << 1 << 0 << 2 << true;
        QTest::newRow("two-letter shift caption") << "pc" << "+R3_5" << "42 +R3_5" << 2 << 0 << 0 << 2 << true;
        QTest::newRow("no lines") << "pc" << "" << "R3_7 28 57" << 0 << 0 << 0 << 0 << false;
    }
    void keys()
    {
        QFETCH(QString, layout);
        QFETCH(QString, text);
        QFETCH(QString, strokes);
        Catalogues::apply(catalogueOf(layout));
        Run run(text);
        press(run, strokes);
        QTEST(run.count(TypingRun::Correct), "correct");
        QTEST(run.count(TypingRun::Wrong), "wrong");
        QTEST(run.line(), "line");
        QTEST(run.column(), "column");
        QTEST(run.isFinished(), "finished");
        QCOMPARE(run.count(TypingRun::Current), run.isFinished() || text.isEmpty() ? 0 : 1);
    }

    void everyShiftCaption_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("ownKey"); // no other key types this caption
        for (const QString layout : {"pc", "mac"}) {
            Catalogues::apply(catalogueOf(layout));
            QStringList captions;
            for (const QString &id : Keys::characterKeyIds())
                captions << Keys::caption(Keys::Layer::Plain, id) << Keys::caption(Keys::Layer::Shift, id);
            for (const QString &id : Keys::characterKeyIds()) {
                const QString caption = Keys::caption(Keys::Layer::Shift, id);
                if (!caption.trimmed().isEmpty())
                    QTest::addRow("%s %s", qPrintable(layout), qPrintable(id)) << layout << id << (captions.count(caption) == 1);
            }
        }
    }
    // Shift alone, then the key with Shift held: correct, counted under the key's own finger.
    void everyShiftCaption()
    {
        QFETCH(QString, layout);
        QFETCH(QString, id);
        QFETCH(bool, ownKey);
        Catalogues::apply(catalogueOf(layout));
        Run run('+' + id);
        const QString caption = captionOf('+' + id);
        const TypingRun::Step step = press(run, "42 +" + id);
        QCOMPARE(run.count(TypingRun::Correct), caption.size());
        QCOMPARE(run.count(TypingRun::Wrong), 0);
        QVERIFY(step.finished);
        if (ownKey)
            QCOMPARE(run.fingers[fingerSlotOf(id)].correct, 1);
        // a mistake on it shows the finger of its own key
        run.load(linesOf('+' + id));
        run.resume();
        const TypingRun::Step wrong = press(run, "57");
        QCOMPARE(wrong.guide, TypingRun::Guide::Show);
        if (ownKey && caption.size() == 1) {
            QCOMPARE(wrong.hand * 5 + wrong.finger, fingerSlotOf(id));
            QCOMPARE(run.fingers[fingerSlotOf(id)].errors, 1);
        }
    }

    // Enter is neither a mistake nor a key typed right: the finger guide stays as it is.
    void enterLeavesTheGuide()
    {
        Run run;
        QCOMPARE(press(run, "R3_1").guide, TypingRun::Guide::Show);
        QCOMPARE(press(run, "28").guide, TypingRun::Guide::Unchanged);
    }

    // A spaced line shows character n at position 2n; a position holds one mark.
    void marksSitWhereTheLineShowsThem()
    {
        Run run;
        PracticeText::Lines lines = linesOf("R3_7 R3_8 | R3_4");
        lines.kinds[0] = PracticeText::Spaced;
        run.load(lines);
        run.resume();
        press(run, "R3_1 R3_8 28");
        QVector<QPair<int, int>> seen;
        for (const TypingRun::Mark &m : run.takeMarks())
            seen.append({m.kind, m.line * 100 + m.position});
        const QVector<QPair<int, int>> expected = {
            {TypingRun::Current, 0}, {TypingRun::Wrong, 0},   {TypingRun::Current, 2},
            {TypingRun::Correct, 2}, {TypingRun::Current, 100}};
        QCOMPARE(seen, expected);
        QVERIFY(run.takeMarks().isEmpty());
        QCOMPARE(run.count(TypingRun::Current), 1);
    }

    void figures_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("strokes");
        QTest::addColumn<int>("percent");
        QTest::newRow("2 of 3 truncates") << "R3_4 R3_7 R3_2" << "R3_4 R3_7 R3_1" << 66;
        QTest::newRow("nothing typed") << QString(practiceOne) << "" << 0;
    }
    // The displays' figures belong to the run: a restart clears them all.
    void figures()
    {
        QFETCH(QString, text);
        QFETCH(QString, strokes);
        QFETCH(int, percent);
        Run run(text);
        press(run, strokes);
        QCOMPARE(run.percentCorrect(), 0); // shown at the next tick or stop
        run.tick();
        QCOMPARE(run.percentCorrect(), percent);
        QCOMPARE(run.seconds(), 1);
        run.restart();
        QCOMPARE(run.percentCorrect(), 0);
        QCOMPARE(run.seconds(), 0);
        QCOMPARE(run.count(TypingRun::Correct) + run.count(TypingRun::Wrong), 0);
        run.resume();
        press(run, strokes);
        run.updatePercentCorrect();
        QCOMPARE(run.percentCorrect(), percent);
        run.restart();
        QVERIFY(run.evaluation("1")[2].startsWith("0 0 0 "));
        QCOMPARE(run.evaluation("1")[4], QString("0 ").repeated(16).trimmed());
    }

    void speedAppearsAtTheTwentyFirstTick()
    {
        Run run;
        press(run, "R3_7");
        for (int tick = 0; tick < 20; ++tick)
            run.tick();
        QVERIFY(!run.speedKnown());
        QCOMPARE(run.speed(), 0);
        press(run, "R3_8");
        run.tick();
        // the ring wraps: slot 0 holds this tick's +1 (60/min), the other 19 slots 0
        QVERIFY(run.speedKnown());
        QCOMPARE(run.speed(), 3);
        QCOMPARE(run.overallSpeed(), 2 * 60 / 21);
        run.restart();
        QVERIFY(!run.speedKnown());
        QCOMPARE(run.speed(), 0);
        press(run, "R3_7");
        run.tick(); // the ring starts empty again
        QVERIFY(!run.speedKnown());
    }

    void mostMissedCharacters()
    {
        Run run("R3_7 R3_8 R3_4 R3_7 R3_7 R3_2 R3_4");
        press(run, "R3_1 R3_1 R3_1 R3_1 R3_7 R3_1 R3_1");
        QCOMPARE(run.mostMissed(3), (QStringList{captionOf("R3_7"), captionOf("R3_4"), captionOf("R3_8")}));
        QCOMPARE(run.mostMissed(1), QStringList{captionOf("R3_7")});
    }

    void evaluationFields()
    {
        Clock::setManual(true);
        Run run("R3_7 R3_7 _ R3_8 R3_8");
        for (const auto &[ms, key] : {QPair<int, QString>{100, "R3_7"}, {300, "R3_7"}, {50, "57"}, {50, "R3_8"}}) {
            Clock::advance(ms);
            press(run, key);
        }
        press(run, "R3_1"); // wrong: expected ن
        run.tick();
        run.tick();
        const QStringList row = run.evaluation("1");
        QCOMPARE(row.size(), 7);
        // Tm S P E: 2 s, speed not shown yet, 80 %, (1 wrong + 0 current) / (1 line + 5 characters)
        QCOMPARE(row.mid(0, 3), (QStringList{"Practise", "1", "2 0 80 16.6667"}));
        // log3: mean ms per key, rows 1-4 by columns 1-13; the space is no key and its time runs on to ن
        const QString none = QString("0 ").repeated(13);
        QCOMPARE(row[3], none + ' ' + none + ' ' + "0 0 0 0 0 0 200 100 0 0 0 0 0 " + ' ' + none);
        // log4: mean ms of fingers 1-4, left hand then right, then their correct %
        QCOMPARE(row[4], QString("0 0 0 0 200 100 0 0 0 0 0 0 100 50 0 0"));
        // log5: every stroke's own interval, the space included
        const QString id = run.record().runId();
        QVERIFY(!id.isEmpty());
        QCOMPARE(row[5], "k1 " + id + " 4 1 0 %0020:1:0:50 " + captionOf("R3_7") + ":2:0:200 " + captionOf("R3_8") +
                             ":1:1:50");
        QCOMPARE(row[6], "c1 " + captionOf("R3_8") + '>' + captionOf("R3_1") + ":1");
        Clock::setManual(false);
    }

    // A known wrong key where a known character is expected, several times.
    void plannedWrongKey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("strokes");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("times");
        QTest::newRow("neighbour, three times")
            << "R3_7 R3_8 R3_7 R3_8 R3_7 R3_8" << "R3_7 R3_9 R3_7 R3_9 R3_7 R3_9" << "R3_8" << "R3_9" << 3;
        QTest::newRow("plain for Shift layer") << "+R3_6 R3_7 +R3_6" << "R3_6 R3_7 R3_6"
                                               << "+R3_6" << "R3_6" << 2;
        QTest::newRow("Shift for plain, once") << "R3_7 R3_8" << "42 R3_8" << "R3_7" << "Shift" << 1;
        QTest::newRow("Caps Lock for the space") << "R3_7 _ R3_8 _ R3_7" << "R3_7 58 R3_8 58 R3_7"
                                                 << "_" << "R3_1" << 2;
    }
    void plannedWrongKey()
    {
        QFETCH(QString, text);
        QFETCH(QString, strokes);
        QFETCH(QString, expected);
        QFETCH(QString, typed);
        QFETCH(int, times);
        Run run(text);
        press(run, strokes);
        const QStringList row = run.evaluation("2");
        const QString want = RunRecord::escape(captionOf(expected));
        const QString got = typed == "Shift" || typed == "R3_1" ? typed : RunRecord::escape(captionOf(typed));
        // The pair comes first among the confusions, with its count.
        QVERIFY2(row[6].startsWith("c1 " + want + '>' + got + ':' + QString::number(times)), qPrintable(row[6]));
        const QStringList fields = row[5].split(' ');
        QCOMPARE(fields[3], QString::number(times)); // wrong strokes in the run
        QString entry;
        for (const QString &f : fields.mid(5))
            if (f.startsWith(want + ':'))
                entry = f;
        QCOMPARE(entry.section(':', 2, 2), QString::number(times));
    }

    void stoppedAndContinuedRunKeepsItsToken()
    {
        Run run("R3_7 R3_8 | R3_4 R3_7");
        press(run, "R3_7 R3_9");
        const QStringList firstStop = run.evaluation("1");
        run.resume();
        press(run, "R3_4 R3_7");
        QVERIFY(run.isFinished());
        const QStringList secondStop = run.evaluation("1");
        const QString id = firstStop[5].section(' ', 1, 1);
        QCOMPARE(secondStop[5].section(' ', 1, 1), id);
        // Figures of the whole run so far at each stop.
        QCOMPARE(firstStop[5].section(' ', 2, 4), QString("1 1 0"));
        QCOMPARE(secondStop[5].section(' ', 2, 4), QString("3 1 0"));
        run.restart();
        run.resume();
        QVERIFY(run.evaluation("1")[5].section(' ', 1, 1) != id);
    }

    void enterSkipsTheRestOfTheLine()
    {
        Run run("R3_7 R3_8 R3_4 | R3_7");
        press(run, "R3_7 28");
        QCOMPARE(run.evaluation("1")[5].section(' ', 2, 4), QString("1 0 2"));
    }

    void escapedCharactersComeBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("space") << " ";
        QTest::newRow("separators") << "%:> \t\n";
        QTest::newRow("control") << QString(QChar(0x7)) + QChar(0x200f);
        QTest::newRow("letters") << captionOf("R3_7") + captionOf("+R3_6");
    }
    void escapedCharactersComeBack()
    {
        QFETCH(QString, text);
        const QString written = RunRecord::escape(text);
        for (QChar c : {QChar(' '), QChar(':'), QChar('>'), QChar('\t')})
            QVERIFY(!written.contains(c));
        QString back;
        QVERIFY(RunRecord::unescape(written, back));
        QCOMPARE(back, text);
    }

    // Every key of both layers expected and missed for a wrong one many times.
    void rowStaysSmall()
    {
        QString text, strokes;
        const QStringList ids = Keys::characterKeyIds();
        for (int k = 0; k < ids.size(); ++k)
            for (int i = 1; i <= 3; ++i) {
                text += ids[k] + " +" + ids[k] + ' ';
                strokes += ids[(k + i) % ids.size()] + ' ' + "+" + ids[(k + i + 5) % ids.size()] + ' ';
            }
        Run run(text);
        press(run, strokes);
        QStringList row = run.evaluation("12");
        QVERIFY(row[6].count(' ') > 10);
        QVERIFY2(32 + 32 + row.join(QString()).toUtf8().size() <= 2048,
                 qPrintable(QString::number(row.join(QString()).toUtf8().size())));
    }
};

HARFORA_CORE_TEST_MAIN(TestTypingRun)
#include "test_typingrun.moc"
