#include "app/catalogues.h"
#include "store/passwordhash.h"
#include "store/tables.h"
#include "tests/store/storefixture.h"
#include "tests/support/coresupport.h"

#include <QSqlError>
#include <sys/stat.h>
#include <unistd.h>

// Makes a file or folder unwritable even for root (immutable attribute).
struct ReadOnly {
    explicit ReadOnly(const QString &file) : path(file) { ok = set(true); }
    ~ReadOnly() { set(false); }
    bool set(bool on) const
    {
        if (geteuid() == 0)
            return QProcess::execute("chattr", {on ? "+i" : "-i", path}) == 0;
        return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                               (on ? QFileDevice::Permissions() : QFileDevice::WriteOwner));
    }
    const QString path;
    bool ok = false;
};

class TestStore : public QObject
{
    Q_OBJECT
    QTemporaryDir *home = nullptr;
    NoticeRecorder *recorder = nullptr;

    QStringList users() const
    {
        QStringList names;
        for (const auto &r : Inspector(Store::usersDbPath).rows("SELECT username FROM user"))
            names.append(r.value(0));
        return names;
    }
    QString declaration(const QString &file, const QString &table) const
    {
        return Inspector(file).value("SELECT sql FROM sqlite_master WHERE name=?", {table});
    }
    // The list a model holds; the model is freed (it belongs to the caller).
    static QStringList listed(dB_Stuff &store, int which)
    {
        QPointer<QStringListModel> model = store.loadModel(which);
        const QStringList rows = model->stringList();
        delete model;
        return rows;
    }
    int check(const QString &name, const QString &password)
    {
        return dB_Stuff().checkPassword(name, passwordHash(password));
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    }

private slots:
    void init()
    {
        home = new QTemporaryDir;
        freshProfile(*home);
        recorder = new NoticeRecorder;
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        recorder->clear();
    }
    void cleanup()
    {
        dB_Stuff::setBusyTimeout(5000);
        QVERIFY(!dB_Stuff::connectionAdded());
        delete recorder;
        delete home;
    }

    void firstStartMakesBothFiles()
    {
        QVERIFY(Store::dataFolder.endsWith("/Orvane/Harfora"));
        QVERIFY(Store::dataFolder.startsWith(home->path()));
        QCOMPARE(Store::usersDbPath, Store::dataFolder + "/Users.dB");
        QCOMPARE(Store::settingsDbPath, Store::dataFolder + "/Setting.dB");
        QCOMPARE(declaration(Store::usersDbPath, "INFOBase"), QString("CREATE TABLE INFOBase (Version TEXT)"));
        QCOMPARE(declaration(Store::usersDbPath, "activitylog"),
                 QString("CREATE TABLE activitylog(username varchar(255), entrydate DATE, topic varchar(50), "
                         "log1 TEXT, log2 TEXT, log3 TEXT, log4 TEXT, log5 TEXT, log6 TEXT)"));
        QCOMPARE(declaration(Store::usersDbPath, "setting"),
                 QString("CREATE TABLE setting(username varchar(255), item varchar(50), setting varchar(50))"));
        QCOMPARE(declaration(Store::usersDbPath, "user"),
                 QString("CREATE TABLE user(username varchar(50), password varchar(50))"));
        QCOMPARE(declaration(Store::usersDbPath, "info"), QString("CREATE TABLE info(value TEXT, parameter TEXT)"));
        QCOMPARE(declaration(Store::settingsDbPath, "setting"), QString("CREATE TABLE setting(dBpath TEXT)"));
        QCOMPARE(declaration(Store::settingsDbPath, "info"), QString("CREATE TABLE info(value TEXT, parameter TEXT)"));
        for (const QString &file : {Store::usersDbPath, Store::settingsDbPath}) {
            QCOMPARE(Inspector(file).value("SELECT count(*) FROM INFOBase"), QString("0"));
            QCOMPARE(Inspector(file).rows("SELECT value, parameter FROM info"),
                     (QList<QStringList>{{"1", "version"}}));
        }
        QCOMPARE(users(), QStringList{"user1"});
        QCOMPARE(check("user1", Store::defaultPassword), 0);
        QVERIFY(recorder->messages.isEmpty());
    }

