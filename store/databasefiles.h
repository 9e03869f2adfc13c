#pragma once

#include <QString>

// Making and checking the two database files in the data folder.
namespace DatabaseFiles {

// Copies the embedded empty database to `target` (never over an existing
// file) and gives it the tables of a settings or users database.
bool extractDatabase(const QString &resource, const QString &target);

enum class Startup { Ready, SettingsMissing, UsersMissing };
// Locates the data folder and makes whichever file is missing. On failure
// the message has been shown; the caller ends the program.
Startup checkFiles();

// Recreates missing tables of the users database in use.
void repairUsersDatabase();

extern const char emptyDatabaseResource[];
}
