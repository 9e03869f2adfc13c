// Helper process for the shared-file test: writes N activity-log rows to
// the users database given on the command line.
#include "store/dbstuff.h"
#include "store/session.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 2;
    Store::usersDbPath = QString::fromLocal8Bit(argv[1]);
    Store::currentUser = QString::fromLocal8Bit(argv[2]);
    const int rows = QString::fromLocal8Bit(argv[3]).toInt();
    for (int i = 0; i < rows; ++i)
        dB_Stuff().logActivity("Load", QString::number(i), "", "", "", "", "");
    return 0;
}
