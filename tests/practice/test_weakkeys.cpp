#include "app/catalogues.h"
#include "practice/leveltest.h"
#include "practice/runrecord.h"
#include "practice/textprep.h"
#include "practice/weakkeyplan.h"
#include "practice/weakkeys.h"
#include "practice/weakkeytext.h"
#include "reports/activityreader.h"
#include "tests/support/coresupport.h"
#include "tests/support/hunspellcheck.h"

// Rows as the practice window writes them, read back the way the weak-key
// practice reads them.
namespace {
ActivityLogRow practiceRow(qint64 order, const QString &text, const RunRecord &record, int correct, int wrong)
{
    ActivityLogRow row;
    row.order = order;
    row.entrydate = QStringLiteral("Tue Dec 8 10:00:00 2026");
    row.topic = QStringLiteral("Practise");
    row.log[0] = text;
    row.log[1] = QStringLiteral("120 60 90 100");
    row.log[4] = record.keyFigures(correct, wrong);
    row.log[5] = record.confusionFigures(1000);
    return row;
}

ActivityLogRow lessonRow(qint64 order, int lesson)
{
    ActivityLogRow row;
    row.order = order;
    row.topic = QStringLiteral("Lesson");
    row.log[0] = QString::number(lesson);
    return row;
}

// A run of practice text `text` in which every reached letter is typed
// steadily and `weak` is missed again and again (typed as `instead`).
ActivityLogRow runWithWeakKey(qint64 order, int text, const QString &weak, const QString &instead)
{
    RunRecord record;
    record.begin();
    int correct = 0, wrong = 0;
    for (const QString &caption : WeakKeyText::captionsReached(text))
        for (int n = 0; n < 40; ++n, ++correct)
            record.hit(caption, 350);
    for (int n = 0; n < 15; ++n, ++wrong)
        record.miss(weak, instead);
    return practiceRow(order, QString::number(text), record, correct, wrong);
}
}

class TestWeakKeys : public QObject
{
    Q_OBJECT

    // Figures of a character typed `hits` times right after `meanMs` each and `errors` times wrong.
    static KeyFigures typed(int hits, int errors, int meanMs)
    {
        KeyFigures f;
        f.hits = hits;
        f.errors = errors;
        f.totalMs = qint64(hits) * meanMs;
        return f;
    }
    // A learner sure of every reached letter (near the target speed, an error in forty) but the weak ones.
    static Keystrokes steadyRun(const QStringList &reached, const QMap<QString, KeyFigures> &weak = {})
    {
        Keystrokes run;
        for (const QString &caption : reached)
            for (const QChar c : caption)
                run.keys[QString(c)] = typed(40, 1, 350);
        for (auto it = weak.cbegin(); it != weak.cend(); ++it)
            run.keys[it.key()] = it.value();
        return run;
    }
    static QString letters(const QStringList &captions) { return captions.join(QString()); }

private slots:
    // The target speed of 150 characters a minute is 400 ms a key.
    void confidence_data()
    {
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("meanMs");
        QTest::addColumn<double>("expected");
        QTest::newRow("untyped: the prior") << 0 << 0 << 0 << 0.5;
        QTest::newRow("faster than the target counts as the target") << 200 << 0 << 300 << 205.0 / 210;
        QTest::newRow("at the target") << 200 << 0 << 400 << 205.0 / 210;
        QTest::newRow("half the target speed") << 200 << 0 << 800 << 0.5;
        QTest::newRow("an error weighs two hits") << 100 << 50 << 400 << 0.5;
        QTest::newRow("slow and wrong") << 100 << 25 << 800 << (125 * 0.5 * (100.0 / 150) + 5) / 135;
        QTest::newRow("two fast strokes stay near the prior") << 2 << 0 << 300 << 7.0 / 12;
        QTest::newRow("only errors") << 0 << 20 << 0 << 5.0 / 30;
    }
    void confidence()
    {
        QFETCH(int, hits);
        QFETCH(int, errors);
        QFETCH(int, meanMs);
        QFETCH(double, expected);
        Keystrokes k;
        k.keys[QStringLiteral("ت")] = typed(hits, errors, meanMs);
        k.keys[QStringLiteral("ب")] = typed(1, 0, 400);
        const KeyConfidence c(k, {QStringLiteral("ت"), QStringLiteral("ب")});
        QVERIFY2(qAbs(c.confidence(QStringLiteral("ت")) - expected) < 1e-9,
                 qPrintable(QString::number(c.confidence(QStringLiteral("ت")))));
    }

