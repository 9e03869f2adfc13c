#pragma once

#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/serverlocation.h"
#include "store/session.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

// Reads a users database, a file or a server location, through its own
// named connection, so the program's default connection is never touched.
class Inspector
{
public:
    explicit Inspector(const QString &path) : server(ServerLocation::isServer(path))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(server ? "QPSQL" : "QSQLITE", "inspect");
        if (server)
            ServerLocation::parse(path).apply(db, 4, QString());
        else
            db.setDatabaseName(path);
        if (!db.open())
            qWarning("inspector: %s", qPrintable(db.lastError().text()));
    }
    // Appended to a select: the rows in the order they were inserted.
    QString order() const { return server ? " ORDER BY id" : " ORDER BY rowid"; }
    ~Inspector() { QSqlDatabase::removeDatabase("inspect"); }

    // The rows a statement gives, as texts.
    QList<QStringList> rows(const QString &sql, const QVariantList &values = {}) const
    {
        QList<QStringList> result;
        QSqlDatabase db = QSqlDatabase::database("inspect");
        {
            QSqlQuery q(db);
            bool ok = values.isEmpty() ? q.exec(sql) : q.prepare(sql);
            for (const QVariant &v : values)
                q.addBindValue(v);
            if (!values.isEmpty())
                ok = ok && q.exec();
            if (!ok)
                qWarning("inspector: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
            while (q.next()) {
                QStringList row;
                for (int i = 0; i < q.record().count(); ++i)
                    row.append(q.value(i).toString());
                result.append(row);
            }
        }
        db.close();
        return result;
    }
    QString value(const QString &sql, const QVariantList &values = {}) const
    {
        return rows(sql, values).value(0).value(0);
    }
    void exec(const QString &sql) const { rows(sql); }

private:
    const bool server;
};

// The PostgreSQL server the test command started and stops again
// (tests/store/pgserver.sh, ctest fixture "pgserver"); its state file is
// named by HARFORA_PGTEST_ENV.
namespace TestServer {
inline QString setting(const QString &key)
{
    QFile f(QString::fromLocal8Bit(qgetenv("HARFORA_PGTEST_ENV")));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray &line : f.readAll().split('\n'))
            if (line.startsWith(key.toUtf8() + '='))
                return QString::fromUtf8(line.mid(key.size() + 1));
    return QString();
}
// The location of database `name` on the server, reached with the password
// file, never a password in the text.
inline QString location(const QString &name)
{
    qputenv("PGPASSFILE", setting("PGTEST_PASSFILE").toUtf8());
    return setting("PGTEST_URI").replace("/postgres?", "/" + name + "?");
}
// Runs statements as the server's administrator in its "postgres" database.
inline bool admin(const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "pgadmin");
        ServerLocation::parse(location("postgres")).apply(db, 4, QString());
        ok = db.open();
        QSqlQuery q(db);
        for (const QString &sql : statements)
            if (ok && !q.exec(sql)) {
                qWarning("admin: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
                ok = false;
            }
    }
    QSqlDatabase::removeDatabase("pgadmin");
    return ok;
}
// An empty database `name`, made anew.
inline bool freshDatabase(const QString &name)
{
    return admin({"DROP DATABASE IF EXISTS " + name + " WITH (FORCE)", "CREATE DATABASE " + name});
}
}

// A fresh data folder per test: the standard location points into a temp HOME.
inline void freshProfile(QTemporaryDir &home)
{
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/share").toUtf8());
    Store::currentUser.clear();
}

// What a file holds, to see that nothing wrote to it.
inline QByteArray fileDigest(const QString &file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

// The helper program of the shared-file tests (tests/store/storeclient.cpp).
inline QString storeClient()
{
    return QCoreApplication::applicationDirPath() + "/storeclient";
}

// Runs the helper programs side by side in the data folder (where a client
// keeps its queue file); returns the messages they showed.
inline QStringList runClients(const QList<QStringList> &commands)
{
    QList<QProcess *> running;
    for (const QStringList &args : commands) {
        auto *process = new QProcess;
        process->setWorkingDirectory(Store::dataFolder);
        process->start(storeClient(), args);
        running.append(process);
    }
    QStringList messages;
    for (QProcess *process : running) {
        if (!process->waitForFinished(240000) || process->exitCode() != 0)
            qFatal("storeclient failed: %s", qPrintable(process->readAllStandardError()));
        for (const QByteArray &line : process->readAllStandardOutput().split('\n'))
            if (line.startsWith("message: "))
                messages.append(QString::fromUtf8(line.mid(9)));
        delete process;
    }
    return messages;
}

// Another program holding an exclusive lock on a file until release().
class LockHolder
{
public:
    explicit LockHolder(const QString &file)
    {
        process.start(storeClient(), {"hold", file});
        locked = process.waitForReadyRead(30000) && process.readLine().trimmed() == "locked";
    }
    ~LockHolder() { release(); }
    void release()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.closeWriteChannel();
        process.waitForFinished(30000);
    }
    bool locked = false;

private:
    QProcess process;
};

// Spoils the user table of a users database: its columns replaced, or its
// page overwritten with bytes that are no table.
inline void damageUserTable(const QString &file, bool pages)
{
    if (!pages) {
        Inspector(file).exec("DROP TABLE user");
        Inspector(file).exec("CREATE TABLE user(x TEXT)");
        Inspector(file).exec("INSERT INTO user VALUES('a')");
        return;
    }
    const int pageSize = Inspector(file).value("PRAGMA page_size").toInt();
    const int root = Inspector(file).value("SELECT rootpage FROM sqlite_master WHERE name='user'").toInt();
    QFile f(file);
    f.open(QIODevice::ReadWrite);
    f.seek(qint64(root - 1) * pageSize);
    f.write(QByteArray(pageSize, '\xee'));
    f.close();
}
