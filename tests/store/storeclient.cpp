// Helper process for the shared-file tests, one of:
//   storeclient log <db> <user> <rows> <busy ms>   writes activity-log rows
//   storeclient users <db> <names> <busy ms>       creates name0 .. name<n-1>
//   storeclient hold <db>                          locks the file until stdin closes
//   storeclient cycle <db> <hold ms> <gap ms> <n>  locks and unlocks n times
// <db> is a file or a server location; rows a server cannot take wait in the
// queue file of the working folder (the data folder of this client).
// Every message the store would show is printed as "message: <text>".
#include "app/notices.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <cstdio>

namespace {
// Locks the file cycles times for holdMs each; a negative holdMs holds it until stdin closes.
int lockLoop(const QString &file, int holdMs, int gapMs, int cycles)
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "locker");
    db.setDatabaseName(file);
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=60000");
    if (!db.open())
        return 3;
    QSqlQuery query(db);
    for (int i = 0; i < cycles; ++i) {
        if (!query.exec("BEGIN EXCLUSIVE"))
            return 4;
        std::printf("locked\n");
        std::fflush(stdout);
        char line[16];
        while (holdMs < 0 && std::fgets(line, sizeof line, stdin)) {
        }
        QThread::msleep(qMax(holdMs, 0));
        query.exec("ROLLBACK");
        QThread::msleep(gapMs);
    }
    return 0;
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return 2;
    Notices::setSink([](Notices::Kind, const QString &, const QString &text) {
        std::printf("message: %s\n", qPrintable(QString(text).replace('\n', ' ')));
        std::fflush(stdout);
    });
    const QString mode = args[0];
    Store::usersDbPath = args[1];
    Store::dataFolder = QDir::currentPath();
    if (mode == "hold")
        return lockLoop(args[1], -1, 0, 1);
    if (mode == "cycle" && args.size() == 5)
        return lockLoop(args[1], args[2].toInt(), args[3].toInt(), args[4].toInt());
    if (mode == "log" && args.size() == 5) {
        Store::currentUser = args[2];
        dB_Stuff::setBusyTimeout(args[4].toInt());
        for (int i = 0, rows = args[3].toInt(); i < rows; ++i)
            dB_Stuff().logActivity("Load", QString::number(i), "", "", "", "", "");
        return 0;
    }
    if (mode == "users" && args.size() == 4) {
        dB_Stuff::setBusyTimeout(args[3].toInt());
        for (int i = 0, names = args[2].toInt(); i < names; ++i)
            dB_Stuff().createUser(QString("name%1").arg(i), passwordHash("pw"), true);
        return 0;
    }
    return 2;
}
