#include "store/dialect.h"

#include "store/tables.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QString text(const char *source)
{
    return QCoreApplication::translate("dB_Stuff", source);
}

// A users database in a file, as the embedded QSQLITE driver reads it.
class SqliteDialect : public StoreDialect
{
public:
    QString driver() const override { return QStringLiteral("QSQLITE"); }
    bool isServer() const override { return false; }

    bool open(QSqlDatabase &db, const QString &path, int busyMs, bool readOnly, QString *why) const override
    {
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(busyMs);
        if (readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (QFileInfo(path).isDir()) {
            *why = text(QT_TRANSLATE_NOOP("dB_Stuff", "This is a folder, not a database file."));
        } else if (path.isEmpty() || !QFileInfo(path).isFile()) {
            *why = text(QT_TRANSLATE_NOOP("dB_Stuff", "The file does not exist."));
        } else if (!db.open()) {
            *why = describeOrText(db.lastError());
        } else {
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
                *why = describeOrText(probe.lastError());
                probe.finish();
                db.close();
            }
        }
        return why->isEmpty();
    }
    QString tableLookup() const override
    {
        return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?");
    }
    // The write lock at once, so the check before an insert sees every row.
    QStringList beginUserWrite() const override { return {QStringLiteral("BEGIN IMMEDIATE")}; }
    QString insertionOrder() const override { return QStringLiteral(" ORDER BY rowid"); }
    QString rowOrder() const override { return QStringLiteral("rowid"); }
    QString logInsert() const override
    {
        return QStringLiteral("Insert into activitylog(username,entrydate,topic,log1,log2,log3,log4,log5,log6) "
                              "values (?,?,?,?,?,?,?,?,?)");
    }
    bool missingTable(const QSqlError &error) const override
    {
        return error.databaseText().contains(QLatin1String("no such table"));
    }
    bool connectionLost(const QSqlError &) const override { return false; }
    QString describe(const QSqlError &error) const override
    {
        const QString t = error.databaseText() + QLatin1Char(' ') + error.driverText();
        if (t.contains(QLatin1String("not a database")) || t.contains(QLatin1String("encrypted")) ||
            t.contains(QLatin1String("malformed")) || t.contains(QLatin1String("no such column")))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The file is not a database of this program (it is damaged or of another kind)."));
        if (t.contains(QLatin1String("readonly")) || t.contains(QLatin1String("read-only")) ||
            t.contains(QLatin1String("unable to open")))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The file or its folder is read-only."));
        if (t.contains(QLatin1String("locked")) || t.contains(QLatin1String("busy")))
            return text(QT_TRANSLATE_NOOP("dB_Stuff", "The file is locked by another program."));
        return QString();
    }
    void repairUsersTables() const override { Schema::repairUsersTables(); }

private:
    QString describeOrText(const QSqlError &error) const
    {
        const QString said = describe(error);
        return said.isEmpty() ? error.text() : said;
    }
};
}

const StoreDialect &StoreDialect::sqlite()
{
    static const SqliteDialect dialect;
    return dialect;
}
