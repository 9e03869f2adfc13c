#include "practice/typingrun.h"
#include "keyboard/keyids.h"
#include "keyboard/scancode.h"
#include "reports/classreport.h"
#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/session.h"
#include "tests/store/storefixture.h"
#include "tests/support/coresupport.h"

#include <QCryptographicHash>
#include <QProcess>

// harfora-report run as a program on real users databases, with rows the
// typing run writes.
namespace {
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

QString plain(const QString &id)
{
    return Keys::caption(Keys::Layer::Plain, id);
}

// Types `strokes` (key identifiers) over a one-line text for `seconds` ticks
// and logs the run as the practice window does.
void logRun(const QString &text, const QString &strokes, int seconds)
{
    TypingRun::FingerStats fingers[10];
    TypingRun run(fingers);
    PracticeText::Lines lines;
    QStringList characters;
    for (const QString &id : text.split(' '))
        characters.append(plain(id));
    lines.characters.append(characters);
    lines.kinds.append(PracticeText::AsWritten);
    run.load(lines);
    run.resume();
    for (const QString &id : strokes.split(' '))
        run.press(ScanCodes::keyName(Keys::scanCodeForKeyId(id), false));
    for (int i = 0; i < seconds; ++i)
        run.tick();
    const QStringList log = run.evaluation("4");
    dB_Stuff().logActivity(log[0], log[1], log[2], log[3], log[4], log[5], log[6]);
}

QByteArray digest(const QString &file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}
}

class TestReportCommand : public QObject
{
    Q_OBJECT
private slots:
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
        logRun("R3_7 R3_8 R3_7 R3_8 R3_7 R3_8", "R3_7 R3_9 R3_7 R3_9 R3_7 R3_8", 12);
        logRun("R3_7 R3_8 R3_7 R3_8 R3_7 R3_8", "R3_7 R3_8 R3_7 R3_8 R3_7 R3_8", 6);
        Store::currentUser = "badr";
        dB_Stuff().logActivity("Lesson", "2", "30", "", "", "", "");
        const QByteArray before = digest(Store::usersDbPath);
        const Result r = report({Store::usersDbPath});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(r.out.split('\n'),
                 (QStringList{ClassReport::header, "user1,0,,,,,,,",
                              "\"Amal, Jr.\",2," + today + ',' + today + ",60,40,83," + plain("R3_8") + ',' +
                                  plain("R3_8") + '>' + plain("R3_9"),
                              "badr,0,,,,,,,", ""}));
        QCOMPARE(digest(Store::usersDbPath), before);
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
        const QByteArray before = digest(file);
        const Result r = report({file});
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(file), qPrintable(r.err));
        QCOMPARE(QFileInfo::exists(file), kind != "missing");
        QCOMPARE(digest(file), before);
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

HARFORA_CORE_TEST_MAIN(TestReportCommand)
#include "test_reportcommand.moc"