    void onlyTheMissingFileIsRemade()
    {
        dB_Stuff().createUser("kept", passwordHash("pw"), true);
        QVERIFY(QFile::remove(Store::settingsDbPath));
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        QVERIFY(QFile::exists(Store::settingsDbPath));
        QCOMPARE(users(), (QStringList{"user1", "kept"}));
        QVERIFY(QFile::remove(Store::usersDbPath));
        dB_Stuff().addDatabasePath("/x/Users.dB", Store::settingsDbPath);
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        QCOMPARE(users(), QStringList{"user1"});
        QCOMPARE(Inspector(Store::settingsDbPath).value("SELECT dBpath FROM setting"), QString("/x/Users.dB"));
    }

    void repairUsesRepairDeclarations()
    {
        Inspector(Store::usersDbPath).exec("DROP TABLE activitylog");
        Inspector(Store::usersDbPath).exec("DROP TABLE info");
        Inspector(Store::usersDbPath).exec("DROP TABLE user");
        Inspector(Store::usersDbPath).exec("DROP TABLE setting");
        DatabaseFiles::repairUsersDatabase();
        QCOMPARE(declaration(Store::usersDbPath, "activitylog"),
                 QString("CREATE TABLE activitylog(username varchar(255), entrydate DATETIME, topic varchar(50), "
                         "log1 TEXT, log2 TEXT, log3 TEXT, log4 TEXT, log5 TEXT, log6 TEXT)"));
        QCOMPARE(declaration(Store::usersDbPath, "info"), QString("CREATE TABLE info(value varchar(50),parameter varchar(50))"));
        QCOMPARE(Inspector(Store::usersDbPath).value("SELECT count(*) FROM info"), QString("0"));
        QCOMPARE(declaration(Store::usersDbPath, "user"), QString("CREATE TABLE user(username varchar(50),password varchar(50))"));
        QCOMPARE(declaration(Store::usersDbPath, "setting"),
                 QString("CREATE TABLE setting(username varchar(255),item varchar(50), setting varchar(50))"));
        QVERIFY(recorder->messages.isEmpty());
    }

    void tableFunctions()
    {
        dB_Stuff store;
        QVERIFY(store.openFile(Store::usersDbPath));
        QVERIFY(tableExists("user"));
        QVERIFY(!tableExists("User"));
        QVERIFY(!tableExists("user' OR '1'='1"));
        QCOMPARE(createTable("user", "(x TEXT)"), 3);
        QCOMPARE(createTable("extra", "(a TEXT, b TEXT)"), 1);
        QCOMPARE(createTable("broken", "(a TEXT,"), -1);
        QCOMPARE(insertRow("missing", "(a)", {"x"}), 0);
        QCOMPARE(insertRow("extra", "(a, b)", {"it's", "two"}), 1);
        QCOMPARE(insertRow("extra", "(a, b, c)", {"1", "2", "3"}), -1);
        store.closeConnection();
        QCOMPARE(declaration(Store::usersDbPath, "user"), QString("CREATE TABLE user(username varchar(50), password varchar(50))"));
        QCOMPARE(Inspector(Store::usersDbPath).rows("SELECT a, b FROM extra"), (QList<QStringList>{{"it's", "two"}}));
    }

