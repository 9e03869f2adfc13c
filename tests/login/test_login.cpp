#include "app/clock.h"
#include "app/translate.h"
#include "login/browse.h"
#include "login/login.h"
#include "login/serverdialog.h"
#include "mainmenu/harforamain.h"
#include "store/passwordhash.h"
#include "store/serverlocation.h"
#include "tests/store/storefixture.h"
#include "tests/support/testsupport.h"

#include <QComboBox>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TestLogin : public QObject
{
    Q_OBJECT
    QTemporaryDir *home = nullptr;
    MessageRecorder *recorder = nullptr;
    Login *login = nullptr;

    template <typename T> T *child(const char *name) const
    {
        T *w = login->findChild<T *>(name);
        if (!w)
            qFatal("no child %s", name);
        return w;
    }
    QComboBox *users() const { return child<QComboBox>("logincurrentusers"); }
    QComboBox *databases() const { return child<QComboBox>("logindBList"); }
    QLineEdit *password() const { return child<QLineEdit>("loginpassword"); }
    void click(const char *name) { child<QPushButton>(name)->click(); }
    static QStringList items(const QComboBox *box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts.append(box->itemText(i));
        return texts;
    }
    QStringList userNames() const { return items(users()); }
    HarforaMain *openMenu() const { return shownWindows<HarforaMain>().value(0); }
    // Clicks the button that opens the user dialog, fills it and presses OK (or closes it).
    void answerUserDialog(const char *button, const QString &name, const QString &pw, const QString &confirm,
                          bool ok = true)
    {
        QTimer::singleShot(0, login, [=] {
            auto *dialog = login->findChild<QDialog *>("mywindow");
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>("newusername")->setText(name);
            dialog->findChild<QLineEdit *>("newpassword")->setText(pw);
            dialog->findChild<QLineEdit *>("confirmpassword")->setText(confirm);
            if (ok)
                dialog->findChild<QPushButton *>("okbutton")->click();
            else
                dialog->reject();
        });
        click(button);
    }
    // Creates the file (empty) and gives its path.
    static QString touch(const QString &path)
    {
        QFile(path).open(QIODevice::WriteOnly);
        return path;
    }
    void browseTo(const QString &folder)
    {
        QTimer::singleShot(0, login, [=] {
            auto *browse = login->findChild<Browse *>("MyBrowse");
            QVERIFY(browse);
            browse->chooseFolder(folder);
            browse->findChild<QPushButton *>("ok_pushbutton")->click();
        });
        click("loginbrowse");
    }
    // Registers a server database through the "Server" button's dialog; a
    // password dialog that comes up is answered with `password`.
    void registerServer(const QString &location, const QString &password = QString())
    {
        QTimer::singleShot(0, login, [=] {
            auto *dialog = login->findChild<ServerDialog *>("MyServer");
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>("serverlocation")->setText(location);
            dialog->findChild<QPushButton *>("serverok")->click();
        });
        QTimer answer;
        connect(&answer, &QTimer::timeout, login, [&] {
            if (auto *ask = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                ask->setTextValue(password);
                ask->accept();
            }
        });
        answer.start(5);
        click("loginserver");
    }
    QString serverLabel(const QString &name) const
    {
        return name + " @ 127.0.0.1:" + TestServer::setting("PGTEST_PORT");
    }
    void closeMenus()
    {
        for (HarforaMain *menu : shownWindows<HarforaMain>(false))
            menu->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void initTestCase() { Clock::setManual(true); }
    void init()
    {
        home = new QTemporaryDir;
        freshProfile(*home);
        recorder = new MessageRecorder;
        login = new Login(0, nullptr);
        login->show();
    }
    void cleanup()
    {
        closeMenus();
        delete login;
        delete recorder;
        dB_Stuff::setBusyTimeout(5000);
        delete home;
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    // Kept as its URI like a path, listed by host and database name.
    void serverDatabaseIsRegisteredAndUsed()
    {
        QVERIFY(TestServer::freshDatabase("harfora_login"));
        const QString location = TestServer::location("harfora_login");
        registerServer(location);
        QCOMPARE(recorder->texts(), QStringList());
        QCOMPARE(databases()->currentText(), serverLabel("harfora_login"));
        QCOMPARE(Store::usersDbPath, location);
        QCOMPARE(userNames(), QStringList());
        answerUserDialog("logincreateuser", "lina", "pw", "pw");
        QCOMPARE(userNames(), QStringList{"lina"});
        QCOMPARE(Inspector(Store::settingsDbPath).value("SELECT dBpath FROM setting"), location);
        {
            Login again(0, nullptr);
            auto *list = again.findChild<QComboBox *>("logindBList");
            QCOMPARE(items(list), (QStringList{"Localhost", serverLabel("harfora_login")}));
        }
        registerServer(location);
        QCOMPARE(recorder->messages.last().title, QString("Already Exist"));
        databases()->setCurrentIndex(0);
        QCOMPARE(userNames(), QStringList{"user1"});
    }

    void unreachableServerIsNotListed()
    {
        registerServer("postgresql://127.0.0.1:1/harfora?user=learner");
        QCOMPARE(items(databases()), QStringList{"Localhost"});
        QVERIFY(recorder->texts().join('\n').contains("The server cannot be reached"));
        QVERIFY(Store::usersDbPath.endsWith("Users.dB"));
    }

    // Without a password file the password is asked, used and forgotten at
    // the end of the run: it is in no file.
    void askedPasswordIsKeptInMemoryOnly()
    {
        QVERIFY(TestServer::freshDatabase("harfora_asked"));
        const QString location = TestServer::location("harfora_asked");
        qputenv("PGPASSFILE", (home->path() + "/none").toUtf8());
        registerServer(location, "secret");
        TestServer::location("postgres");
        QCOMPARE(recorder->texts(), QStringList());
        QCOMPARE(databases()->currentText(), serverLabel("harfora_asked"));
        QFile settings(Store::settingsDbPath);
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(!settings.readAll().contains("secret"));
        // A later run knows no password: choosing the server asks again.
        ServerPasswords::remember(location, QString());
        databases()->setCurrentIndex(0);
        dB_Stuff().createUser("lina", passwordHash("pw"), true); // in the local file
        qputenv("PGPASSFILE", (home->path() + "/none").toUtf8());
        QTimer answer;
        connect(&answer, &QTimer::timeout, login, [] {
            if (auto *ask = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                ask->setTextValue("secret");
                ask->accept();
            }
        });
        answer.start(5);
        databases()->setCurrentIndex(1);
        TestServer::location("postgres");
        QCOMPARE(recorder->texts(), QStringList());
        QCOMPARE(Store::usersDbPath, location);
        QCOMPARE(userNames(), QStringList()); // the server's (none), not the file's
    }

    // A listed server that has stopped: said once, and no users of another
    // database stay in the list.
    void stoppedServerListsNoUsers()
    {
        dB_Stuff().addDatabasePath("postgresql://127.0.0.1:1/harfora?user=learner", Store::settingsDbPath);
        Login again(0, nullptr);
        recorder->clear();
        auto *list = again.findChild<QComboBox *>("logindBList");
        QCOMPARE(items(list), (QStringList{"Localhost", "harfora @ 127.0.0.1:1"}));
        list->setCurrentIndex(1);
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY(recorder->texts().join('\n').contains("The server cannot be reached"));
        QCOMPARE(again.findChild<QComboBox *>("logincurrentusers")->count(), 0);
    }

    void startsInEnglishWithDefaultUser()
    {
        QVERIFY(child<QComboBox>("langlist")->currentText().contains("English"));
        QCOMPARE(child<QPushButton>("logincreateuser")->text(), QString("Create User"));
        QCOMPARE(login->size(), QSize(690, 365));
        QVERIFY(!child<QPushButton>("key")->isEnabled());
    }

    void defaultPasswordHintFor10Seconds()
    {
        auto *hint = login->findChild<QLabel *>("hintLabel");
        QVERIFY(hint && hint->isVisible());
        QVERIFY(hint->text().contains(QString("Default password for User1 is ") + Store::defaultPassword + " "));
        Clock::advance(9999);
        QVERIFY(hint->isVisible());
        Clock::advance(1);
        QVERIFY(!hint->isVisible());
        // none once the password changed
        dB_Stuff().changePassword("user1", passwordHash(Store::defaultPassword), passwordHash("secret"));
        Login second(0, nullptr);
        QVERIFY(!second.findChild<QLabel *>("hintLabel"));
    }

    // Closing the menu brings the login window back as it was left (the
    // window-order test closes it in every other order).
    void loginOpensTheMenuAndTheMenuClosesBackToLogin()
    {
        password()->setText(Store::defaultPassword);
        click("loginbutton");
        HarforaMain *menu = openMenu();
        QVERIFY(menu);
        QVERIFY(!login->isVisible());
        QCOMPARE(Store::currentUser, QString("user1"));
        QCOMPARE(menu->pos(), QPoint(0, 0));
        QVERIFY(!(menu->windowFlags() & Qt::WindowMaximizeButtonHint));
        closeMenus();
        QVERIFY(login->isVisible());
        QCOMPARE(users()->currentText(), QString("user1"));
        QVERIFY(password()->text().isEmpty()); // the next person types their own
        // and again after a second session
        password()->setText(Store::defaultPassword);
        click("loginbutton");
        QVERIFY(openMenu());
        closeMenus();
        QVERIFY(password()->text().isEmpty());
    }

    void wrongAndEmptyPasswords()
    {
        click("loginbutton");
        QCOMPARE(recorder->messages.last().text, QString("Your current password in the password field is empty"));
        password()->setText("wrong");
        click("loginbutton");
        QCOMPARE(recorder->messages.last().text, QString("Wrong login password, please correct it"));
        QVERIFY(!openMenu());
    }

    // Nothing is deleted before the learner said yes.
    void deletingAsksFirst()
    {
        Store::currentUser = "user1";
        dB_Stuff().logActivity("Lesson", "1", "5", "", "", "", "");
        password()->setText(Store::defaultPassword);
        recorder->replies = {QMessageBox::No};
        click("logindeleteuser");
        QCOMPARE(recorder->messages.last().kind, Messages::Kind::Question);
        QVERIFY(recorder->messages.last().text.contains("user1"));
        QCOMPARE(userNames(), QStringList{"user1"});
        QCOMPARE(Inspector(Store::usersDbPath).value("SELECT count(*) FROM activitylog"), QString("1"));
        recorder->replies = {QMessageBox::Yes};
        click("logindeleteuser");
        QVERIFY(userNames().isEmpty());
        QCOMPARE(Inspector(Store::usersDbPath).value("SELECT count(*) FROM activitylog"), QString("0"));
    }

    void changePasswordThenDeleteUser()
    {
        password()->setText(Store::defaultPassword);
        answerUserDialog("loginchangepassword", "", "fresh", "fresh");
        QCOMPARE(recorder->messages.last().text, QString("Password changed sucessfully"));
        QCOMPARE(password()->text(), QString("fresh"));
        password()->clear();
        click("loginchangepassword");
        QCOMPARE(recorder->messages.last().title, QString("Current password"));
        password()->setText("fresh");
        recorder->replies = {QMessageBox::Yes};
        click("logindeleteuser");
        QVERIFY(userNames().isEmpty());
        QVERIFY(password()->text().isEmpty());
    }

    void otherUsersDatabase()
    {
        // a second users database in another folder, made like the local one
        QTemporaryDir other;
        const QString otherFile = other.filePath("Users.dB");
        QVERIFY(DatabaseFiles::extractDatabase(DatabaseFiles::emptyDatabaseResource, otherFile));
        Inspector(otherFile).exec("INSERT INTO user VALUES('remote', 'x')");

        // its users listed is the store reading it: log-ins go there too
        browseTo(other.path());
        QCOMPARE(databases()->currentText(), otherFile);
        QCOMPARE(userNames(), (QStringList{"user1", "remote"}));
        QCOMPARE(Inspector(Store::settingsDbPath).value("SELECT dBpath FROM setting"), otherFile);

        browseTo(other.path());
        QCOMPARE(recorder->messages.last().text, QString("Selected file already exists in the drop list"));
        browseTo(Store::dataFolder);
        QCOMPARE(recorder->messages.last().text, QString("Selected file is the same as Localhost in the drop list"));
        QCOMPARE(databases()->count(), 2);

        databases()->setCurrentIndex(0);
        QCOMPARE(userNames(), QStringList{"user1"});
    }

    // Names and passwords typed in the user dialog, some beside names a
    // database kept from older versions holds: what is said, listed and
    // selected. Stored rows stay as they are.
    void newNames_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("message");
        const QString invisible = "The user name holds invisible or direction-control characters. "
                                  "Please type it without them.";
        const QStringList none, one{"user1"};
        QTest::newRow("trailing blank") << none << "user1 " << "pw" << "pw" << one << "Username already exists";
        QTest::newRow("blanks around") << none << "  sara  " << "pw" << "pw" << QStringList{"user1", "sara"}
                                       << "New username has been created";
        QTest::newRow("zero-width space") << none << QString::fromUtf8("user\u200b1") << "pw" << "pw" << one << invisible;
        QTest::newRow("embedding") << none << QString::fromUtf8("\u202buser1\u202c") << "pw" << "pw" << one << invisible;
        QTest::newRow("tab") << none << "sa\tra" << "pw" << "pw" << one << invisible;
        QTest::newRow("only blanks") << none << "   " << "pw" << "pw" << one << "New user name can not be empty";
        QTest::newRow("empty password") << none << "Sara" << "" << "" << one << "Password can not be empty";
        QTest::newRow("confirmation differs") << none << "Sara" << "a" << "b" << one
                                              << "Password and password confirmation are not identical.";
        QTest::newRow("a stored name in other case") << QStringList{"Sara", "sara"} << "SARA" << "pw" << "pw"
                                                     << QStringList{"user1", "Sara", "sara"} << "Username already exists";
        const QString lookAlike = QString::fromUtf8("ali\u200b");
        QTest::newRow("look-alike of a stored name") << QStringList{lookAlike} << "ali" << "pw" << "pw"
                                                     << QStringList{"user1", lookAlike} << "Username already exists";
    }
    void newNames()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, typed);
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(QStringList, listed);
        QFETCH(QString, message);
        for (const QString &name : stored)
            Inspector(Store::usersDbPath).rows("INSERT INTO user VALUES(?, 'x')", {name});
        this->password()->setText("typed");
        answerUserDialog("logincreateuser", typed, password, confirmation);
        QCOMPARE(recorder->messages.last().text, message);
        QCOMPARE(userNames(), listed);
        const bool made = listed.size() > stored.size() + 1;
        QCOMPARE(users()->currentText(), made ? typed.trimmed() : QString("user1"));
        QVERIFY(!made || this->password()->text().isEmpty());
    }

    void cancelledDialogMakesNoUser()
    {
        answerUserDialog("logincreateuser", "Sara", "a", "a", false);
        QCOMPARE(userNames(), QStringList{"user1"});
    }

    // A lock held at start past the busy timeout: said, and the list comes
    // back once the lock is gone, without a restart.
    void lockedListIsReadAgain()
    {
        delete login;
        dB_Stuff::setBusyTimeout(50);
        LockHolder locker(Store::usersDbPath);
        QVERIFY(locker.locked);
        recorder->clear();
        login = new Login(0, nullptr);
        login->show();
        QVERIFY(recorder->texts().join('\n').contains("locked by another program"));
        QVERIFY(userNames().isEmpty());
        recorder->clear();
        password()->setText(Store::defaultPassword);
        click("loginbutton");
        QVERIFY(!openMenu());
        QVERIFY(recorder->texts().join('\n').contains("locked by another program"));
        QVERIFY(!recorder->contains("Wrong login password, please correct it"));
        locker.release();
        QTest::mouseClick(users(), Qt::LeftButton);
        users()->hidePopup();
        QCOMPARE(userNames(), QStringList{"user1"});
        click("loginbutton");
        QVERIFY(openMenu());
    }

    // Files that are refused when browsed to: listed for this run, never
    // stored, never written, not even when chosen in the list.
    void refusedFilesStayAsTheyWere_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero bytes") << "empty" << "database file version does not match";
        QTest::newRow("another program's") << "foreign" << "database file version does not match";
        QTest::newRow("no version row") << "unversioned" << "database file version does not match";
        QTest::newRow("user table columns") << "columns" << "The user table of this file is damaged.";
        QTest::newRow("a folder of that name") << "folder" << "This is a folder, not a database file.";
    }
    void refusedFilesStayAsTheyWere()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir other;
        const QString file = other.filePath("Users.dB");
        if (kind == "empty") {
            touch(file);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(file));
        } else if (kind == "foreign") {
            Inspector(file).exec("CREATE TABLE notes(text TEXT)");
        } else {
            QVERIFY(DatabaseFiles::extractDatabase(DatabaseFiles::emptyDatabaseResource, file));
            if (kind == "unversioned")
                Inspector(file).exec("DELETE FROM info");
            else
                damageUserTable(file, false);
        }
        auto bytes = [&] {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        };
        const QByteArray before = bytes();
        browseTo(other.path());
        QVERIFY2(recorder->messages.last().text.startsWith(message), qPrintable(recorder->messages.last().text));
        QCOMPARE(databases()->count(), 2);
        QCOMPARE(databases()->currentIndex(), 0);
        databases()->setCurrentIndex(1);
        databases()->setCurrentIndex(0);
        QCOMPARE(bytes(), before);
        QCOMPARE(Inspector(Store::settingsDbPath).value("SELECT count(*) FROM setting"), QString("0"));
        QCOMPARE(QDir(other.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Users.dB"});
    }

    // Each label activates its own catalogue: the one its key names.
    void languageEntries_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("direction");
        QTest::newRow("arabic") << "Arabic Typing - Arabic GUI" << "AR_ar_AR" << int(Qt::RightToLeft);
        QTest::newRow("macintosh") << "Arabic Typing - Arabic GUI-MAC" << "AR_ar_EG" << int(Qt::RightToLeft);
        QTest::newRow("english") << "Arabic Typing - English GUI" << "AR_en_US" << int(Qt::LeftToRight);
    }
    void languageEntries()
    {
        QFETCH(QString, label);
        QFETCH(QString, key);
        QFETCH(int, direction);
        auto *languages = child<QComboBox>("langlist");
        const int entry = languages->findText(label);
        QVERIFY(entry >= 0);
        // start from another catalogue, so that the choice has to change it
        languages->setCurrentIndex(entry == 0 ? 1 : 0);
        languages->setCurrentIndex(entry);
        QCOMPARE(int(QGuiApplication::layoutDirection()), direction);
        QTranslator *chosen = translate::currentTranslator();
        translate::applyLanguage(key);
        QVERIFY(chosen);
        QCOMPARE(chosen, translate::currentTranslator());
        QCOMPARE(child<QLabel>("titleLabel")->text(), QString("Arabic Harfora"));
        QCOMPARE(child<QPushButton>("logincreateuser")->text(),
                 QCoreApplication::translate("Login", "Create User"));
        QCOMPARE(child<QPushButton>("logincreateuser")->text() == "Create User", key == "AR_en_US");
        QCOMPARE(child<QLabel>("hintLabel")->text().startsWith("Default password"), key == "AR_en_US");
    }

    // Stored paths are listed only when they name an existing file ending
    // in ".db" in any case; the others stay stored.
    void storedDatabasePathsListed()
    {
        QTemporaryDir other;
        auto file = [&](const QString &name) { return touch(other.filePath(name)); };
        QVERIFY(QDir().mkdir(other.filePath("folder.db")));
        const QStringList stored{file("Users.dB"), other.filePath("missing.dB"), file("CAPITALS.DB"),
                                 file("Users.txt"), other.filePath("folder.db"), file("Users.dB.bak"),
                                 file("lower.db")};
        for (const QString &path : stored)
            dB_Stuff().addDatabasePath(path, Store::settingsDbPath);
        Login again(0, nullptr);
        QCOMPARE(items(again.findChild<QComboBox *>("logindBList")),
                 (QStringList{"Localhost", stored[0], stored[2], stored[6]}));
        QCOMPARE(Inspector(Store::settingsDbPath).value("SELECT count(*) FROM setting"), QString::number(stored.size()));
    }

    void fatalWhenTheDataFolderCannotBeMade()
    {
        // The data location lies below a plain file: no folder, no database.
        QTemporaryDir broken;
        freshProfile(broken);
        touch(broken.filePath(".qttest"));
        recorder->clear();
        Login failed(0, nullptr);
        QVERIFY(recorder->contains("Setting file does not exist in program folder and extraction failed, please reinstall"));
        QCOMPARE(qApp->property("Error").toString(), QString("Setting file does not exist"));
        QCOMPARE(failed.findChild<QComboBox *>("logincurrentusers")->count(), 0);
        qApp->setProperty("Error", QVariant());
        freshProfile(*home);
        DatabaseFiles::checkFiles();
    }
};

HARFORA_TEST_MAIN(TestLogin)
#include "test_login.moc"
