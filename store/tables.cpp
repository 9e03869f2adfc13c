#include "store/tables.h"

#include "app/notices.h"
#include "store/activityrows.h"
#include "store/dialect.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

TableState tableState(const QString &name, QSqlError *error)
{
    QSqlQuery query;
    query.prepare(StoreDialect::ofConnection().tableLookup());
    query.addBindValue(name);
    if (!query.exec()) {
        if (error)
            *error = query.lastError();
        return TableState::Unreadable;
    }
    return query.next() && query.value("name").toString() == name ? TableState::Present : TableState::Missing;
}

bool tableExists(const QString &name)
{
    return tableState(name) == TableState::Present;
}

int createTable(const QString &name, const QString &columns)
{
    const TableState state = tableState(name);
    if (state == TableState::Present)
        return 3;
    if (state == TableState::Unreadable)
        return -1;
    QSqlQuery query;
    return query.exec("create table " + name + columns) ? 1 : -1;
}

int insertRow(const QString &table, const QString &columns, const QVariantList &values)
{
    const TableState state = tableState(table);
    if (state == TableState::Missing)
        return 0;
    if (state == TableState::Unreadable)
        return -1;
    QStringList marks;
    for (int i = 0; i < values.size(); ++i)
        marks.append("?");
    QSqlQuery query;
    if (!query.prepare("insert into " + table + columns + " VALUES (" + marks.join(", ") + ")"))
        return -1;
    for (const QVariant &v : values)
        query.addBindValue(v);
    return query.exec() ? 1 : -1;
}

namespace Schema {
const char infoColumns[] = "(value TEXT, parameter TEXT)";
const char activityLogColumns[] = "(username varchar(255), entrydate DATE, topic varchar(50), log1 TEXT, "
                                  "log2 TEXT, log3 TEXT, log4 TEXT, log5 TEXT, log6 TEXT)";
const char settingColumns[] = "(username varchar(255), item varchar(50), setting varchar(50))";
const char userColumns[] = "(username varchar(50), password varchar(50))";
const char databaseListColumns[] = "(dBpath TEXT)";

void repairUsersTables()
{
    struct Repair {
        const char *table;
        const char *columns;
        const char *message;
    };
    static const Repair repairs[] = {
        {"activitylog",
         "(username varchar(255), entrydate DATETIME, topic varchar(50), log1 TEXT, log2 TEXT, "
         "log3 TEXT, log4 TEXT, log5 TEXT, log6 TEXT)",
         QT_TRANSLATE_NOOP("Login", "Couldn't create activity log table in users database, please check and restart the program ")},
        {"setting", "(username varchar(255),item varchar(50), setting varchar(50))",
         QT_TRANSLATE_NOOP("Login", "Couldn't create Setting table in users database, please check and restart the program ")},
        {"info", "(value varchar(50),parameter varchar(50))",
         QT_TRANSLATE_NOOP("Login", "Couldn't create INFO table in users database, please check and restart the program ")},
        {"user", "(username varchar(50),password varchar(50))",
         QT_TRANSLATE_NOOP("Login", "Couldn't create USER table in users database, please check and restart the program ")},
    };
    for (const Repair &r : repairs) {
        // An unreadable file (locked, damaged) has been reported by the
        // list that was read just before; creating would only fail again.
        if (tableState(r.table) != TableState::Missing)
            continue;
        QSqlQuery query;
        if (!query.exec(QStringLiteral("create table ") + r.table + r.columns))
            Notices::warning(QCoreApplication::translate("Login", "Error"),
                              QCoreApplication::translate("Login", r.message));
    }
    // One user's rows are read by a look-up of this index (the reports).
    // A file that cannot be written keeps working without it.
    QSqlQuery index;
    index.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS ") + QLatin1String(ActivityRows::indexName) +
               QStringLiteral(" ON activitylog(username)"));
}
}
