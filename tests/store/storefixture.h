#pragma once

#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/session.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>

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
        const auto r = rows(sql, values);
        return r.isEmpty() ? QString() : r.first().value(0);
    }
    bool exec(const QString &sql) const
    {
        QSqlDatabase db = QSqlDatabase::database("inspect");
        bool ok;
        {
            QSqlQuery q(db);
            ok = q.exec(sql);
        }
        db.close();
        return ok;
    }
};

// A fresh data folder per test: the standard location points into a temp HOME.
inline void freshProfile(QTemporaryDir &home)
{
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/share").toUtf8());
    Store::currentUser.clear();
}
