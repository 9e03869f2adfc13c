#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;
class QSqlError;

// What differs between the two kinds of users database: a SQLite file and a
// database on a PostgreSQL server. Everything else the store says in SQL both
// understand (the user table is always written "user", quoted).
class StoreDialect
{
public:
    virtual ~StoreDialect() = default;

    // The dialect of a users database as the list names it: a file path or a
    // server location.
    static const StoreDialect &of(const QString &location);
    // The dialect of the default connection as it is now.
    static const StoreDialect &ofConnection();
    static const StoreDialect &sqlite();
    static const StoreDialect &postgres();

    virtual QString driver() const = 0;
    virtual bool isServer() const = 0;
    // Points `db` at the location and opens it; on failure `why` says why in
    // words. `busyMs`: how long a statement waits for another program's lock.
    // A read-only open never writes, not even a journal or missing tables.
    virtual bool open(QSqlDatabase &db, const QString &location, int busyMs, bool readOnly,
                      QString *why) const = 0;
    // A statement with one bound value, the table name, giving a row when
    // that table exists.
    virtual QString tableLookup() const = 0;
    // Statements that start a write transaction no other writer of the user
    // table can interleave with.
    virtual QStringList beginUserWrite() const = 0;
    // Appended to a select so rows come in the order they were inserted.
    virtual QString insertionOrder() const = 0;
    // The column that numbers rows in the order they were inserted.
    virtual QString rowOrder() const = 0;
    // The activity-log insert: nine values (user key, date, topic, log1 to
    // log6), and on a server a tenth, the row's own id, stored once however
    // often it is sent.
    virtual QString logInsert() const = 0;
    virtual bool missingTable(const QSqlError &error) const = 0;
    // The connection is gone (server stopped, network down): worth trying
    // again later, unlike a refused statement.
    virtual bool connectionLost(const QSqlError &error) const = 0;
    // The failure in words when this driver's texts are recognised, else empty.
    virtual QString describe(const QSqlError &error) const = 0;
    // Makes whichever users tables are missing on the default connection.
    virtual void repairUsersTables() const = 0;
};
