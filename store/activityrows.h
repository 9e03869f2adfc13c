#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Reading the activity log back, for the reports. Every operation opens the
// file read-only (it is never written, not even a journal), runs one bound
// statement and closes the connection again, like every dB_Stuff operation.
struct ActivityRow {
    qint64 order = 0; // SQLite rowid: the order of insertion
    QString entrydate;
    QString topic;
    QString log[6];
};

namespace ActivityRows {
// The index that makes one user's rows a direct look-up; created where the
// file may be written (Schema::repairUsersTables).
constexpr char indexName[] = "activitylog_username";

// The rows of one user key (passwordHash of the name) in insertion order.
// False with `problem` in words when the file is missing, damaged or not a
// users database of ours.
bool read(const QString &file, const QString &userKey, QVector<ActivityRow> &rows, QString *problem = nullptr);
// The account names of a users database, in table order.
bool userNames(const QString &file, QStringList &names, QString *problem = nullptr);
// SQLite's plan for the look-up of read(), one line per step.
QStringList queryPlan(const QString &file);
}
