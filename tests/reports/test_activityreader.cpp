#include "practice/runrecord.h"
#include "reports/activityreader.h"
#include "reports/classreport.h"
#include "reports/progress.h"
#include "store/activityrows.h"
#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/session.h"
#include "tests/store/storefixture.h"
#include "tests/support/coresupport.h"
#include "tests/support/typedrun.h"

#include <QLocale>
#include <QProcess>

// Rows are written as the practice window writes them: log2 "seconds speed
// percent share", log5 "k1 RUN CORRECT WRONG SKIPPED C:HITS:ERRORS:MEANMS..."
// and log6 "c1 EXPECTED>TYPED:COUNT...".
namespace {
ActivityLogRow practice(qint64 order, const QString &log2, const QString &log5 = {}, const QString &log6 = {},
                     const QString &date = QStringLiteral("Tue Dec 8 10:00:00 2026"), const QString &text = "1")
{
    ActivityLogRow row;
    row.order = order;
    row.entrydate = date;
    row.topic = "Practise";
    row.log[0] = text;
    row.log[1] = log2;
    row.log[4] = log5;
    row.log[5] = log6;
    return row;
}

ActivityLogRow other(qint64 order, const QString &topic, const QString &log1, const QString &log2 = {},
                  const QString &log3 = {})
{
    ActivityLogRow row;
    row.order = order;
    row.topic = topic;
    row.log[0] = log1;
    row.log[1] = log2;
    row.log[2] = log3;
    return row;
}

// harfora-report run as a program on real users databases, with rows the
// typing run writes.
struct Result {
    int status = -1;
    QString out, err;
};

Result report(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(HARFORA_REPORT), arguments);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

using TypedRun::plain;
}

// The activity log read back: rows, files and the harfora-report program.
class TestActivityReader : public QObject
{
    Q_OBJECT
private slots:
    void datesOfOtherLocales_data()
    {
        QTest::addColumn<QString>("text");
        const QDateTime when(QDate(2026, 3, 7), QTime(21, 5, 9));
        QTest::newRow("Qt's text date") << when.toString(Qt::TextDate);
        QTest::newRow("ISO") << when.toString(Qt::ISODate);
        for (const char *name : {"C", "ar", "ar_SA", "de", "fr", "tr", "fa"})
            QTest::newRow(name) << QLocale(QLatin1String(name)).toString(when, "ddd MMM d HH:mm:ss yyyy");
        // Arabic names with Latin digits, as some systems write them
        const QLocale ar(QLatin1String("ar"));
        QTest::newRow("ar names, Latin digits")
            << ar.dayName(6, QLocale::ShortFormat) + ' ' + ar.monthName(3, QLocale::ShortFormat) + " 7 21:05:09 2026";
    }
    void datesOfOtherLocales()
    {
        QFETCH(QString, text);
        QCOMPARE(ActivityReader::parseDate(text), QDateTime(QDate(2026, 3, 7), QTime(21, 5, 9)));
    }