    // The least confident reached letters, never a key not reached, the space or a sign.
    void focus()
    {
        const QStringList reached{QStringLiteral(" "), QStringLiteral("ت"), QStringLiteral("ب"), QStringLiteral("ن"),
                                  QStringLiteral("م"), QStringLiteral("،"), QStringLiteral("لا")};
        Keystrokes k = steadyRun(reached, {{QStringLiteral("ن"), typed(30, 12, 700)},
                                           {QStringLiteral("ب"), typed(30, 2, 900)},
                                           {QStringLiteral("ت"), typed(40, 3, 350)},
                                           {QStringLiteral(" "), typed(10, 30, 2000)},
                                           {QStringLiteral("،"), typed(1, 20, 2000)},
                                           {QStringLiteral("ج"), typed(1, 40, 3000)}});
        const KeyConfidence c(k, reached);
        QCOMPARE(c.focus(), (QStringList{QStringLiteral("ن"), QStringLiteral("ب"), QStringLiteral("ت")}));
        QCOMPARE(QSet<QString>(c.ranked().begin(), c.ranked().end()),
                 (QSet<QString>{QStringLiteral("ت"), QStringLiteral("ب"), QStringLiteral("ن"), QStringLiteral("م"),
                                QStringLiteral("ل"), QStringLiteral("ا")}));
    }

    void noKeystrokes()
    {
        const QStringList reached = WeakKeyText::captionsReached(5);
        Keystrokes k;
        k.keys[QStringLiteral("ت")] = KeyFigures();  // a character listed without strokes
        const KeyConfidence c(k, reached);
        QVERIFY(!c.hasKeystrokes());
        QVERIFY(c.focus().isEmpty());
        const WeakKeyText text(c, reached, WeakKeyText::vocabulary());
        QVERIFY(!text.isPossible());
        QVERIFY(text.lines(1).isEmpty());
    }

    // Newest runs first, each character until it has enough strokes: old figures drop out.
    void recentRuns()
    {
        Keystrokes newest, middle, oldest;
        newest.keys[QStringLiteral("ت")] = typed(40, 10, 300);
        middle.keys[QStringLiteral("ت")] = typed(45, 5, 300);
        oldest.keys[QStringLiteral("ت")] = typed(10, 40, 900);
        oldest.keys[QStringLiteral("ب")] = typed(10, 0, 500);
        newest.confusions[{QStringLiteral("ت"), QStringLiteral("ب")}] = 10;
        oldest.confusions[{QStringLiteral("ت"), QStringLiteral("ن")}] = 40;
        const Keystrokes sum = Keystrokes::recent({newest, middle, oldest}, 80);
        QCOMPARE(sum.keys[QStringLiteral("ت")].hits, 85);
        QCOMPARE(sum.keys[QStringLiteral("ت")].errors, 15);
        QCOMPARE(sum.keys[QStringLiteral("ت")].totalMs, qint64(85 * 300));
        QCOMPARE(sum.keys[QStringLiteral("ب")].hits, 10);
        QCOMPARE(sum.confusions.value({QStringLiteral("ت"), QStringLiteral("ب")}), 10);
        QCOMPARE(sum.confusions.value({QStringLiteral("ت"), QStringLiteral("ن")}), 0);
    }

