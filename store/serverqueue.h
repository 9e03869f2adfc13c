#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Activity-log rows that could not reach their server, kept in a file in
// the data folder until the server answers again. Each row carries its own
// id, which the server stores once, so a row sent twice (the program stopped
// between sending and forgetting it) is still one row.
namespace ServerQueue {

struct Row {
    QString location;
    QStringList values; // user key, date, topic, log1 to log6, row id
};

QString file();
void append(const Row &row);
// The rows waiting for `location`, oldest first.
QList<Row> pending(const QString &location);
// Forgets the rows of `location` whose ids are in `sent`.
void forget(const QString &location, const QStringList &sent);
}