    void datesThatDoNotParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("words") << "yesterday after lunch";
        QTest::newRow("no such month") << "Sat Foo 7 21:05:09 2026";
        QTest::newRow("day 31 of April") << "Sat Apr 31 21:05:09 2026";
        QTest::newRow("hour 25") << "Sat Mar 7 25:05:09 2026";
        QTest::newRow("short clock") << "Sat Mar 7 21:05 2026";
    }
    void datesThatDoNotParse()
    {
        QFETCH(QString, text);
        QVERIFY(!ActivityReader::parseDate(text).isValid());
    }

    // Speed over the run's whole time, not the display's figure in log2;
    // skipped characters are not typed.
    void runFigures_data()
    {
        QTest::addColumn<QString>("log2");
        QTest::addColumn<QString>("log5");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("accuracy");
        QTest::newRow("50 right in 30 s") << "30 999 98 1" << "k1 a 50 1 0" << 100 << 98;
        QTest::newRow("skipped not typed") << "60 0 80 3" << "k1 a 8 2 10" << 8 << 80;
        QTest::newRow("no time") << "0 0 0 0" << "k1 a 3 0 0" << 0 << 100;
        QTest::newRow("earlier version") << "45 120 91 2.5" << "" << -1 << 91;
    }
    void runFigures()
    {
        QFETCH(QString, log2);
        QFETCH(QString, log5);
        const Activity a = ActivityReader::read({practice(1, log2, log5)});
        QCOMPARE(a.runs.size(), 1);
        QCOMPARE(a.rowsLeftOut, 0);
        QTEST(a.runs[0].speed(), "speed");
        QTEST(a.runs[0].accuracy(), "accuracy");
    }

    void rowsLeftOut_data()
    {
        QTest::addColumn<QString>("log2");
        QTest::addColumn<QString>("log5");
        QTest::newRow("log2 words") << "fast and good" << "";
        QTest::newRow("log2 short") << "12 30" << "";
        QTest::newRow("percent above 100") << "12 30 101 0" << "";
        QTest::newRow("negative seconds") << "-5 0 90 0" << "";
        QTest::newRow("unknown version") << "12 0 90 0" << "k2 a 1 1 1";
        QTest::newRow("head not numbers") << "12 0 90 0" << "k1 a x 1 1";
        QTest::newRow("head cut short") << "12 0 90 0" << "k1 a 1";
    }
    void rowsLeftOut()
    {
        QFETCH(QString, log2);
        QFETCH(QString, log5);
        const Activity a = ActivityReader::read({practice(1, log2, log5), practice(2, "10 0 100 0", "k1 b 5 0 0")});
        QCOMPARE(a.rowsLeftOut, 1);
        QCOMPARE(a.runs.size(), 1);
        QCOMPARE(a.runs[0].runId, QString("b"));
    }

    void malformedEntriesAreSkippedAndCounted()
    {
        const QString space = RunRecord::escape(" ");
        const Activity a = ActivityReader::read(
            {practice(1, "10 0 90 0", "k1 r 9 1 0 ب:4:1:250 " + space + ":5:0:100 ت:x:0:1 :1:1:1 ث%ZZ:1:0:0 ب:1:1:1 ج:1:2",
                      "c1 ب>ت:1 ت>:2 >ب:1 ب>ن ب>ن:-1 zz")});
        QCOMPARE(a.runs.size(), 1);
        const PracticeRun &run = a.runs[0];
        const KeyTable keys = run.keys();
        QCOMPARE(keys.keys(), (QStringList{" ", "ب"}));
        QCOMPARE(keys["ب"].errors, 2); // both of its entries
        QCOMPARE(keys["ب"].totalMs, 1001);
        QCOMPARE(keys[" "].hits, 5);
        QCOMPARE(run.confusions(), (ConfusionTable{{{"ب", "ت"}, 1}, {{"ت", ""}, 2}}));
        QCOMPARE(a.keys, keys);
        QCOMPARE(a.confusions, run.confusions());
        QCOMPARE(a.entriesSkipped, 4 + 4);
    }

    void continuedRunCountsOnce()
    {
        const Activity a = ActivityReader::read(
            {practice(1, "20 0 90 0", "k1 r1 10 1 0 ب:10:1:300", "c1 ب>ت:1", "Tue Dec 8 10:00:00 2026"),
             practice(2, "30 0 100 0", "k1 r2 5 0 0 ت:5:0:200", "", "Tue Dec 8 10:05:00 2026"),
             practice(3, "50 0 91 0", "k1 r1 30 3 0 ب:30:3:250", "c1 ب>ت:3", "Tue Dec 8 10:10:00 2026")});
        QCOMPARE(a.runs.size(), 2);
        QCOMPARE(a.runs[0].runId, QString("r1"));
        QCOMPARE(a.runs[0].correct, 30);
        QCOMPARE(a.runs[0].speed(), 36);
        QCOMPARE(a.runs[0].started, QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        const KeyTable totals = Progress::keyTotals(a.runs);
        QCOMPARE(totals["ب"].hits, 30);
        QCOMPARE(Progress::confusionTotals(a.runs)[Confusion("ب", "ت")], 3);
        QCOMPARE(Progress::keyTotals(a.runs, 1).keys(), QStringList{"ت"}); // the most recent run only
    }

    // Time order where dates parse; a row whose date does not parse stays
    // after the row inserted before it.
    void orderByDateOrInsertion()
    {
        const Activity a = ActivityReader::read({practice(1, "1 0 90 0", "k1 b 1 0 0", {}, "Wed Dec 9 10:00:00 2026"),
                                                 practice(2, "1 0 90 0", "k1 c 1 0 0", {}, "?? garbled ??"),
                                                 practice(3, "1 0 90 0", "k1 a 1 0 0", {}, "Tue Dec 8 10:00:00 2026")});
        QStringList order;
        for (const PracticeRun &r : a.runs)
            order.append(r.runId);
        QCOMPARE(order, (QStringList{"a", "b", "c"}));
    }

    void lessonsAndGames()
    {
        const Activity a = ActivityReader::read({other(1, "Lesson", "3", "40"), other(2, "Lesson", "3", "12"),
                                                 other(3, "Lesson", "7"), other(4, "Lesson", "seven"),
                                                 other(5, "Game", "falling", "12", "3"), other(6, "Game", "falling", "x"),
                                                 other(7, "Test", "whatever"), other(8, "Chat", "hello")});
        QCOMPARE(a.lessonsRead, (QSet<int>{3, 7}));
        QCOMPARE(a.games, 1);
        QCOMPARE(a.gameHits, 12);
        QCOMPARE(a.gameLost, 3);
        QCOMPARE(a.rowsLeftOut, 3); // "seven", "x" and a level test without its figures; other topics are no fault
    }

    void userWithoutRows()
    {
        const Activity a = ActivityReader::read({});
        QVERIFY(a.runs.isEmpty());
        QCOMPARE(Progress::bestSpeed(a.runs), -1);
        QCOMPARE(Progress::meanSpeed(a.runs), -1);
        QCOMPARE(Progress::meanAccuracy(a.runs), -1);
        QVERIFY(Progress::mostMissed(Progress::keyTotals(a.runs), 10).isEmpty());
    }

    void mostMissedAndBestPerText()
    {
        const Activity a = ActivityReader::read(
            {practice(1, "60 0 90 0", "k1 a 60 4 0 ب:20:3:100 ت:20:1:100 ن:20:0:100", {}, "Tue Dec 8 10:00:00 2026", "1"),
             practice(2, "60 0 90 0", "k1 b 90 1 0 ت:45:1:100 ي:45:0:100", {}, "Tue Dec 8 11:00:00 2026", "1"),
             practice(3, "60 0 90 0", "k1 c 30 2 0 ي:30:2:100", {}, "Tue Dec 8 12:00:00 2026", "2")});
        const auto missed = Progress::mostMissed(Progress::keyTotals(a.runs), 10);
        QStringList characters;
        for (const auto &m : missed)
            characters.append(m.first);
        QCOMPARE(characters, (QStringList{"ب", "ت", "ي"})); // 3 errors; 2 with 65 hits; 2 with 75
        const QVector<PracticeRun> best = Progress::bestPerText(a.runs);
        QCOMPARE(best.size(), 2);
        QCOMPARE(best[0].runId, QString("b"));
        QCOMPARE(best[1].runId, QString("c"));
        QCOMPARE(Progress::meanSpeed(a.runs), 60);
        QCOMPARE(Progress::movingAverage({10, 20, 30, 40}, 3), (QVector<double>{10, 15, 20, 30}));
        const auto pairs = Progress::commonest({{{"ب", "ت"}, 1}, {{"ت", "ن"}, 5}, {{"ي", "ب"}, 3}}, 2);
        QCOMPARE(pairs.size(), 2);
        QCOMPARE(pairs[0].first, Confusion("ت", "ن"));
        QCOMPARE(pairs[1].first, Confusion("ي", "ب"));
    }

    // One user's rows from a real file, by an indexed look-up, never writing it.
    void rowsFromTheFile()
    {
        QTemporaryDir home;
        freshProfile(home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        DatabaseFiles::repairUsersDatabase();
        const QString file = Store::usersDbPath;
        {
            Inspector db(file);
            for (const char *user : {"amal", "badr", "amal"})
                db.rows("INSERT INTO activitylog(username, entrydate, topic, log1) VALUES (?, 'd', 'Lesson', ?)",
                        {passwordHash(user), QString(user)});
        }
        QVERIFY(ActivityRows(file).queryPlan().join(' ').contains(QLatin1String(ActivityRows::indexName)));
        const QByteArray before = fileDigest(file);
        QVector<ActivityLogRow> rows;
        QVERIFY(ActivityRows::read(file, passwordHash("amal"), rows));
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows[0].order < rows[1].order);
        QCOMPARE(rows[1].log[0], QString("amal"));
        QVERIFY(ActivityRows::read(file, passwordHash("nobody"), rows));
        QVERIFY(rows.isEmpty());
        QStringList names;
        ActivityRows reader(file);
        QVERIFY(reader.isOpen());
        QVERIFY(reader.userNames(names));
        QCOMPARE(names, QStringList{"user1"});
        QVERIFY(reader.read(passwordHash("badr"), rows)); // the same file, still open
        QCOMPARE(rows.size(), 1);
        QCOMPARE(fileDigest(file), before);
        QVERIFY(!QFile::exists(file + "-journal"));
        // a game's losses come back from log3; the practice rows' per-key means do not
        Inspector(file).rows("INSERT INTO activitylog(username, topic, log1, log2, log3, log5) VALUES "
                             "(?, 'Game', 'falling', '7', '2', ''), (?, 'Practise', '1', '5 0 90 0', 'means', 'k1 a 1 0 0')",
                             {passwordHash("cyra"), passwordHash("cyra")});
        QVERIFY(reader.read(passwordHash("cyra"), rows));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].log[2], QString("2"));
        QVERIFY(rows[1].log[2].isEmpty());
        QCOMPARE(rows[1].log[4], QString("k1 a 1 0 0"));
        QCOMPARE(ActivityReader::read(rows).gameLost, 2);
    }

    void filesThatAreNoUsersDatabase_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("sqlite");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("name,score\nx,1\n") << false;
        QTest::newRow("another program's database") << QByteArray("CREATE TABLE notes(t TEXT)") << true;
    }
    void filesThatAreNoUsersDatabase()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, sqlite);
        QTemporaryDir dir;
        const QString file = dir.filePath("x.dB");
        if (sqlite)
            Inspector(file).exec(QString::fromUtf8(content));
        else if (!content.isEmpty()) {
            QFile f(file);
            f.open(QIODevice::WriteOnly);
            f.write(content);
        }
        const QByteArray before = fileDigest(file);
        QVector<ActivityLogRow> rows;
        QString problem;
        QVERIFY(!ActivityRows::read(file, passwordHash("user1"), rows, &problem));
        QVERIFY(!problem.isEmpty());
        QCOMPARE(QFile::exists(file), sqlite || !content.isEmpty());
        QCOMPARE(fileDigest(file), before);
    }

    void initTestCase() { Catalogues::apply("AR_en_US"); }

    void onePerUser()
    {
        QTemporaryDir home;
        freshProfile(home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        dB_Stuff().createUser("Amal, Jr.", passwordHash("x"), true);
        dB_Stuff().createUser("badr", passwordHash("y"), true);
        Store::currentUser = "Amal, Jr.";
        // R3_9 pressed twice where R3_8 is expected: 4 right of 6 in 12 s, then 6 of 6 in 6 s.
        TypedRun::log("4", "R3_7 R3_8 R3_7 R3_8 R3_7 R3_8", "R3_7 R3_9 R3_7 R3_9 R3_7 R3_8", 12);
        TypedRun::log("4", "R3_7 R3_8 R3_7 R3_8 R3_7 R3_8", "R3_7 R3_8 R3_7 R3_8 R3_7 R3_8", 6);
        Store::currentUser = "badr";
        dB_Stuff().logActivity("Lesson", "2", "30", "", "", "", "");
        const QByteArray before = fileDigest(Store::usersDbPath);
        const Result r = report({Store::usersDbPath});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(r.out.split('\n'),
                 (QStringList{ClassReport::header, "user1,0,,,,,,,",
                              "\"Amal, Jr.\",2," + today + ',' + today + ",60,40,83," + plain("R3_8") + ',' +
                                  plain("R3_8") + '>' + plain("R3_9"),
                              "badr,0,,,,,,,", ""}));
        QCOMPARE(fileDigest(Store::usersDbPath), before);
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("damaged") << "damaged";
        QTest::newRow("another program's database") << "foreign";
    }
    void unreadableFiles()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString file = dir.filePath("class.dB");
        if (kind == "folder") {
            file = dir.path();
        } else if (kind == "damaged") {
            QFile f(file);
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray("SQLite format 3") + QByteArray(4000, '\x5a'));
        } else if (kind == "foreign") {
            Inspector(file).exec("CREATE TABLE user(name TEXT)");
        }
        const QByteArray before = fileDigest(file);
        const Result r = report({file});
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(file), qPrintable(r.err));
        QCOMPARE(QFileInfo::exists(file), kind != "missing");
        QCOMPARE(fileDigest(file), before);
        QVERIFY(!QFile::exists(file + "-journal"));
    }

    void fieldsAreQuoted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << "amal" << "amal";
        QTest::newRow("comma") << "a,b" << "\"a,b\"";
        QTest::newRow("quote") << "say \"hi\"" << "\"say \"\"hi\"\"\"";
        QTest::newRow("line") << "a\nb" << "\"a\nb\"";
        QTest::newRow("blank around") << " a" << "\" a\"";
    }
    void fieldsAreQuoted()
    {
        QFETCH(QString, text);
        QTEST(ClassReport::field(text), "written");
    }
};

HARFORA_CORE_TEST_MAIN(TestActivityReader)
#include "test_activityreader.moc"
