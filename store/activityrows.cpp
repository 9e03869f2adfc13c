#include "store/activityrows.h"

#include "store/dialect.h"
#include "store/tables.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {
// log3 is read where a game keeps its losses and a level test its result
// there; the practice rows' log3 and log4 (the per-key and per-finger means)
// are not used by the reports.
// The order of insertion is the file's rowid or the server's id column.
QString rowsOfUser()
{
    const QString order = StoreDialect::ofConnection().rowOrder();
    return QStringLiteral("SELECT ") + order +
           QStringLiteral(", entrydate, topic, log1, log2, CASE WHEN topic IN ('Game', 'Test') THEN log3 END, "
                          "log5, log6 FROM activitylog WHERE username = ? ORDER BY ") +
           order;
}
}

constexpr char ActivityRows::indexName[];

ActivityRows::ActivityRows(const QString &file)
{
    if (store.openFile(file, &problemText, true) &&
        (!tableExists(QStringLiteral("activitylog")) || !tableExists(QStringLiteral("user"))))
        problemText = QCoreApplication::translate("dB_Stuff", "This is not a users database of this program.");
    if (!isOpen()) {
        store.closeConnection();
        return;
    }
    // A class's file is large and one user's rows lie all over it: mapped,
    // each page is read once however many users are looked up.
    if (!StoreDialect::ofConnection().isServer()) {
        QSqlQuery pragma;
        pragma.exec(QStringLiteral("PRAGMA mmap_size = 1073741824"));
    }
}

ActivityRows::~ActivityRows()
{
    if (isOpen())
        store.closeConnection();
}

bool ActivityRows::read(const QString &userKey, QVector<ActivityLogRow> &rows)
{
    rows.clear();
    if (!isOpen())
        return false;
    QSqlQuery query;
    query.setForwardOnly(true);
    query.prepare(rowsOfUser());
    query.addBindValue(userKey);
    if (!query.exec()) {
        problemText = dB_Stuff::describe(query.lastError());
        return false;
    }
    while (query.next()) {
        ActivityLogRow row;
        row.order = query.value(0).toLongLong();
        row.entrydate = query.value(1).toString();
        row.topic = query.value(2).toString();
        for (int i : {0, 1, 2, 4, 5})
            row.log[i] = query.value(i < 3 ? 3 + i : 2 + i).toString();
        rows.append(row);
    }
    return true;
}

bool ActivityRows::userNames(QStringList &names)
{
    names.clear();
    if (!isOpen())
        return false;
    QSqlQuery query;
    if (!query.exec(QStringLiteral("SELECT username FROM \"user\" ORDER BY ") + StoreDialect::ofConnection().rowOrder())) {
        problemText = dB_Stuff::describe(query.lastError());
        return false;
    }
    while (query.next())
        names.append(query.value(0).toString());
    return true;
}

QStringList ActivityRows::queryPlan()
{
    QStringList plan;
    QSqlQuery query;
    query.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + rowsOfUser());
    query.addBindValue(QString());
    if (isOpen() && query.exec())
        while (query.next())
            plan.append(query.value(3).toString());
    return plan;
}

bool ActivityRows::read(const QString &file, const QString &userKey, QVector<ActivityLogRow> &rows, QString *problem)
{
    ActivityRows reader(file);
    const bool ok = reader.read(userKey, rows);
    if (problem)
        *problem = reader.problem();
    return ok;
}
