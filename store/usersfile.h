#pragma once

#include <QString>

// Whether a users database from elsewhere may be taken into the list of
// databases. The check only reads: a file that is refused stays byte for
// byte as it was.
namespace UsersFile {

// Empty when the file is a users database of ours with a readable user
// table; otherwise what is wrong with it, in words (context "dB_Stuff").
QString problem(const QString &path);
}
