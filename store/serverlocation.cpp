#include "store/serverlocation.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace {
QString text(const char *source)
{
    return QCoreApplication::translate("dB_Stuff", source);
}

// The libpq parameters a location may carry besides host, port, dbname and
// user. Passwords are not among them.
const QStringList &allowedOptions()
{
    static const QStringList keys{
        QStringLiteral("sslmode"), QStringLiteral("sslrootcert"), QStringLiteral("sslcert"),
        QStringLiteral("sslkey"), QStringLiteral("sslcrl"), QStringLiteral("application_name"),
        QStringLiteral("target_session_attrs"), QStringLiteral("gssencmode"), QStringLiteral("service"),
        QStringLiteral("connect_timeout")};
    return keys;
}

// A value as libpq reads it inside single quotes.
QString quoted(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}
}

bool ServerLocation::isServer(const QString &text)
{
    const QString t = text.trimmed();
    return t.startsWith(QLatin1String("postgresql://")) || t.startsWith(QLatin1String("postgres://")) ||
           t.startsWith(QLatin1String("service="));
}

ServerLocation ServerLocation::parse(const QString &input, QString *problem)
{
    ServerLocation location;
    QString why;
    const QString t = input.trimmed();
    QList<QPair<QString, QString>> pairs;
    if (t.startsWith(QLatin1String("service="))) {
        const QString name = t.mid(8);
        if (name.isEmpty() || name.contains(QLatin1Char(' ')))
            why = text(QT_TRANSLATE_NOOP("dB_Stuff", "The service name is empty or holds blanks."));
        pairs.append({QStringLiteral("service"), name});
    } else {
        const QUrl url(t, QUrl::StrictMode);
        if (!isServer(t) || !url.isValid()) {
            why = text(QT_TRANSLATE_NOOP("dB_Stuff", "This is not a PostgreSQL connection URI."));
        } else {
            if (!url.password().isEmpty())
                why = text(QT_TRANSLATE_NOOP("dB_Stuff", "A password is never kept in the list of databases: "
                                                         "remove it from the URI and use a password file."));
            location.hostName = url.host();
            location.port = url.port(-1);
            location.user = url.userName();
            location.database = url.path().mid(1);
            pairs = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
        }
    }
    for (const auto &pair : pairs) {
        if (!why.isEmpty())
            break;
        const QString &key = pair.first, &value = pair.second;
        if (key == QLatin1String("host"))
            location.hostName = value;
        else if (key == QLatin1String("port"))
            location.port = value.toInt();
        else if (key == QLatin1String("dbname"))
            location.database = value;
        else if (key == QLatin1String("user"))
            location.user = value;
        else if (key == QLatin1String("password"))
            why = text(QT_TRANSLATE_NOOP("dB_Stuff", "A password is never kept in the list of databases: "
                                                     "remove it from the URI and use a password file."));
        else if (!allowedOptions().contains(key) || value.contains(QLatin1Char(';')))
            why = text(QT_TRANSLATE_NOOP("dB_Stuff", "Unknown connection parameter:")) + QLatin1Char(' ') + key;
        else if (key == QLatin1String("service"))
            location.service = value;
        else
            location.options.insert(key, value);
    }
    location.ok = why.isEmpty();
    if (problem)
        *problem = why;
    return location;
}

QString ServerLocation::label() const
{
    if (!service.isEmpty() && hostName.isEmpty() && database.isEmpty())
        return text(QT_TRANSLATE_NOOP("dB_Stuff", "service")) + QLatin1Char(' ') + service;
    const QString where = (hostName.isEmpty() ? QStringLiteral("localhost") : hostName) +
                          (port > 0 ? QLatin1Char(':') + QString::number(port) : QString());
    return (database.isEmpty() ? user : database) + QStringLiteral(" @ ") + where;
}

void ServerLocation::apply(QSqlDatabase &db, int timeoutSeconds, const QString &password) const
{
    db.setHostName(hostName);
    db.setPort(port);
    db.setDatabaseName(database);
    db.setUserName(user);
    db.setPassword(password);
    QStringList opts;
    if (!service.isEmpty())
        opts.append(QStringLiteral("service=") + quoted(service));
    for (auto it = options.cbegin(); it != options.cend(); ++it)
        if (it.key() != QLatin1String("connect_timeout"))
            opts.append(it.key() + QLatin1Char('=') + quoted(it.value()));
    // Never longer than ours: an unreachable server is said within seconds.
    opts.append(QStringLiteral("connect_timeout=") + QString::number(timeoutSeconds));
    db.setConnectOptions(opts.join(QLatin1Char(';')));
}

namespace ServerPasswords {
namespace {
QMap<QString, QString> &typed()
{
    static QMap<QString, QString> passwords;
    return passwords;
}
}

void remember(const QString &location, const QString &password)
{
    typed().insert(location.trimmed(), password);
}

QString of(const QString &location)
{
    return typed().value(location.trimmed());
}
}
