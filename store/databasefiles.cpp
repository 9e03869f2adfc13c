#include "store/databasefiles.h"

#include "app/notices.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/session.h"
#include "store/tables.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

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

bool extractDatabase(const QString &resource, const QString &target)
{
    QFile::copy(resource, target);
    QFile::setPermissions(target, QFileDevice::Permissions(0x6066));

    dB_Stuff store;
    QString problem;
    if (!QFileInfo(target).isFile() || !store.openFile(target, &problem)) {
        Notices::warning(loginText(QT_TRANSLATE_NOOP("Login", "Error")), loginText(QT_TRANSLATE_NOOP("Login", "Couldn't open database file.")) + target);
        store.closeConnection();
        return false;
    }
    const bool users = target.contains("Users.dB");
    if (users)
        fillUsersTables();
    else if (target.contains("Setting.dB"))
        fillSettingsTables();
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    store.closeConnection();
    if (users) {
        const QString keepUsers = Store::usersDbPath;
        Store::usersDbPath = target;
        dB_Stuff().createUser(Store::defaultUser, passwordHash(Store::defaultPassword), true);
        Store::usersDbPath = keepUsers;
    }
    return true;
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
    dB_Stuff store;
    if (store.openFile(Store::usersDbPath))
        Schema::repairUsersTables();
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    store.closeConnection();
}
}