    // A learner slow and unsure of ن practises; run by run ن grows fast and
    // accurate, and the focus moves on to the next weakest key.
    void focusMovesWithPractice()
    {
        Catalogues::apply(QStringLiteral("AR_ar_AR"));
        const QStringList reached = WeakKeyText::captionsReached(3);
        QList<Keystrokes> runs{steadyRun(reached, {{QStringLiteral("ن"), typed(25, 15, 1100)},
                                                   {QStringLiteral("ك"), typed(40, 4, 600)}})};
        QCOMPARE(KeyConfidence(Keystrokes::recent(runs), reached).focus().value(0), QStringLiteral("ن"));
        double before = 0;
        for (int run = 0; run < 4; ++run) {
            const KeyConfidence now(Keystrokes::recent(runs), reached);
            QVERIFY(now.confidence(QStringLiteral("ن")) > before);
            before = now.confidence(QStringLiteral("ن"));
            runs.prepend(steadyRun(reached, {{QStringLiteral("ن"), typed(30, 0, 350)},
                                             {QStringLiteral("ك"), typed(40, 4, 600)}}));
        }
        const KeyConfidence after(Keystrokes::recent(runs), reached);
        QVERIFY2(!after.focus().contains(QStringLiteral("ن")), qPrintable(after.focus().join(' ')));
        QCOMPARE(after.focus().value(0), QStringLiteral("ك"));
    }

    // The words of an unsure focus key, and of the expected letter of a common
    // confusion, are drawn more often.
    void wordWeights()
    {
        Catalogues::apply(QStringLiteral("AR_ar_AR"));
        const QStringList reached = WeakKeyText::captionsReached(3);
        Keystrokes k = steadyRun(reached, {{QStringLiteral("ط"), typed(10, 10, 900)}});
        const WeakKeyText plain(KeyConfidence(k, reached), reached, WeakKeyText::vocabulary());
        double with = 0, without = 0;
        int withCount = 0;
        for (const QString &word : plain.candidates()) {
            const bool holds = word.contains(QStringLiteral("ط"));
            (holds ? with : without) += plain.weight(word);
            withCount += holds ? 1 : 0;
        }
        QVERIFY(withCount > 10);
        QVERIFY2(with / withCount > 3 * without / (plain.candidates().size() - withCount),
                 qPrintable(QStringLiteral("%1 against %2").arg(with / withCount).arg(without / (plain.candidates().size() - withCount))));
        k.confusions[{QStringLiteral("م"), QStringLiteral("ن")}] = 25;
        const WeakKeyText confused(KeyConfidence(k, reached), reached, WeakKeyText::vocabulary());
        int checked = 0;
        for (const QString &word : confused.candidates()) {
            if (word.contains(QStringLiteral("ط")))
                continue;
            const bool holds = word.contains(QStringLiteral("م"));
            QVERIFY2((confused.weight(word) > plain.weight(word)) == holds, qPrintable(word));
            checked += holds ? 1 : 0;
        }
        QVERIFY(checked > 10);
    }

