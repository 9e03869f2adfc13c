#include "store/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace Store {
QString dataFolder;
QString settingsDbPath;
QString usersDbPath;
QString currentUser;

const char defaultUser[] = "user1";

QString locateDataFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + "/." + QCoreApplication::applicationName();
    dataFolder = QDir::toNativeSeparators(base + "/Orvane/Harfora");
    QDir().mkpath(dataFolder);
    settingsDbPath = QDir::toNativeSeparators(dataFolder + "/" + "Setting.dB");
    usersDbPath = QDir::toNativeSeparators(dataFolder + "/" + "Users.dB");
    return dataFolder;
}
}
