#pragma once

#include <QMap>
#include <QString>

class QSqlDatabase;

// A users database on a PostgreSQL server, named the way libpq names one: a
// connection URI (postgresql://host:port/dbname?user=...&sslmode=...) or a
// service of the service file (service=name, postgresql:///?service=name).
// The text is what the database list keeps, like a file path.
class ServerLocation
{
public:
    // True when the text names a server, not a file.
    static bool isServer(const QString &text);
    // Reads the text; on failure `problem` says what is wrong, in words
    // (context "dB_Stuff"). A password in the text is refused: it would be
    // kept in the list of databases.
    static ServerLocation parse(const QString &text, QString *problem = nullptr);

    bool valid() const { return ok; }
    // "dbname on host:port" or "service name", for the database list.
    QString label() const;
    QString host() const { return hostName; }
    // Points a QPSQL connection at the server; the connection attempt gives
    // up after `timeoutSeconds`. `password` is used only when not empty.
    void apply(QSqlDatabase &db, int timeoutSeconds, const QString &password) const;

private:
    bool ok = false;
    QString hostName, database, user, service;
    int port = -1;
    QMap<QString, QString> options;
};

// Passwords typed for a server this run, kept in memory only and never
// written anywhere; libpq's password and service files come first.
namespace ServerPasswords {
void remember(const QString &location, const QString &password);
QString of(const QString &location);
}
