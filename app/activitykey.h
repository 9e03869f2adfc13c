#pragma once

#include <QString>

class QObject;

// One activity-log row with the key that tells it from the row before.
struct ActivityRow {
    QString key, topic, log1, log2, log3, log4, log5, log6;
};

namespace ActivityKey {
// Writes the row unless its key equals lastKey (the key of the last row
// written, kept by the caller's owner); a written row's key becomes lastKey.
// Returns whether the row was written.
bool logOnce(QString &lastKey, const ActivityRow &row, QObject *parent);
}
