#pragma once

#include <QString>

// Process-wide store state: where the database files are and who is logged in.
namespace Store {
extern QString dataFolder;
extern QString settingsDbPath;
extern QString usersDbPath;
extern QString currentUser;

// The password of the default account "user1"; one digit, defined once.
constexpr char defaultPassword[] = "1";
extern const char defaultUser[];

// Finds (and creates) the data folder under the per-user data location and
// sets the two database paths; returns the folder.
QString locateDataFolder();
}
