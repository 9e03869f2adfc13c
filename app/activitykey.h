#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

// Where a window keeps the key of the last activity-log row it wrote: the
// login window's "lastActivityKey" while that window exists, otherwise a
// string of the caller's (so logging survives the login window being gone).
class ActivityKey
{
public:
    explicit ActivityKey(QString *fallbackKey) : fallback(fallbackKey) {}
    QPointer<QObject> owner;
    QString value() const;
    void set(const QString &key);

private:
    QString *fallback;
};
