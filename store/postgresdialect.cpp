#include "store/dialect.h"

#include "app/resources.h"
#include "store/serverlocation.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
QString text(const char *source)
{
    return QCoreApplication::translate("dB_Stuff", source);
}

// Seconds libpq tries to reach a server before it gives up: an unreachable
// server is said within 5 s, whatever the URI asks for.
constexpr int connectSeconds = 4;

const char schemaResource[] = ":/dB/postgresql.sql";

bool says(const QString &t, std::initializer_list<const char *> phrases)
{
    for (const char *p : phrases)
        if (t.contains(QLatin1String(p), Qt::CaseInsensitive))
            return true;
    return false;
}

// A users database on a PostgreSQL server through the QPSQL driver.
class PostgresDialect : public StoreDialect
{
public:
    QString driver() const override { return QStringLiteral("QPSQL"); }
    bool isServer() const override { return true; }

    bool open(QSqlDatabase &db, const QString &location, int busyMs, bool readOnly, QString *why) const override
    {
        const ServerLocation where = ServerLocation::parse(location, why);
        if (!where.valid())
            return false;
        const QStringList before = parameters(db);
        where.apply(db, connectSeconds, ServerPasswords::of(location));
        // A lock held by another learner's program is waited for as long as
        // a file's; a read-only open refuses every write.
        QString settings = QStringLiteral("-c lock_timeout=") + QString::number(busyMs);
        if (readOnly)
            settings += QStringLiteral(" -c default_transaction_read_only=on");
        db.setConnectOptions(db.connectOptions() + QStringLiteral(";options='") + settings + QLatin1Char('\''));
        // A connection kept from the last operation is used again when it
        // goes to the same place and still answers.
        if (db.isOpen() && (before != parameters(db) || !QSqlQuery(db).exec(QStringLiteral("SELECT 1"))))
            db.close();
        if (!db.isOpen() && !db.open()) {
            *why = describeOrText(db.lastError());
            return false;
        }
        if (readOnly || ensureTables(db, why))
            return true;
        db.close();
        return false;
    }
    QString tableLookup() const override
    {
        return QStringLiteral("SELECT tablename AS name FROM pg_tables "
                              "WHERE schemaname = current_schema() AND tablename = ?");
    }
    // Creators of accounts take turns; readers and log writers do not wait.
    QStringList beginUserWrite() const override
    {
        return {QStringLiteral("BEGIN"), QStringLiteral("LOCK TABLE \"user\" IN SHARE ROW EXCLUSIVE MODE")};
    }
    QString insertionOrder() const override { return QStringLiteral(" ORDER BY id"); }
    QString rowOrder() const override { return QStringLiteral("id"); }
    QString logInsert() const override
    {
        return QStringLiteral("INSERT INTO activitylog(username,entrydate,topic,log1,log2,log3,log4,log5,log6,rowkey) "
                              "VALUES (?,?,?,?,?,?,?,?,?,?) ON CONFLICT (rowkey) DO NOTHING");
    }
    bool missingTable(const QSqlError &error) const override
    {
        return error.nativeErrorCode() == QLatin1String("42P01");
    }
    bool connectionLost(const QSqlError &error) const override
    {
        const QString code = error.nativeErrorCode();
        // Class 08: connection exceptions; 57P01..57P03: the server shuts down.
        return code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P")) ||
               says(error.databaseText() + QLatin1Char(' ') + error.driverText(),
                    {"server closed the connection", "no connection to the server", "connection to server",
                     "terminating connection", "could not connect", "could not send data", "could not receive data"});
    }
    QString describe(const QSqlError &error) const override
    {
        const QString t = error.databaseText() + QLatin1Char(' ') + error.driverText();
        if (says(t, {"Driver not loaded"}))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "Qt's PostgreSQL driver is not installed (Debian package libqt5sql5-psql)."));
        if (says(t, {"password authentication failed", "no password supplied", "authentication failed"}))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The server refused the user name or password."));
        if (says(t, {"SSL", "certificate"}))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The server refused the encrypted connection (TLS) the address asks for."));
        if (says(t, {"timeout expired", "Connection refused", "could not translate host name", "could not connect",
                     "No route to host", "Network is unreachable", "server closed the connection",
                     "no connection to the server", "terminating connection", "could not send data",
                     "could not receive data"}))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The server cannot be reached (it is stopped, or the address or port is wrong)."));
        if (says(t, {"lock timeout", "canceling statement due to lock"}))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The database is locked by another program."));
        if (says(t, {"does not exist"}) && error.type() == QSqlError::ConnectionError)
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "There is no such database or user on the server."));
        if (says(t, {"permission denied", "read-only transaction"}))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The server does not let this user change the database."));
        return QString();
    }
    void repairUsersTables() const override
    {
        QSqlDatabase db = QSqlDatabase::database(QSqlDatabase::defaultConnection, false);
        QString why;
        ensureTables(db, &why);
    }

private:
    static QStringList parameters(const QSqlDatabase &db)
    {
        return {db.hostName(), QString::number(db.port()), db.databaseName(), db.userName(), db.password(),
                db.connectOptions()};
    }
    QString describeOrText(const QSqlError &error) const
    {
        const QString said = describe(error);
        return said.isEmpty() ? error.text() : said;
    }
    // The administrator's script, run by us when a table is missing; several
    // programs starting at once take turns, and the script skips what exists.
    bool ensureTables(QSqlDatabase &db, QString *why) const
    {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT count(*) FROM pg_tables WHERE schemaname = current_schema() "
                                       "AND tablename IN ('info', 'activitylog', 'setting', 'user')"))) {
            *why = describeOrText(query.lastError());
            return false;
        }
        if (query.next() && query.value(0).toInt() == 4)
            return true;
        Resources::registerAll();
        QFile script(QString::fromLatin1(schemaResource));
        const bool read = script.open(QIODevice::ReadOnly);
        const bool made = read && db.transaction() &&
                          query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7262610)")) &&
                          query.exec(QString::fromUtf8(script.readAll())) && db.commit();
        if (!made) {
            const QSqlError error = query.lastError().isValid() ? query.lastError() : db.lastError();
            db.rollback();
            *why = text(QT_TRANSLATE_NOOP("dB_Stuff", "The tables of this program are missing on the server and "
                                                      "this user may not create them; the administrator runs "
                                                      "postgresql.sql once.")) +
                   QLatin1Char('\n') + describeOrText(error);
        }
        return made;
    }
};
}

const StoreDialect &StoreDialect::postgres()
{
    static const PostgresDialect dialect;
    return dialect;
}
