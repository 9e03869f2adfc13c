#include "store/serverqueue.h"

#include "store/session.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QSaveFile>

namespace ServerQueue {

namespace {
// One JSON array a line: the location, then the values.
QList<Row> readAll()
{
    QList<Row> rows;
    QFile f(file());
    if (!f.open(QIODevice::ReadOnly))
        return rows;
    while (!f.atEnd()) {
        const QJsonArray array = QJsonDocument::fromJson(f.readLine()).array();
        if (array.size() < 2)
            continue; // a line cut short by a crash holds no whole row
        Row row;
        row.location = array.at(0).toString();
        for (int i = 1; i < array.size(); ++i)
            row.values.append(array.at(i).toString());
        rows.append(row);
    }
    return rows;
}

QByteArray line(const Row &row)
{
    QJsonArray array{row.location};
    for (const QString &v : row.values)
        array.append(v);
    return QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n';
}

// Two programs of the same profile never rewrite the file at once.
struct Guard {
    Guard() : lock(file() + QStringLiteral(".lock")) { lock.lock(); }
    QLockFile lock;
};
}

QString file()
{
    return Store::dataFolder + QStringLiteral("/ServerQueue.txt");
}

void append(const Row &row)
{
    Guard guard;
    QFile f(file());
    if (f.open(QIODevice::Append))
        f.write(line(row));
}

QList<Row> pending(const QString &location)
{
    if (!QFile::exists(file()))
        return {};
    Guard guard;
    QList<Row> rows;
    for (const Row &row : readAll())
        if (row.location == location)
            rows.append(row);
    return rows;
}

void forget(const QString &location, const QStringList &sent)
{
    if (sent.isEmpty())
        return;
    Guard guard;
    QByteArray kept;
    for (const Row &row : readAll())
        if (row.location != location || !sent.contains(row.values.value(9)))
            kept += line(row);
    if (kept.isEmpty()) {
        QFile::remove(file());
        return;
    }
    QSaveFile f(file());
    if (f.open(QIODevice::WriteOnly)) {
        f.write(kept);
        f.commit();
    }
}
}
