#pragma once

#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/session.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

// Reads a database file through its own named connection, so the program's
// default connection is never touched.
class Inspector
{
public:
    explicit Inspector(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "inspect");
        db.setDatabaseName(path);
        db.open();
    }
    ~Inspector() { QSqlDatabase::removeDatabase("inspect"); }

    // The rows a statement gives, as texts.
    QList<QStringList> rows(const QString &sql, const QVariantList &values = {}) const
    {
        QList<QStringList> result;
        QSqlDatabase db = QSqlDatabase::database("inspect");
        {
            QSqlQuery q(db);
            q.prepare(sql);
            for (const QVariant &v : values)
                q.addBindValue(v);
            q.exec();
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
};

// A fresh data folder per test: the standard location points into a temp HOME.
inline void freshProfile(QTemporaryDir &home)
{
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/share").toUtf8());
    Store::currentUser.clear();
}

// The helper program of the shared-file tests (tests/store/storeclient.cpp).
inline QString storeClient()
{
    return QCoreApplication::applicationDirPath() + "/storeclient";
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
