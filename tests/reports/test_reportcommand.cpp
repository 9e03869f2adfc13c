#include "reports/classreport.h"
#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "tests/store/storefixture.h"
#include "tests/support/coresupport.h"
#include "tests/support/typedrun.h"

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

using TypedRun::plain;
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

HARFORA_CORE_TEST_MAIN(TestReportCommand)
#include "test_reportcommand.moc"
