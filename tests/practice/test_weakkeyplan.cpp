#include "app/catalogues.h"
#include "practice/leveltest.h"
#include "practice/runrecord.h"
#include "practice/weakkeyplan.h"
#include "reports/activityreader.h"
#include "tests/support/coresupport.h"

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

class TestWeakKeyPlan : public QObject
{
    Q_OBJECT
private slots:
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

HARFORA_CORE_TEST_MAIN(TestWeakKeyPlan)
#include "test_weakkeyplan.moc"
