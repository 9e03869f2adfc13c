#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "store/dbstuff.h"

// Reading the activity log back, for the reports. The file is opened
// read-only (it is never written, not even a journal) on the one default
// connection, which stays open while the object lives: a report over a
// whole class reads it once. Every statement is bound.
struct ActivityLogRow {
    qint64 order = 0; // the order of insertion (a file's rowid, a server's id)
    QString entrydate;
    QString topic;
    QString log[6]; // log4 is not read back, log3 only for games and level tests
};

class ActivityRows
{
public:
    // The index that makes one user's rows a direct look-up; created where
    // the file may be written (Schema::repairUsersTables).
    static constexpr char indexName[] = "activitylog_username";

    // Opens the file; problem() says in words why not, when it is missing,
    // damaged or not a users database of ours.
    explicit ActivityRows(const QString &file);
    ~ActivityRows();
    ActivityRows(const ActivityRows &) = delete;
    ActivityRows &operator=(const ActivityRows &) = delete;
    bool isOpen() const { return problemText.isEmpty(); }
    QString problem() const { return problemText; }

    // The rows of one user key (passwordHash of the name) in insertion order.
    bool read(const QString &userKey, QVector<ActivityLogRow> &rows);
    // The account names, in table order.
    bool userNames(QStringList &names);
    // SQLite's plan for the look-up of read(), one line per step (files only).
    QStringList queryPlan();

    // One look-up on a file of its own, for a single user.
    static bool read(const QString &file, const QString &userKey, QVector<ActivityLogRow> &rows,
                     QString *problem = nullptr);

private:
    dB_Stuff store;
    QString problemText;
};
