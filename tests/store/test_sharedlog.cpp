#include "app/catalogues.h"
#include "tests/store/storefixture.h"
#include "tests/support/coresupport.h"

// Four programs write to one users database at once, as in a classroom that
// shares the file: every row must arrive.
class TestSharedLog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        static QTemporaryDir *home = nullptr;
        delete home;
        home = new QTemporaryDir;
        freshProfile(*home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
    }

    // Another program locks the file again and again for longer than the
    // writers wait: every row is either stored or reported.
    void lockPastTheBusyTimeoutLosesNoRowSilently()
    {
        const int writers = 2, rowsEach = 150;
        QList<QStringList> commands{{"cycle", Store::usersDbPath, "120", "15", "12"}};
        for (int w = 0; w < writers; ++w)
            commands.append({"log", Store::usersDbPath, QString("writer%1").arg(w), QString::number(rowsEach), "40"});
        const QStringList messages = runClients(commands);
        const int stored = Inspector(Store::usersDbPath).value("SELECT count(*) FROM activitylog").toInt();
        const int reported = messages.filter("locked by another program").size();
        QVERIFY(reported > 0); // the lock did outlast the busy timeout
        QCOMPARE(messages.size(), reported);
        QCOMPARE(stored + reported, writers * rowsEach);
    }

    // The same names created by four programs at once: each exists once.
    void sameNamesFromFourProgramsOnce()
    {
        const int processes = 4, names = 500;
        QList<QStringList> commands;
        for (int p = 0; p < processes; ++p)
            commands.append({"users", Store::usersDbPath, QString::number(names), "5000"});
        const QStringList messages = runClients(commands);
        Inspector db(Store::usersDbPath);
        QCOMPARE(db.value("SELECT count(*) FROM user").toInt(), names + 1);
        QCOMPARE(db.value("SELECT count(DISTINCT username) FROM user").toInt(), names + 1);
        // Every other attempt was refused as a duplicate or, on a busy
        // machine, reported as locked.
        for (const QString &m : messages)
            QVERIFY2(m == "Username already exists" || m.contains("locked by another program"), qPrintable(m));
        QCOMPARE(messages.size(), (processes - 1) * names);
    }
};

HARFORA_CORE_TEST_MAIN(TestSharedLog)
#include "test_sharedlog.moc"
