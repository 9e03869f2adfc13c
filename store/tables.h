#pragma once

#include <QString>
#include <QVariantList>

class QSqlError;

// Table helpers working on the default connection, whatever file it has open.
enum class TableState { Present, Missing, Unreadable };
// Tells a missing table from a look-up that failed (locked or damaged file);
// `error` receives the failure.
TableState tableState(const QString &name, QSqlError *error = nullptr);
// True only when the table is there; false when missing or unreadable.
bool tableExists(const QString &name);
// 3: already there (untouched), 1: created, -1: failed.
int createTable(const QString &name, const QString &columns);
// 0: no such table, 1: inserted, -1: failed. Values are bound, one per column.
int insertRow(const QString &table, const QString &columns, const QVariantList &values);

namespace Schema {
// Declarations of a file made from the template.
extern const char infoColumns[];
extern const char activityLogColumns[];
extern const char settingColumns[];
extern const char userColumns[];
extern const char databaseListColumns[];

// Recreates whichever of the users tables is missing, with the repair
// declarations; warns (context "Login") for each table that cannot be made.
void repairUsersTables();
}
