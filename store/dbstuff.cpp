#include "store/dbstuff.h"

#include "app/notices.h"
#include "store/dialect.h"
#include "store/passwordhash.h"
#include "store/serverlocation.h"
#include "store/serverqueue.h"
#include "store/session.h"
#include "store/tables.h"
#include "store/usernames.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {
bool added = false;
// A server connection is kept open between operations (a new one costs a
// network round trip and an authentication each time); it is reused while
// it is pointed at the same place and still answers.
bool parked = false;
// A classroom may share one users database: wait for another writer's lock.
int busyMs = 5000;

bool missingTable(const QSqlError &error)
{
    return StoreDialect::ofConnection().missingTable(error);
}
}

void dB_Stuff::setBusyTimeout(int ms)
{
    busyMs = ms;
}

int dB_Stuff::busyTimeout()
{
    return busyMs;
}

dB_Stuff::dB_Stuff(QObject *) : QObject(nullptr) {}

dB_Stuff::~dB_Stuff() = default;

bool dB_Stuff::connectionAdded()
{
    return added;
}

void dB_Stuff::openConnection()
{
    openConnection(StoreDialect::sqlite().driver());
}

// The one default connection, of the driver the database needs.
void dB_Stuff::openConnection(const QString &driver)
{
    const bool kept = added || parked;
    if (kept && QSqlDatabase::database(QSqlDatabase::defaultConnection, false).driverName() != driver) {
        closeConnection();
        dropParked();
    }
    if (parked) {
        parked = false;
        added = true;
    }
    if (!added) {
        handle = QSqlDatabase::addDatabase(driver, QSqlDatabase::defaultConnection);
        added = true;
    } else {
        handle = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
    }
    db = &handle;
}

void dB_Stuff::closeConnection()
{
    if (!added)
        return;
    {
        QSqlDatabase current = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
        if (StoreDialect::ofConnection().isServer() && current.isOpen()) {
            handle = QSqlDatabase();
            db = nullptr;
            added = false;
            parked = true;
            return;
        }
        current.close();
    }
    handle = QSqlDatabase();
    db = nullptr;
    QSqlDatabase::removeDatabase(QSqlDatabase::defaultConnection);
    added = false;
}

QString dB_Stuff::describe(const QSqlError &error)
{
    const StoreDialect &first = StoreDialect::ofConnection();
    const StoreDialect &second = first.isServer() ? StoreDialect::sqlite() : StoreDialect::postgres();
    QString said = first.describe(error);
    if (said.isEmpty())
        said = second.describe(error);
    return said.isEmpty() ? error.text() : said;
}

bool dB_Stuff::openFile(const QString &path, QString *problem, bool readOnly)
{
    const StoreDialect &dialect = StoreDialect::of(path);
    openConnection(dialect.driver());
    QString why;
    const bool opened = dialect.open(*db, path, busyMs, readOnly, &why);
    if (problem)
        *problem = why;
    if (opened && dialect.isServer() && !readOnly)
        sendQueuedRows(path);
    return opened;
}

bool dB_Stuff::openUsers()
{
    QString problem;
    if (openFile(Store::usersDbPath, &problem))
        return true;
    Notices::warning(tr("Error"),
                      tr("Couldn't open users database file.") + "\n" + Store::usersDbPath + "\n" + problem);
    closeConnection();
    return false;
}

void dB_Stuff::reportWriteFailure(const QSqlError &error)
{
    Notices::warning(tr("Error"),
                      tr("Couldn't write to the database file.") + "\n" + db->databaseName() + "\n" +
                          describe(error));
}

void dB_Stuff::reportReadFailure(const QString &what, const QSqlError &error)
{
    readFailed = true;
    Notices::warning(tr("Error"), what + "\n" + db->databaseName() + "\n" + describe(error));
}

void dB_Stuff::finish()
{
    closeConnection();
}

void dB_Stuff::dropParked()
{
    if (!parked)
        return;
    QSqlDatabase::database(QSqlDatabase::defaultConnection, false).close();
    QSqlDatabase::removeDatabase(QSqlDatabase::defaultConnection);
    parked = false;
}

QPointer<QStringListModel> dB_Stuff::loadModel(int which)
{
    QPointer<QStringListModel> model = new QStringListModel();
    const QString file = which == 1 ? Store::settingsDbPath : Store::usersDbPath;
    QString problem;
    if (!openFile(file, &problem)) {
        Notices::warning(tr("Error"),
                          tr("Couldn't open database file  ") +
                              (which == 1 ? "Settings database" : "Users database") + "\n" + problem);
        closeConnection();
        readFailed = true;
        return model;
    }
    QStringList rows;
    {
        QSqlQuery query(*db);
        bool ok = query.exec(which == 1 ? QStringLiteral("SELECT dBPath from setting")
                                         : QStringLiteral("SELECT username FROM \"user\"") +
                                               StoreDialect::ofConnection().insertionOrder());
        while (ok && query.next())
            rows.append(query.value(0).toString());
        // A missing table is made again by the repair; a lock or damage is
        // said, and the short list is not taken for the whole one.
        const QSqlError error = query.lastError();
        if (error.type() != QSqlError::NoError && !missingTable(error))
            reportReadFailure(tr("Couldn't read the list of users."), error);
    }
    finish();
    model->setStringList(rows);
    return model;
}