    void accounts()
    {
        dB_Stuff().createUser("Rami", passwordHash("abc"));
        QCOMPARE(recorder->texts(), QStringList{"New username has been created"});
        dB_Stuff().createUser("Rami", passwordHash("other"));
        QCOMPARE(recorder->messages.last().text, QString("Username already exists"));
        QCOMPARE(users(), (QStringList{"user1", "Rami"}));
        QCOMPARE(check("user1", Store::defaultPassword), 0);
        QCOMPARE(check("Rami", "abc"), 0);
        QCOMPARE(check("Rami", "ABC"), 1);
        QCOMPARE(check("nobody", ""), 1);

        QCOMPARE(dB_Stuff().changePassword("Rami", passwordHash("wrong"), passwordHash("new")), 1);
        QCOMPARE(check("Rami", "abc"), 0);
        QCOMPARE(dB_Stuff().changePassword("Rami", passwordHash("abc"), passwordHash("new")), 0);
        QCOMPARE(check("Rami", "abc"), 1);
        QCOMPARE(check("Rami", "new"), 0);

        recorder->clear();
        QCOMPARE(dB_Stuff().deleteUser("Rami", "abc"), 1);
        QCOMPARE(recorder->messages.last().text, QString("False password"));
        QCOMPARE(users(), (QStringList{"user1", "Rami"}));
        QCOMPARE(dB_Stuff().deleteUser("Rami", "new"), 0);
        QCOMPARE(recorder->messages.last().title, QString("Suceed"));
        QCOMPARE(dB_Stuff().deleteUser("user1", Store::defaultPassword), 0);
        QVERIFY(users().isEmpty());
    }

