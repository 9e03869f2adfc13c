// Time of one password check and one activity-log row, each a whole
// operation: open the file, run the statement, close.
#include "bench/benchsupport.h"
#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::initApplication();
    DatabaseFiles::checkFiles();
    Store::currentUser = "user1";
    const int runs = 300;
    std::vector<double> check, log;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        dB_Stuff().checkPassword("user1", passwordHash(Store::defaultPassword));
        check.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        dB_Stuff().logActivity("Bench", QString::number(i), "", "", "", "", "");
        log.push_back(clock.nsecsElapsed() / 1e6);
    }
    printf("store: checkPassword median %.3f ms, logActivity median %.3f ms (%d runs each)\n",
           Bench::median(check), Bench::median(log), runs);
    return 0;
}
