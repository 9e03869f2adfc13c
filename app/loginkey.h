#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

// The login window's key of the last activity-log row, reached by the
// window's type; a key of the caller's while no login window is behind it.
struct LoginKey {
    QPointer<QObject> owner;
    QString &keyOr(QString &fallback) const;
};
