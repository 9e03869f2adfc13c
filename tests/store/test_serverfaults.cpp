#include "store/passwordhash.h"
#include "store/serverlocation.h"
#include "store/serverqueue.h"
#include "tests/store/storefixture.h"
#include "tests/support/coresupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTcpServer>

// A users database on a real PostgreSQL server, written by many programs at
// once, stopped during a session and reached with the wrong address,
// password or encryption.
class TestServerFaults : public QObject
{
    Q_OBJECT
    QTemporaryDir *home = nullptr;
    NoticeRecorder *recorder = nullptr;

    // Stops ("halt") or starts again ("resume") the test server.
    static bool server(const char *action)
    {
        const QString state = QFileInfo(QString::fromLocal8Bit(qgetenv("HARFORA_PGTEST_ENV"))).path();
        return QProcess::execute("bash", {HARFORA_PGSERVER_SCRIPT, action, state}) == 0;
    }
    QString count(const QString &sql) const { return Inspector(Store::usersDbPath).value(sql); }

private slots:
    void init()
    {
        home = new QTemporaryDir;
        freshProfile(*home);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        QVERIFY2(TestServer::freshDatabase("harfora_faults"), "the test server does not answer");
        Store::usersDbPath = TestServer::location("harfora_faults");
        Store::currentUser = "anna";
        recorder = new NoticeRecorder;
    }
    void cleanup()
    {
        server("resume"); // a failed case leaves the server running for the next
        delete recorder;
        delete home;
    }

    void thirtyWritersLoseNoRow()
    {
        const int writers = 30, rowsEach = 200;
        QList<QStringList> commands;
        for (int w = 0; w < writers; ++w)
            commands.append({"log", Store::usersDbPath, QString("writer%1").arg(w), QString::number(rowsEach), "5000"});
        const QStringList messages = runClients(commands);
        QCOMPARE(messages, QStringList());
        QCOMPARE(count("SELECT count(*) FROM activitylog"), QString::number(writers * rowsEach));
        QCOMPARE(count("SELECT count(DISTINCT (username, log1)) FROM activitylog"), QString::number(writers * rowsEach));
        QVERIFY(!QFileInfo::exists(ServerQueue::file()));
    }

    void sameNamesFromFourProgramsOnce()
    {
        const int processes = 4, names = 500;
        QList<QStringList> commands;
        for (int p = 0; p < processes; ++p)
            commands.append({"users", Store::usersDbPath, QString::number(names), "5000"});
        const QStringList messages = runClients(commands);
        QCOMPARE(count("SELECT count(*) FROM \"user\""), QString::number(names));
        QCOMPARE(count("SELECT count(DISTINCT username) FROM \"user\""), QString::number(names));
        QCOMPARE(messages.size(), (processes - 1) * names);
        QCOMPARE(messages.filter("Username already exists").size(), messages.size());
    }

    // Rows written while the server is down wait in the queue file and
    // arrive, once each and in order, at the next connection.
    void serverStoppedDuringSessionLosesNoRow()
    {
        int row = 0;
        auto logRows = [&row](int n) {
            for (int i = 0; i < n; ++i)
                dB_Stuff().logActivity("Practise", QString::number(row++), "", "", "", "", "");
        };
        logRows(10);
        QVERIFY(server("halt"));
        logRows(10);
        QCOMPARE(recorder->messages.size(), 10);
        QVERIFY(recorder->messages.last().text.contains("The server could not be reached"));
        QCOMPARE(ServerQueue::pending(Store::usersDbPath).size(), 10);
        QVERIFY(server("resume"));
        logRows(10);
        QCOMPARE(recorder->messages.size(), 10);
        QStringList expected;
        for (int i = 0; i < row; ++i)
            expected.append(QString::number(i));
        QStringList stored;
        for (const QStringList &r : Inspector(Store::usersDbPath).rows("SELECT log1 FROM activitylog ORDER BY id"))
            stored.append(r.value(0));
        QCOMPARE(stored, expected);
        QVERIFY(!QFileInfo::exists(ServerQueue::file()));
    }

    // The program stopped after a queued row reached the server but before
    // it was taken out of the queue: sent again, it is still one row.
    void rowSentAgainIsStoredOnce()
    {
        dB_Stuff().logActivity("Practise", "sent", "", "", "", "", "");
        const QStringList stored = Inspector(Store::usersDbPath)
                                       .rows("SELECT username, entrydate, topic, log1, log2, log3, log4, log5, "
                                             "log6, rowkey FROM activitylog")
                                       .value(0);
        QCOMPARE(stored.size(), 10);
        ServerQueue::append({Store::usersDbPath, stored});
        dB_Stuff().logActivity("Practise", "next", "", "", "", "", "");
        QCOMPARE(count("SELECT string_agg(log1, ',' ORDER BY id) FROM activitylog"), QString("sent,next"));
        QVERIFY(!QFileInfo::exists(ServerQueue::file()));
    }

