#include "store/databasefiles.h"

#include "app/notices.h"
#include "store/dbstuff.h"
#include "store/dialect.h"
#include "store/passwordhash.h"
#include "store/serverlocation.h"
#include "store/session.h"
#include "store/tables.h"
#include "store/usersfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryFile>

namespace DatabaseFiles {

const char emptyDatabaseResource[] = ":/dB/empty database/std.dB";

namespace {
// Messages of the start-up check belong to the login window.
QString loginText(const char *text)
{
    return QCoreApplication::translate("Login", text);
}

void fillUsersTables()
{
    createTable("info", Schema::infoColumns);
    insertRow("info", "(value, parameter)", {"1", "version"});
    createTable("activitylog", Schema::activityLogColumns);
    createTable("setting", Schema::settingColumns);
    createTable("user", Schema::userColumns);
}

void fillSettingsTables()
{
    createTable("setting", Schema::databaseListColumns);
    createTable("info", Schema::infoColumns);
    insertRow("info", "(value, parameter)", {"1", "version"});
}

// A zero-byte file holds nothing to lose: it is replaced by a fresh one.
void dropEmptyFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile() && info.size() == 0 && QFile::remove(path))
        Notices::information(loginText(QT_TRANSLATE_NOOP("Login", "Info")),
                              loginText(QT_TRANSLATE_NOOP("Login", "The database file was empty and has been made anew:")) + "\n" + path);
}

bool ensure(const QString &path, const char *message, const char *errorProperty)
{
    dropEmptyFile(path);
    if (QFile::exists(path) || extractDatabase(emptyDatabaseResource, path))
        return true;
    Notices::warning(loginText(QT_TRANSLATE_NOOP("Login", "Error")), loginText(message));
    qApp->setProperty("Error", QString::fromLatin1(errorProperty));
    return false;
}
}

namespace {
// Fills a copy of the template with the tables (and, for a users database,
// the default account) the target's name calls for, in one transaction: one
// disk sync for the new file instead of one per statement.
bool fillCopy(const QString &copy, bool users, bool settings)
{
    dB_Stuff store;
    if (!store.openFile(copy)) {
        store.closeConnection();
        return false;
    }
    bool ok = false;
    {
        // Released before the connection is removed.
        QSqlDatabase db = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
        ok = db.transaction();
        if (users) {
            fillUsersTables();
            ok = ok && insertRow("user", "(username,password)",
                                 {QString::fromLatin1(Store::defaultUser), passwordHash(Store::defaultPassword)}) == 1;
        } else if (settings) {
            fillSettingsTables();
        }
        ok = ok && db.commit();
        if (!ok)
            db.rollback();
        db.close();
    }
    store.closeConnection();
    return ok;
}

// Read back before the file takes its real name: a version row, and for a
// users database the default account.
bool complete(const QString &copy, bool users)
{
    dB_Stuff store;
    bool ok = store.openFile(copy);
    if (ok) {
        QSqlQuery query(QSqlDatabase::database(QSqlDatabase::defaultConnection, false));
        ok = query.exec("SELECT count(*) FROM info WHERE parameter='version'") && query.next() &&
             query.value(0).toInt() == 1;
        if (ok && users)
            ok = query.exec("SELECT count(*) FROM user") && query.next() && query.value(0).toInt() == 1;
    }
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    store.closeConnection();
    return ok;
}
}

namespace {
// Accounts and the activity log are nobody else's business: the copy is
// readable and writable by its owner only from the moment it exists (a
// temporary file is made that way), whatever the umask.
bool copyPrivately(const QString &resource, const QString &copy)
{
    QFile source(resource);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    QTemporaryFile part(copy);
    if (!part.open() || part.write(bytes) != bytes.size() || !part.flush())
        return false;
    const auto ownerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
    if (!part.setPermissions(ownerOnly) || !part.rename(copy))
        return false;
    part.setAutoRemove(false);
    return true;
}
}

// The file is made under a name beside the target and renamed into place
// when complete, so a program killed half-way never leaves a partial file.
bool extractDatabase(const QString &resource, const QString &target)
{
    const QString copy = target + ".part";
    QFile::remove(copy); // left by a run that was stopped
    const bool users = target.contains("Users.dB");
    const bool made = copyPrivately(resource, copy) && fillCopy(copy, users, target.contains("Setting.dB")) &&
                      complete(copy, users) && QFile::rename(copy, target);
    if (!made) {
        QFile::remove(copy);
        Notices::warning(loginText(QT_TRANSLATE_NOOP("Login", "Error")), loginText(QT_TRANSLATE_NOOP("Login", "Couldn't open database file.")) + target);
    }
    return made;
}

Startup checkFiles()
{
    Store::locateDataFolder();
    if (!ensure(Store::settingsDbPath,
                QT_TRANSLATE_NOOP("Login", "Setting file does not exist in program folder and extraction failed, please reinstall"),
                "Setting file does not exist"))
        return Startup::SettingsMissing;
    if (!ensure(Store::usersDbPath,
                QT_TRANSLATE_NOOP("Login", "Users file does not exist in program folder and extraction failed, please reinstall"),
                "Users file does not exist"))
        return Startup::UsersMissing;
    return Startup::Ready;
}

void repairUsersDatabase()
{
    // A server's tables are made whenever it is opened (postgresdialect.cpp).
    if (ServerLocation::isServer(Store::usersDbPath))
        return;
    // Another program's file is only written once it is a users database.
    const QString local = QDir::toNativeSeparators(Store::dataFolder + "/" + "Users.dB");
    if (Store::usersDbPath != local && !UsersFile::problem(Store::usersDbPath).isEmpty())
        return;
    dB_Stuff store;
    if (store.openFile(Store::usersDbPath))
        StoreDialect::ofConnection().repairUsersTables();
    store.closeConnection();
}
}