    void text_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<int>("lesson");
        QTest::addColumn<QString>("weak");
        QTest::addColumn<QString>("held"); // what the text must hold
        QTest::newRow("PC, lesson 3, a plain letter") << "AR_ar_AR" << 3 << "ت" << "ت";
        QTest::newRow("PC, lesson 7, taa marbuta") << "AR_ar_AR" << 7 << "ة" << "ة";
        QTest::newRow("PC, lesson 10, hamza on alef") << "AR_ar_AR" << 10 << "أ" << "لأ";
        QTest::newRow("PC, all lessons, lam of lam-alef") << "AR_ar_AR" << 18 << "ل" << "لا";
        QTest::newRow("Macintosh, lesson 3") << "AR_ar_EG" << 3 << "ك" << "ك";
        QTest::newRow("Macintosh, lesson 10, hamza under alef") << "AR_ar_EG" << 10 << "إ" << "لإ";
        QTest::newRow("Macintosh, all lessons, hamza on yaa") << "AR_ar_EG" << 18 << "ئ" << "ئ";
    }
    void text()
    {
        QFETCH(QString, catalogue);
        QFETCH(int, lesson);
        QFETCH(QString, weak);
        QFETCH(QString, held);
        Catalogues::apply(catalogue);
        const QStringList reached = WeakKeyText::captionsReached(lesson);
        QVERIFY2(letters(reached).contains(weak), qPrintable(letters(reached)));
        const KeyConfidence confidence(steadyRun(reached, {{weak, typed(20, 15, 1200)}}), reached);
        QCOMPARE(confidence.focus().value(0), weak);
        const WeakKeyText text(confidence, reached, WeakKeyText::vocabulary());
        const QStringList lines = text.lines(7);
        QCOMPARE(text.lines(7), lines);
        QVERIFY(text.lines(8) != lines);

        // through the practice window's preparation: lines of words, no drills
        PracticeText::Lines prepared;
        PracticeText::prepare(WeakKeyText::html(lines), prepared);
        QCOMPARE(prepared.characters.size(), lines.size());
        int typedCharacters = 0, words = 0, withFocus = 0;
        const QString keys = letters(reached);
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(prepared.characters[i].join(QString()), lines[i]);
            QCOMPARE(prepared.kinds[i], int(PracticeText::AsWritten));
            QVERIFY2(lines[i].size() <= 27, qPrintable(lines[i]));
            typedCharacters += lines[i].size();
            for (const QChar c : lines[i])
                QVERIFY2(keys.contains(c), qPrintable(QStringLiteral("not reached: %1 in %2").arg(c).arg(lines[i])));
            for (const QString &w : lines[i].split(QLatin1Char(' '))) {
                ++words;
                for (const QString &f : confidence.focus())
                    if (w.contains(f)) {
                        ++withFocus;
                        break;
                    }
            }
        }
        QVERIFY2(typedCharacters >= 600, qPrintable(QString::number(typedCharacters)));
        QVERIFY2(withFocus * 10 >= words * 3, qPrintable(QStringLiteral("%1 of %2").arg(withFocus).arg(words)));
        QVERIFY2(lines.join(QLatin1Char(' ')).contains(held), qPrintable(lines.join('\n')));

        if (HunspellCheck::program().isEmpty())
            QSKIP("needs the hunspell program and hunspell-ar's dictionary (scripts/setup.sh installs them)");
        QSet<QString> misses;
        const double share = HunspellCheck::knownShare(HunspellCheck::longWords(lines.join(QLatin1Char(' '))), &misses);
        QVERIFY2(share >= 0.97, qPrintable(QStringLiteral("%1 %: ").arg(share * 100) + QStringList(misses.values()).join(' ')));
    }

    void weakKeyFromRows_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("weak");
        QTest::addColumn<QString>("instead");
        QTest::newRow("PC, practice 3") << "AR_ar_AR" << 3 << "ت" << "ن";
        QTest::newRow("PC, practice 7") << "AR_ar_AR" << 7 << "ة" << "و";
        QTest::newRow("Macintosh, practice 3") << "AR_ar_EG" << 3 << "ك" << "م";
    }
    void weakKeyFromRows()
    {
        QFETCH(QString, catalogue);
        QFETCH(int, text);
        QFETCH(QString, weak);
        QFETCH(QString, instead);
        Catalogues::apply(catalogue);
        const Activity activity = ActivityReader::read({runWithWeakKey(1, text, weak, instead)});
        const WeakKeyPlan plan(activity);
        QCOMPARE(plan.lesson(), text);
        QVERIFY(plan.hasKeystrokes());
        QVERIFY(plan.isPossible());
        QCOMPARE(plan.confidence().focus().value(0), weak);
        QCOMPARE(plan.confidence().confusions(1).value(0), qMakePair(weak, instead));
        const QStringList lines = plan.lines(11);
        const QString joined = lines.join(QLatin1Char(' '));
        QVERIFY2(joined.contains(weak), qPrintable(joined));
        QVERIFY(WeakKeyText::typeable(joined, plan.reached()));
    }

    // The keys the learner has reached: the highest lesson read or text
    // practised, never fewer than the first lessons; weak-key runs name none.
    void lessonReached_data()
    {
        QTest::addColumn<QVector<int>>("lessonsRead");
        QTest::addColumn<QStringList>("practised");
        QTest::addColumn<int>("expected");
        QTest::newRow("nothing yet: the first lessons") << QVector<int>{} << QStringList{} << int(WeakKeyPlan::firstLessons);
        QTest::newRow("lesson 1 read: still the first lessons") << QVector<int>{1} << QStringList{} << int(WeakKeyPlan::firstLessons);
        QTest::newRow("lesson 9 read") << QVector<int>{2, 9, 4} << QStringList{"5"} << 9;
        QTest::newRow("practice 12 typed") << QVector<int>{6} << QStringList{"12", "4"} << 12;
        QTest::newRow("a weak-key run names no lesson") << QVector<int>{5} << QStringList{"weak"} << 5;
    }
    void lessonReached()
    {
        QFETCH(QVector<int>, lessonsRead);
        QFETCH(QStringList, practised);
        QFETCH(int, expected);
        Catalogues::apply(QStringLiteral("AR_ar_AR"));
        QVector<ActivityLogRow> rows;
        for (const int lesson : lessonsRead)
            rows.append(lessonRow(rows.size() + 1, lesson));
        for (const QString &text : practised) {
            RunRecord record;
            record.begin();
            record.hit(QStringLiteral(" "), 300);
            rows.append(practiceRow(rows.size() + 1, text, record, 1, 0));
        }
        QCOMPARE(WeakKeyPlan::lessonReached(ActivityReader::read(rows)), expected);
    }

    // The newest runs count: a key missed long ago and typed well since is no focus.
    void newestRunsFirst()
    {
        Catalogues::apply(QStringLiteral("AR_ar_AR"));
        const QString weak = QStringLiteral("ت"), later = QStringLiteral("ب");
        QVector<ActivityLogRow> rows{runWithWeakKey(1, 3, weak, later)};
        for (int n = 2; n < 6; ++n)
            rows.append(runWithWeakKey(n, 3, later, weak));
        const WeakKeyPlan plan(ActivityReader::read(rows));
        QCOMPARE(plan.confidence().focus().value(0), later);
        QVERIFY(plan.confidence().confidence(weak) > plan.confidence().confidence(later));
    }

    // A level test's keystrokes count as a run's do, by the order of the rows.
    void levelTestsCount()
    {
        Catalogues::apply(QStringLiteral("AR_ar_AR"));
        const QString weak = QStringLiteral("ت"), later = QStringLiteral("ب");
        ActivityLogRow test = runWithWeakKey(2, 3, later, weak);
        const QStringList log = LevelTest::logFields(4, LevelTest::Result{1, 60, 100, 15}, test.log[4], test.log[5]);
        test.topic = QStringLiteral("Test");
        for (int i = 0; i < 6; ++i)
            test.log[i] = log[i];
        const Activity activity = ActivityReader::read({runWithWeakKey(1, 3, weak, later), test});
        QCOMPARE(activity.tests.size(), 1);
        QCOMPARE(activity.runs.size(), 1);
        const WeakKeyPlan plan(activity);
        QCOMPARE(plan.confidence().focus().value(0), later);
        QCOMPARE(plan.confidence().confusions(1).value(0), qMakePair(later, weak));
    }
};

HARFORA_CORE_TEST_MAIN(TestWeakKeys)
#include "test_weakkeys.moc"
