#include "store/activityrows.h"

#include "store/dbstuff.h"
#include "store/tables.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {
const char rowsOfUser[] = "SELECT rowid, entrydate, topic, log1, log2, log3, log4, log5, log6 FROM activitylog "
                          "WHERE username = ? ORDER BY rowid";

// Opens the file read-only and checks it holds our users tables.
bool openUsersFile(dB_Stuff &store, const QString &file, QString *problem)
{
    QString why;
    if (store.openFile(file, &why, true) && (!tableExists(QStringLiteral("activitylog")) ||
                                             !tableExists(QStringLiteral("user"))))
        why = QCoreApplication::translate("dB_Stuff", "This is not a users database of this program.");
    if (problem)
        *problem = why;
    if (!why.isEmpty())
        store.closeConnection();
    return why.isEmpty();
}

bool failed(const QSqlQuery &query, QString *problem)
{
    if (problem)
        *problem = dB_Stuff::describe(query.lastError());
    return false;
}
}

namespace ActivityRows {
bool read(const QString &file, const QString &userKey, QVector<ActivityRow> &rows, QString *problem)
{
    rows.clear();
    dB_Stuff store;
    if (!openUsersFile(store, file, problem))
        return false;
    bool ok = true;
    {
        QSqlQuery query;
        query.setForwardOnly(true);
        query.prepare(QLatin1String(rowsOfUser));
        query.addBindValue(userKey);
        if (!query.exec()) {
            ok = failed(query, problem);
        } else {
            while (query.next()) {
                ActivityRow row;
                row.order = query.value(0).toLongLong();
                row.entrydate = query.value(1).toString();
                row.topic = query.value(2).toString();
                for (int i = 0; i < 6; ++i)
                    row.log[i] = query.value(3 + i).toString();
                rows.append(row);
            }
        }
    }
    store.closeConnection();
    return ok;
}

bool userNames(const QString &file, QStringList &names, QString *problem)
{
    names.clear();
    dB_Stuff store;
    if (!openUsersFile(store, file, problem))
        return false;
    bool ok = true;
    {
        QSqlQuery query;
        if (!query.exec(QStringLiteral("SELECT username FROM user ORDER BY rowid")))
            ok = failed(query, problem);
        while (ok && query.next())
            names.append(query.value(0).toString());
    }
    store.closeConnection();
    return ok;
}

QStringList queryPlan(const QString &file)
{
    QStringList plan;
    dB_Stuff store;
    if (!openUsersFile(store, file, nullptr))
        return plan;
    {
        QSqlQuery query;
        query.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + QLatin1String(rowsOfUser));
        query.addBindValue(QString());
        if (query.exec())
            while (query.next())
                plan.append(query.value(3).toString());
    }
    store.closeConnection();
    return plan;
}
}