    // A queued row the server refuses stops the sending there: the rows sent
    // before it leave the queue, it and the rows after it go at the next send.
    void partlySentQueueKeepsTheRest()
    {
        dB_Stuff().logActivity("Practise", "a", "", "", "", "", "");
        QStringList row = Inspector(Store::usersDbPath)
                              .rows("SELECT username, entrydate, topic, log1, log2, log3, log4, log5, log6, rowkey "
                                    "FROM activitylog")
                              .value(0);
        for (const char *log1 : {"b", "held", "c"}) {
            row[3] = log1;
            row[9] = QString("key-") + log1;
            ServerQueue::append({Store::usersDbPath, row});
        }
        Inspector(Store::usersDbPath)
            .exec("CREATE FUNCTION hold() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF NEW.log1 = 'held' THEN "
                  "RAISE EXCEPTION 'held'; END IF; RETURN NEW; END $$; "
                  "CREATE TRIGGER hold BEFORE INSERT ON activitylog FOR EACH ROW EXECUTE FUNCTION hold()");
        dB_Stuff().logActivity("Practise", "d", "", "", "", "", "");
        QStringList waiting;
        for (const ServerQueue::Row &r : ServerQueue::pending(Store::usersDbPath))
            waiting.append(r.values.value(3));
        QCOMPARE(waiting, (QStringList{"held", "c"}));
        Inspector(Store::usersDbPath).exec("DROP TRIGGER hold ON activitylog");
        dB_Stuff().logActivity("Practise", "e", "", "", "", "", "");
        QCOMPARE(count("SELECT string_agg(log1, ',' ORDER BY id) FROM activitylog"), QString("a,b,d,held,c,e"));
        QVERIFY(!QFileInfo::exists(ServerQueue::file()));
    }

    // A lab role with select, insert, update and delete on the tables and
    // nothing else does every account, setting and log operation.
    void roleWithTableRightsOnlyIsEnough()
    {
        QVERIFY(dB_Stuff().infoValue("version", Store::usersDbPath) == "1"); // tables made as administrator
        QVERIFY(TestServer::admin({"DROP ROLE IF EXISTS lab_learner", "CREATE ROLE lab_learner LOGIN PASSWORD 'lab'"}));
        Inspector(Store::usersDbPath).exec("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA public TO lab_learner");
        const QString learner = QString(Store::usersDbPath).replace("user=harfora_admin", "user=lab_learner");
        const QString admin = Store::usersDbPath;
        ServerPasswords::remember(learner, "lab");
        Store::usersDbPath = learner;
        dB_Stuff().createUser("lina", passwordHash("pw"), true);
        QCOMPARE(dB_Stuff().checkPassword("lina", passwordHash("pw")), 0);
        QCOMPARE(dB_Stuff().changePassword("lina", passwordHash("pw"), passwordHash("new")), 0);
        Store::currentUser = "lina";
        dB_Stuff().userSetting("AutoCheckUpdate", "2", 1);
        QCOMPARE(dB_Stuff().userSetting("AutoCheckUpdate", "0", 1), QString("2"));
        dB_Stuff().logActivity("Practise", "1", "", "", "", "", "");
        Store::currentUser = "sami";
        dB_Stuff().logActivity("Practise", "2", "", "", "", "", "");
        QCOMPARE(dB_Stuff().deleteUser("lina", "new"), 0); // her setting and row go with her
        QCOMPARE(recorder->texts(), QStringList{"Username removed successfully"});
        dB_Stuff::dropParked();
        Store::usersDbPath = admin;
        QCOMPARE(count("SELECT string_agg(log1, ',') FROM activitylog"), QString("2"));
        QCOMPARE(count("SELECT count(*) FROM setting"), QString("0"));
        QVERIFY(TestServer::admin({"DROP DATABASE harfora_faults WITH (FORCE)", "DROP ROLE lab_learner"}));
    }

    // sslmode=require is honoured: the store's connection is encrypted.
    void requiredTlsIsUsed()
    {
        qputenv("PGSSLMODE", "disable"); // libpq's default would be no TLS
        Store::usersDbPath += "&sslmode=require";
        QCOMPARE(dB_Stuff().checkPassword("nobody", passwordHash("x")), 1);
        qunsetenv("PGSSLMODE");
        QCOMPARE(recorder->texts(), QStringList());
        {
            QSqlQuery query(QSqlDatabase::database());
            QVERIFY(query.exec("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()") && query.next());
            QCOMPARE(query.value(0).toBool(), true);
        }
        dB_Stuff::dropParked();
    }

    void unreachableIsSaidWithinFiveSeconds_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing listens") << "refused" << "The server cannot be reached";
        QTest::newRow("no answer") << "silent" << "The server cannot be reached";
        QTest::newRow("wrong password") << "password" << "refused the user name or password";
        QTest::newRow("certificate of another host") << "tls" << "refused the encrypted connection";
    }
    void unreachableIsSaidWithinFiveSeconds()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QTcpServer listener; // takes connections and never answers
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 freePort = closed.serverPort();
        closed.close();
        QString location = Store::usersDbPath;
        QTemporaryFile wrongPasswords;
        if (fault == "refused" || fault == "silent")
            location.replace(":" + TestServer::setting("PGTEST_PORT") + "/",
                             ":" + QString::number(fault == "refused" ? freePort : listener.serverPort()) + "/");
        if (fault == "tls") // the test server's certificate names another host
            location += "&sslmode=verify-full&sslrootcert=" + TestServer::setting("PGTEST_CERT");
        if (fault == "password") {
            QVERIFY(wrongPasswords.open());
            wrongPasswords.write("*:*:*:*:wrong\n");
            wrongPasswords.close();
            qputenv("PGPASSFILE", wrongPasswords.fileName().toUtf8());
        }
        Store::usersDbPath = location;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(dB_Stuff().checkPassword("user1", passwordHash("1")), 2);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY2(recorder->messages.last().text.contains(message), qPrintable(recorder->messages.last().text));
        // The local file still works.
        Store::usersDbPath = Store::dataFolder + "/Users.dB";
        QCOMPARE(dB_Stuff().checkPassword("user1", passwordHash(Store::defaultPassword)), 0);
        TestServer::location("postgres");
    }
};

HARFORA_CORE_TEST_MAIN(TestServerFaults)
#include "test_serverfaults.moc"
