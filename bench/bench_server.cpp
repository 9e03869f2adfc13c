// A users database on a PostgreSQL server with a classroom's load: the login
// list, a password check, an activity-log insert and one learner's report,
// each a whole operation, on an idle server and while 30 other programs write
// rows as fast as they can. Run by bench_server.sh, which starts the server.
//   bench_server <location>                      the measurements
//   bench_server writer <location> <user> <rows>  one of the 30 writers
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringListModel>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
struct Figures {
    std::vector<double> list, check, insert, report;
};

double at(std::vector<double> v, double share)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<size_t>(share * v.size()))];
}

// One learner's rows in the order they were written, as a report reads them.
int reportRows(const QString &key)
{
    QSqlQuery query(QSqlDatabase::database());
    query.prepare(QStringLiteral("SELECT entrydate, topic, log1, log2, log3, log4 FROM activitylog "
                                 "WHERE username = ? ORDER BY id"));
    query.addBindValue(key);
    int rows = 0;
    if (query.exec())
        while (query.next())
            ++rows;
    return rows;
}

void measure(Figures &f, int runs)
{
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        delete dB_Stuff().loadModel(2).data();
        f.list.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        dB_Stuff().checkPassword(QStringLiteral("learner7"), passwordHash(QStringLiteral("pw")));
        f.check.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        dB_Stuff().logActivity(QStringLiteral("Bench"), QString::number(i), {}, {}, {}, {}, {});
        f.insert.push_back(clock.nsecsElapsed() / 1e6);
        clock.start();
        {
            dB_Stuff store;
            store.openFile(Store::usersDbPath);
            reportRows(passwordHash(QStringLiteral("learner7")));
            store.closeConnection();
        }
        f.report.push_back(clock.nsecsElapsed() / 1e6);
    }
}

void print(const char *title, const Figures &f)
{
    std::printf("%s (median / 95th percentile, ms):\n", title);
    std::printf("  login user list   %7.3f / %7.3f\n", at(f.list, 0.5), at(f.list, 0.95));
    std::printf("  password check    %7.3f / %7.3f\n", at(f.check, 0.5), at(f.check, 0.95));
    std::printf("  activity insert   %7.3f / %7.3f\n", at(f.insert, 0.5), at(f.insert, 0.95));
    std::printf("  report, 1 learner %7.3f / %7.3f\n", at(f.report, 0.5), at(f.report, 0.95));
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    Store::dataFolder = QDir::currentPath();
    if (args.size() == 4 && args[0] == QLatin1String("writer")) {
        Store::usersDbPath = args[1];
        Store::currentUser = args[2];
        for (int i = 0, rows = args[3].toInt(); i < rows; ++i)
            dB_Stuff().logActivity(QStringLiteral("Load"), QString::number(i), {}, {}, {}, {}, {});
        return 0;
    }
    if (args.size() != 1)
        return 2;
    Store::usersDbPath = args[0];
    for (int u = 0; u < 30; ++u)
        dB_Stuff().createUser(QStringLiteral("learner%1").arg(u), passwordHash(QStringLiteral("pw")), true);
    Store::currentUser = QStringLiteral("learner7");
    for (int i = 0; i < 500; ++i)
        dB_Stuff().logActivity(QStringLiteral("Practise"), QString::number(i), {}, {}, {}, {}, {});
    Figures idle, busy;
    measure(idle, 300);
    print("Idle server, 30 accounts, 500 rows for the learner", idle);

    const int writers = 30, rowsEach = 1000;
    QList<QProcess *> running;
    QElapsedTimer wall;
    wall.start();
    for (int w = 0; w < writers; ++w) {
        auto *p = new QProcess;
        p->start(app.applicationFilePath(), {QStringLiteral("writer"), Store::usersDbPath,
                                              QStringLiteral("learner%1").arg(w), QString::number(rowsEach)});
        running.append(p);
    }
    measure(busy, 300);
    for (QProcess *p : running) {
        p->waitForFinished(-1);
        delete p;
    }
    const double seconds = wall.nsecsElapsed() / 1e9;
    print("While 30 programs write 1,000 rows each", busy);
    std::printf("30 writers: %d rows in %.1f s, %.0f rows/s\n", writers * rowsEach, seconds,
                writers * rowsEach / seconds);
    return 0;
}
