#include "store/usersfile.h"

#include "store/dbstuff.h"
#include "store/dialect.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace UsersFile {

namespace {
QString text(const char *source)
{
    return QCoreApplication::translate("dB_Stuff", source);
}

// The version row as the login window compares it: a number above 0.
QString versionProblem(QSqlDatabase &db)
{
    QSqlQuery query(db);
    const bool prepared = query.prepare("SELECT value FROM info where parameter=?");
    query.addBindValue("version");
    if (!(prepared && query.exec()) && !StoreDialect::ofConnection().missingTable(query.lastError()))
        return dB_Stuff::describe(query.lastError());
    if (query.isActive() && query.next() && query.value(0).toString().toFloat() > 0)
        return QString();
    return text(QT_TRANSLATE_NOOP("dB_Stuff", "database file version does not match"));
}

// Every row of the user table is read, so damaged pages or a table without
// its columns show here and not later at login.
QString userTableProblem(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec("SELECT username, password FROM \"user\"")) {
        if (StoreDialect::ofConnection().missingTable(query.lastError()))
            return QString(); // made by the table repair once accepted
        return text(QT_TRANSLATE_NOOP("dB_Stuff", "The user table of this file is damaged.")) + "\n" +
               dB_Stuff::describe(query.lastError());
    }
    while (query.next()) {
    }
    if (query.lastError().type() != QSqlError::NoError)
        return text(QT_TRANSLATE_NOOP("dB_Stuff", "The user table of this file is damaged.")) + "\n" +
               dB_Stuff::describe(query.lastError());
    return QString();
}
}

QString problem(const QString &path)
{
    dB_Stuff store;
    QString why;
    if (store.openFile(path, &why, true)) {
        QSqlDatabase db = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
        why = versionProblem(db);
        if (why.isEmpty())
            why = userTableProblem(db);
    }
    store.closeConnection();
    return why;
}
}