QString dB_Stuff::infoValue(const QString &parameter, const QString &file)
{
    QString problem;
    if (!openFile(file, &problem)) {
        Notices::warning(tr("Error"), tr("Couldn't open the database file.") + "\n" + problem);
        closeConnection();
        return "0";
    }
    QString value;
    bool found = false;
    {
        QSqlQuery query(*db);
        query.prepare("SELECT value FROM info where parameter=?");
        query.addBindValue(parameter);
        found = query.exec() && query.next();
        if (found)
            value = query.value("value").toString();
    }
    finish();
    if (!found) {
        Notices::warning(tr("Error"), tr("database file version does not match"));
        return "0";
    }
    return value;
}

// Check and insert are one transaction, so two programs creating the same
// name at once still leave one row; a look-alike of a stored name counts as
// that name.
bool dB_Stuff::insertNewUser(const QString &name, const QString &hash, QSqlError *failure)
{
    QSqlQuery query(*db);
    for (const QString &begin : StoreDialect::ofConnection().beginUserWrite())
        if (!failure->isValid() && !query.exec(begin))
            *failure = query.lastError();
    if (failure->isValid()) {
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    bool exists = false;
    const QString key = UserNames::lookAlikeKey(name);
    if (query.exec("Select username from \"user\""))
        while (!exists && query.next())
            exists = UserNames::lookAlikeKey(query.value(0).toString()) == key;
    else
        *failure = query.lastError();
    if (!exists && !failure->isValid()) {
        query.prepare("Insert into \"user\"(username,password) values (?,?)");
        query.addBindValue(name);
        query.addBindValue(hash);
        if (!query.exec())
            *failure = query.lastError();
    }
    query.finish();
    if (failure->isValid() || !query.exec("COMMIT")) {
        if (!failure->isValid())
            *failure = query.lastError();
        query.exec("ROLLBACK");
    }
    return exists;
}

void dB_Stuff::createUser(const QString &name, const QString &hash, bool silent)
{
    if (!openUsers())
        return;
    QSqlError failure;
    const bool exists = insertNewUser(name, hash, &failure);
    if (failure.isValid()) {
        reportWriteFailure(failure);
    } else if (exists) {
        Notices::warning(tr("Error"), tr("Username already exists"));
    } else if (!silent) {
        Notices::information(tr("Done"), tr("New username has been created"));
    }
    finish();
}

int dB_Stuff::checkPassword(const QString &name, const QString &hash)
{
    if (!openUsers())
        return 2;
    QString stored;
    {
        QSqlQuery query(*db);
        query.prepare("select password from \"user\" where username=?");
        query.addBindValue(name);
        const bool ok = query.exec();
        if (ok && query.next())
            stored = query.value("password").toString();
        // A lock is no wrong password: say so and let the caller stop.
        if (!ok && !missingTable(query.lastError())) {
            reportReadFailure(tr("Couldn't check the password."), query.lastError());
            finish();
            return 2;
        }
    }
    finish();
    return !stored.isEmpty() && stored == hash ? 0 : 1;
}

int dB_Stuff::changePassword(const QString &name, const QString &oldHash, const QString &newHash)
{
    if (!openUsers())
        return 2;
    {
        QSqlQuery query(*db);
        query.prepare("UPDATE \"user\" set password = ? where username=? and password=?");
        query.addBindValue(newHash);
        query.addBindValue(name);
        query.addBindValue(oldHash);
        if (!query.exec())
            reportWriteFailure(query.lastError());
    }
    finish();
    return checkPassword(name, newHash) == 0 ? 0 : 1;
}

// The account goes with its settings and activity-log rows (keyed by the
// hash of its name), all or nothing.
int dB_Stuff::deleteUser(const QString &name, const QString &password)
{
    if (!openUsers())
        return 1;
    QSqlError failure;
    bool removed = false;
    {
        QSqlQuery query(*db);
        for (const QString &begin : StoreDialect::ofConnection().beginUserWrite())
            if (!failure.isValid() && !query.exec(begin))
                failure = query.lastError();
        auto run = [&](const char *sql, const QString &first, const QString &second) {
            if (failure.isValid())
                return;
            query.prepare(sql);
            query.addBindValue(first);
            if (!second.isNull())
                query.addBindValue(second);
            if (!query.exec() && !missingTable(query.lastError()))
                failure = query.lastError();
        };
        run("Delete from \"user\" where username=? and password=?", name, passwordHash(password));
        removed = !failure.isValid() && query.numRowsAffected() > 0;
        if (removed) {
            run("Delete from setting where username=?", passwordHash(name), QString());
            run("Delete from activitylog where username=?", passwordHash(name), QString());
        }
        query.finish();
        if (failure.isValid() || !removed || !query.exec("COMMIT")) {
            if (!failure.isValid() && removed)
                failure = query.lastError();
            query.exec("ROLLBACK");
        }
    }
    if (failure.isValid()) {
        reportWriteFailure(failure);
        finish();
        return 1;
    }
    finish();
    if (removed) {
        Notices::information(tr("Suceed"), tr("Username removed successfully"));
        return 0;
    }
    Notices::warning(tr("Error"), tr("False password"));
    return 1;
}

QString dB_Stuff::userSetting(const QString &item, const QString &value, int mode)
{
    if (item != "AutoCheckUpdate")
        return QString();
    if (!openUsers())
        return QString();
    const QString key = passwordHash(Store::currentUser);
    QString stored;
    bool rowExists = false;
    {
        QSqlQuery query(*db);
        query.prepare("Select setting from setting where username=? and item='AutoCheckUpdate'");
        query.addBindValue(key);
        if (query.exec() && query.next()) {
            rowExists = true;
            stored = query.value("setting").toString();
        }
        if (mode == 1 && stored != value) {
            QSqlQuery write(*db);
            if (rowExists) {
                write.prepare("update setting set setting=? where username=? and item='AutoCheckUpdate'");
                write.addBindValue(value);
                write.addBindValue(key);
            } else {
                write.prepare("insert into setting (setting,username,item) values(?,?,'AutoCheckUpdate')");
                write.addBindValue(value);
                write.addBindValue(key);
            }
            if (!write.exec())
                reportWriteFailure(write.lastError());
        }
    }
    finish();
    return stored;
}

void dB_Stuff::addDatabasePath(const QString &path, const QString &settingsFile)
{
    QString problem;
    if (!openFile(settingsFile, &problem)) {
        Notices::warning(tr("Error"), tr("Couldn't open the database file.") + "\n" + problem);
        closeConnection();
        return;
    }
    {
        QSqlQuery query(*db);
        query.prepare("Insert into setting (dBpath) values (?)");
        query.addBindValue(path);
        if (!query.exec())
            reportWriteFailure(query.lastError());
    }
    finish();
}

void dB_Stuff::logActivity(const QString &topic, const QString &log1, const QString &log2, const QString &log3,
                           const QString &log4, const QString &log5, const QString &log6)
{
    const QStringList values{passwordHash(Store::currentUser),
                             QDateTime::currentDateTime().toString(Qt::TextDate), topic, log1, log2,
                             log3, log4, log5, log6};
    if (ServerLocation::isServer(Store::usersDbPath)) {
        logToServer(values);
        return;
    }
    if (!openUsers())
        return;
    {
        QSqlQuery query(*db);
        query.prepare(StoreDialect::sqlite().logInsert());
        for (const QString &v : values)
            query.addBindValue(v);
        // A missing table stays silent (the login window recreates it); a
        // look-up or write that fails (a lock held past the busy timeout, a
        // read-only file) is reported, so no row is lost unseen.
        QSqlError lookup;
        const TableState state = tableState("activitylog", &lookup);
        if (state == TableState::Unreadable)
            reportWriteFailure(lookup);
        else if (state == TableState::Present && !query.exec())
            reportWriteFailure(query.lastError());
    }
    finish();
}

QSqlError dB_Stuff::insertServerRow(const QStringList &values)
{
    QSqlQuery query(*db);
    query.prepare(StoreDialect::postgres().logInsert());
    for (const QString &v : values)
        query.addBindValue(v);
    return query.exec() ? QSqlError() : query.lastError();
}

// A row the server cannot take now waits in the queue file; it is never
// dropped, and the learner is told where it is.
void dB_Stuff::logToServer(QStringList values)
{
    values.append(QUuid::createUuid().toString(QUuid::WithoutBraces));
    QString problem;
    if (openFile(Store::usersDbPath, &problem)) {
        const QSqlError error = insertServerRow(values);
        const bool lost = error.isValid() && StoreDialect::postgres().connectionLost(error);
        if (error.isValid() && !lost)
            reportWriteFailure(error);
        if (!lost) {
            finish();
            return;
        }
        problem = describe(error);
    }
    closeConnection();
    ServerQueue::append({Store::usersDbPath, values});
    Notices::warning(tr("Error"), tr("The server could not be reached. The result is kept on this computer "
                                     "and sent when the server answers again.") +
                                      "\n" + problem);
}

void dB_Stuff::sendQueuedRows(const QString &location)
{
    const QList<ServerQueue::Row> rows = ServerQueue::pending(location);
    QStringList sent;
    for (const ServerQueue::Row &row : rows) {
        if (row.values.size() != 10 || insertServerRow(row.values).isValid())
            break; // the rest waits for the next connection, in order
        sent.append(row.values.at(9));
    }
    ServerQueue::forget(location, sent);
}

bool dB_Stuff::logActivityOnce(const QString &key, QString &lastKey, const QString &topic, const QString &log1,
                               const QString &log2, const QString &log3, const QString &log4,
                               const QString &log5, const QString &log6)
{
    if (key == lastKey)
        return false;
    lastKey = key;
    logActivity(topic, log1, log2, log3, log4, log5, log6);
    return true;
}