    // The login list could not tell such names apart: the stored row stays as it was.
    void nameDifferingOnlyInCaseIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("capital first") << "Sara";
        QTest::newRow("all capitals") << "SARA";
        QTest::newRow("mixed, blanks around") << " sArA ";
    }
    void nameDifferingOnlyInCaseIsRefused()
    {
        QFETCH(QString, name);
        dB_Stuff().createUser("sara", passwordHash("s"), true);
        recorder->clear();
        dB_Stuff().createUser(name.trimmed(), passwordHash("other"));
        QCOMPARE(recorder->texts(), QStringList{"Username already exists"});
        QCOMPARE(users(), (QStringList{"user1", "sara"}));
        QCOMPARE(check("user1", Store::defaultPassword), 0);
        QCOMPARE(check("sara", "s"), 0);
    }

    // A deleted account takes its settings and log rows along, and only its own.
    void deletingRemovesTheUsersRows()
    {
        for (const char *name : {"Rami", "Hala"}) {
            dB_Stuff().createUser(name, passwordHash(name), true);
            Store::currentUser = name;
            dB_Stuff().userSetting("AutoCheckUpdate", "2", 1);
            dB_Stuff().logActivity("Lesson", name, "", "", "", "", "");
        }
        const auto left = [] {
            return Inspector(Store::usersDbPath).rows("SELECT username, count(*) FROM (SELECT username FROM setting "
                                                      "UNION ALL SELECT username FROM activitylog) GROUP BY username "
                                                      "ORDER BY username");
        };
        QList<QStringList> both{{passwordHash("Hala"), "2"}, {passwordHash("Rami"), "2"}};
        std::sort(both.begin(), both.end());
        QCOMPARE(left(), both);
        QCOMPARE(dB_Stuff().deleteUser("Rami", "wrong"), 1);
        QCOMPARE(left(), both);
        QCOMPARE(dB_Stuff().deleteUser("Rami", "Rami"), 0);
        QCOMPARE(left(), (QList<QStringList>{{passwordHash("Hala"), "2"}}));
        QCOMPARE(users(), (QStringList{"user1", "Hala"}));
    }

    // A log that cannot be cleared keeps the account too: all or nothing.
    void failedDeleteLeavesEverything()
    {
        dB_Stuff().createUser("Rami", passwordHash("r"), true);
        Store::currentUser = "Rami";
        dB_Stuff().userSetting("AutoCheckUpdate", "2", 1);
        dB_Stuff().logActivity("Lesson", "1", "", "", "", "", "");
        Inspector(Store::usersDbPath)
            .exec("CREATE TRIGGER keep BEFORE DELETE ON activitylog BEGIN SELECT RAISE(ABORT, 'kept'); END");
        recorder->clear();
        QCOMPARE(dB_Stuff().deleteUser("Rami", "r"), 1);
        QVERIFY(recorder->texts().join('\n').contains("kept"));
        QCOMPARE(users(), (QStringList{"user1", "Rami"}));
        QCOMPARE(Inspector(Store::usersDbPath).value("SELECT count(*) FROM setting"), QString("1"));
        QCOMPARE(Inspector(Store::usersDbPath).value("SELECT count(*) FROM activitylog"), QString("1"));
    }

    void hostileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("or-true") << "x' OR '1'='1";
        QTest::newRow("semicolon") << "a'; DROP TABLE user; --";
        QTest::newRow("percent") << "50% _off";
        QTest::newRow("arabic") << "مستخدم 'أ'";
        QTest::newRow("long") << QString(10000, QChar('q')) + "'";
    }
    void hostileNames()
    {
        QFETCH(QString, name);
        dB_Stuff().createUser("victim", passwordHash("v"), true);
        dB_Stuff().createUser(name, passwordHash("p"), true);
        QCOMPARE(users(), (QStringList{"user1", "victim", name}));
        QCOMPARE(check(name, "p"), 0);
        QCOMPARE(check(name, Store::defaultPassword), 1);
        QCOMPARE(dB_Stuff().deleteUser(name, "wrong"), 1);
        QCOMPARE(users().size(), 3);
        QCOMPARE(dB_Stuff().changePassword(name, passwordHash("p"), passwordHash("q")), 0);
        QCOMPARE(check("victim", "v"), 0);
        Store::currentUser = name;
        dB_Stuff().userSetting("AutoCheckUpdate", name, 1);
        QCOMPARE(dB_Stuff().userSetting("AutoCheckUpdate", "", 2), name);
        dB_Stuff().logActivity(name, name, "", "", "", "", "");
        QCOMPARE(Inspector(Store::usersDbPath).rows("SELECT topic, log1 FROM activitylog"), (QList<QStringList>{{name, name}}));
        dB_Stuff().addDatabasePath(name, Store::settingsDbPath);
        QCOMPARE(Inspector(Store::settingsDbPath).value("SELECT dBpath FROM setting"), name);
        QCOMPARE(dB_Stuff().deleteUser(name, "q"), 0);
        QCOMPARE(users(), (QStringList{"user1", "victim"}));
        QCOMPARE(dB_Stuff().infoValue(name, Store::usersDbPath), QString("0"));
    }

    void passwordHashes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hash");
        QTest::newRow("empty") << "" << "d41d8cd98f00b204e9800998ecf8427e";
        QTest::newRow("digit") << "1" << "c4ca4238a0b923820dcc509a6f75849b";
        QTest::newRow("latin1 é") << QString::fromUtf8("é") << "3406877694691ddd1dfb0aca54681407"; // md5 of byte 0xE9
        QTest::newRow("arabic uses utf-8") << QString::fromUtf8("سلام") << "78903c575b0dda53c4a7644a2dd36d0e";
    }
    void passwordHashes()
    {
        QFETCH(QString, text);
        QFETCH(QString, hash);
        QCOMPARE(passwordHash(text), hash);
    }

    // Stored per user under the hash of the name; only this one item is kept.
    void userSettings()
    {
        Store::currentUser = "anna";
        QCOMPARE(dB_Stuff().userSetting("AutoCheckUpdate", "2", 1), QString());
        QCOMPARE(dB_Stuff().userSetting("AutoCheckUpdate", "0", 1), QString("2"));
        QCOMPARE(dB_Stuff().userSetting("Other", "5", 1), QString());
        Store::currentUser = "ben";
        QCOMPARE(dB_Stuff().userSetting("AutoCheckUpdate", "", 2), QString());
        QCOMPARE(Inspector(Store::usersDbPath).rows("SELECT username, item, setting FROM setting"),
                 (QList<QStringList>{{passwordHash("anna"), "AutoCheckUpdate", "0"}}));
    }

    void databaseListAndInfo()
    {
        dB_Stuff().addDatabasePath("/a/Users.dB", Store::settingsDbPath);
        dB_Stuff().addDatabasePath("/a/Users.dB", Store::settingsDbPath);
        dB_Stuff store;
        QCOMPARE(listed(store, 1), (QStringList{"/a/Users.dB", "/a/Users.dB"}));
        QCOMPARE(listed(store, 2), QStringList{"user1"});
        QCOMPARE(dB_Stuff().infoValue("version", Store::usersDbPath), QString("1"));
        Inspector(Store::usersDbPath).exec("DROP TABLE info");
        QCOMPARE(dB_Stuff().infoValue("version", Store::usersDbPath), QString("0"));
        QCOMPARE(recorder->messages.last().text, QString("database file version does not match"));
    }

    void activityLog()
    {
        Store::currentUser = "anna";
        const QString before = QDateTime::currentDateTime().toString(Qt::TextDate);
        dB_Stuff().logActivity("Lesson", "3", "it's 95", "", "", "", "");
        dB_Stuff().logActivity("Lesson", "3", "it's 95", "", "", "", "");
        Store::currentUser = "ben";
        dB_Stuff().logActivity("Practise", "1", "a", "b", "c", "d", "e");
        const QStringList lesson{passwordHash("anna"), "Lesson", "3", "it's 95", "", "", "", ""};
        QCOMPARE(Inspector(Store::usersDbPath).rows("SELECT username, topic, log1, log2, log3, log4, log5, log6 FROM activitylog"),
                 (QList<QStringList>{lesson, lesson, {passwordHash("ben"), "Practise", "1", "a", "b", "c", "d", "e"}}));
        const QString written = Inspector(Store::usersDbPath).value("SELECT entrydate FROM activitylog");
        const QDateTime stamp = QDateTime::fromString(written, Qt::TextDate);
        QVERIFY(stamp.isValid());
        QVERIFY(qAbs(stamp.secsTo(QDateTime::fromString(before, Qt::TextDate))) <= 2);
        QCOMPARE(written.count(':'), 2);
    }

    void logWithoutTableIsSilent()
    {
        Inspector(Store::usersDbPath).exec("DROP TABLE activitylog");
        dB_Stuff().logActivity("Lesson", "1", "", "", "", "", "");
        QVERIFY(recorder->messages.isEmpty());
    }

    void notADatabase()
    {
        writeFile(Store::usersDbPath, QByteArray(4096, 'x'));
        QCOMPARE(check("user1", Store::defaultPassword), 2);
        QVERIFY(recorder->messages.last().text.contains("not a database"));
        QVERIFY(recorder->messages.last().text.contains(Store::usersDbPath));
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        QCOMPARE(QFileInfo(Store::usersDbPath).size(), 4096); // never overwritten
    }

    void emptyFileIsMadeAnew()
    {
        writeFile(Store::usersDbPath, QByteArray());
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        QVERIFY(recorder->messages.last().text.contains(Store::usersDbPath));
        QCOMPARE(users(), QStringList{"user1"});
    }

    void readOnlyFile()
    {
        ReadOnly guard(Store::usersDbPath);
        if (!guard.ok)
            QSKIP("cannot make the file read-only here");
        QCOMPARE(check("user1", Store::defaultPassword), 0);
        dB_Stuff().createUser("new", passwordHash("x"));
        QVERIFY(recorder->messages.last().text.contains("read-only"));
        QVERIFY(!recorder->contains("New username has been created"));
        dB_Stuff().logActivity("Lesson", "1", "", "", "", "", "");
        QVERIFY(recorder->messages.last().text.contains("read-only"));
    }

    void readOnlyFolder()
    {
        ReadOnly guard(Store::dataFolder);
        if (!guard.ok)
            QSKIP("cannot make the folder read-only here");
        Store::currentUser = "anna";
        dB_Stuff().userSetting("AutoCheckUpdate", "2", 1);
        QVERIFY(!recorder->messages.isEmpty());
        QVERIFY(recorder->messages.last().text.contains("read-only"));
    }

    // A lock taken after the file was opened: the look-up fails, and that
    // is not the same as a missing table; every use waits, then says so.
    void lockedFile()
    {
        dB_Stuff::setBusyTimeout(20);
        dB_Stuff store;
        QVERIFY(store.openFile(Store::usersDbPath));
        {
            QSqlQuery pragma("PRAGMA busy_timeout");
            QVERIFY(pragma.next());
            QCOMPARE(pragma.value(0).toInt(), 20); // the injected wait, not the driver's 5 s
        }
        QCOMPARE(tableState("nosuch"), TableState::Missing);
        LockHolder locker(Store::usersDbPath);
        QVERIFY(locker.locked);
        QSqlError error;
        QCOMPARE(tableState("activitylog", &error), TableState::Unreadable);
        QVERIFY(dB_Stuff::describe(error).contains("locked by another program"));
        QCOMPARE(insertRow("activitylog", "(topic)", {"x"}), -1);
        QCOMPARE(createTable("activitylog", "(x TEXT)"), -1);
        store.closeConnection();
        dB_Stuff().createUser("late", passwordHash("x"));
        QVERIFY(recorder->messages.last().text.contains("locked by another program"));
    }

    // Made for their owner alone, even where the umask would share them.
    void newFilesAreTheOwnersOnly_data()
    {
        QTest::addColumn<bool>("users");
        QTest::newRow("Users.dB") << true;
        QTest::newRow("Setting.dB") << false;
    }
    void newFilesAreTheOwnersOnly()
    {
        QFETCH(bool, users);
        const QString file = users ? Store::usersDbPath : Store::settingsDbPath;
        QVERIFY(QFile::remove(file));
        const mode_t previous = umask(0);
        const bool ready = DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready;
        umask(previous);
        QVERIFY(ready);
        const auto everyone = QFileDevice::Permissions(0x7777);
        QCOMPARE(QFile::permissions(file) & everyone,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
    }

    // What the owner chose for an existing file stays, through start and writes.
    void existingFileKeepsItsMode()
    {
        const auto chosen = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                            QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::WriteGroup;
        QVERIFY(QFile::setPermissions(Store::usersDbPath, chosen));
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        dB_Stuff().createUser("Hala", passwordHash("x"), true);
        QCOMPARE(QFile::permissions(Store::usersDbPath) & QFileDevice::Permissions(0x7777), chosen);
    }

    // A template whose user table cannot take the default account: the
    // half-made file never takes the target's name.
    void incompleteFileIsNeverInPlace()
    {
        QTemporaryDir other;
        const QString bad = other.filePath("bad.dB");
        Inspector(bad).exec("CREATE TABLE user(x TEXT)");
        const QString target = other.filePath("Users.dB");
        QVERIFY(!DatabaseFiles::extractDatabase(bad, target));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo::exists(target + ".part"));
        QVERIFY(recorder->messages.last().text.contains(target));
    }

    void leftoverPartialFileIsReplaced()
    {
        QVERIFY(QFile::remove(Store::usersDbPath));
        writeFile(Store::usersDbPath + ".part", "half a file");
        QVERIFY(DatabaseFiles::checkFiles() == DatabaseFiles::Startup::Ready);
        QCOMPARE(users(), QStringList{"user1"});
        QVERIFY(!QFileInfo::exists(Store::usersDbPath + ".part"));
    }

    void damagedUserTableIsReported_data()
    {
        QTest::addColumn<bool>("pages");
        QTest::newRow("columns gone") << false;
        QTest::newRow("page overwritten") << true;
    }
    void damagedUserTableIsReported()
    {
        QFETCH(bool, pages);
        damageUserTable(Store::usersDbPath, pages);
        dB_Stuff store;
        QCOMPARE(listed(store, 2), QStringList());
        QVERIFY(store.failed());
        QVERIFY(recorder->texts().join('\n').contains("damaged"));
        QCOMPARE(check("user1", Store::defaultPassword), 2); // not a wrong password
    }
};

HARFORA_CORE_TEST_MAIN(TestStore)
#include "test_store.moc"
