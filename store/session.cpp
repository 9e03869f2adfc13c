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
        base = QDir::homePath() + QLatin1String("/.") + QCoreApplication::applicationName();
    dataFolder = QDir::toNativeSeparators(base + QLatin1String("/Orvane/Harfora"));
    QDir().mkpath(dataFolder);
    settingsDbPath = QDir::toNativeSeparators(dataFolder + QLatin1String("/Setting.dB"));
    usersDbPath = QDir::toNativeSeparators(dataFolder + QLatin1String("/Users.dB"));
    return dataFolder;
}
}
