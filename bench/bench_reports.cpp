// A class's users database, 20 accounts with 5,000 practice runs each (rows
// as the typing run writes them): how long the Reports window takes to be
// ready for one learner, and harfora-report for the whole class; and the
// plan of the look-up of one user's rows.
// Usage: bench_reports [path of harfora-report]
#include "bench/benchsupport.h"
#include "keyboard/keyids.h"
#include "practice/runrecord.h"
#include "reports/activityreader.h"
#include "reports/reportswindow.h"
#include "store/activityrows.h"
#include "store/databasefiles.h"
#include "store/dbstuff.h"
#include "store/passwordhash.h"
#include "store/session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {
// CPU time of this thread and of the finished child processes: on a busy
// machine the wall-clock figures include waiting for a core.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

constexpr int users = 20, runsPerUser = 5000, repeats = 5;

// The log texts of one run: 30 characters of the layout, a few confusions.
QStringList runFields(int run, const QStringList &letters)
{
    QString log5 = "k1 " + QString::number(1700000000000LL + run, 36) + QString(" %1 %2 0").arg(300 + run % 50).arg(run % 17);
    QString log6 = "c1";
    for (int i = 0; i < 30; ++i) {
        const QString c = RunRecord::escape(letters[(run + i) % letters.size()]);
        log5 += QString(" %1:%2:%3:%4").arg(c).arg(10 + i % 7).arg((run + i) % 3).arg(180 + (run * 7 + i) % 200);
        if (i < 6)
            log6 += QString(" %1>%2:%3").arg(c, RunRecord::escape(letters[(run + i + 1) % letters.size()])).arg(1 + i % 3);
    }
    QString log3;
    for (int k = 0; k < Keys::characterKeyCount; ++k)
        log3 += QString::number(150 + (run + k) % 90) + ' ';
    return {QString::number(run % 33 + 1), QString("%1 45 93 3.2").arg(60 + run % 120), log3,
            "210 190 230 250 200 180 220 260 95 97 92 90 96 98 93 91", log5, log6};
}

void fillClass(const QString &file)
{
    QStringList letters;
    for (const QString &id : Keys::characterKeyIds())
        letters << Keys::caption(Keys::Layer::Plain, id);
    letters << QStringLiteral(" ");
    for (int u = 1; u < users; ++u)
        dB_Stuff().createUser(QString("learner%1").arg(u), passwordHash("x"), true);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
        db.setDatabaseName(file);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare("INSERT INTO activitylog(username,entrydate,topic,log1,log2,log3,log4,log5,log6) "
                  "VALUES (?,?,?,?,?,?,?,?,?)");
        const QDateTime start(QDate(2026, 1, 5), QTime(8, 0));
        for (int run = 0; run < runsPerUser; ++run)
            for (int u = 0; u < users; ++u) {
                q.addBindValue(passwordHash(u == 0 ? QString("user1") : QString("learner%1").arg(u)));
                q.addBindValue(start.addSecs(qint64(run) * 600).toString(Qt::TextDate));
                q.addBindValue(QString("Practise"));
                for (const QString &f : runFields(run, letters))
                    q.addBindValue(f);
                q.exec();
            }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("fill");
    DatabaseFiles::repairUsersDatabase(); // the index, as at login
}
}

// Where the window's time goes: the rows, reading them, showing them.
static void printPhases(const QString &file)
{
    QElapsedTimer clock;
    clock.start();
    QVector<ActivityLogRow> rows;
    ActivityRows::read(file, passwordHash(Store::currentUser), rows);
    const double fetched = clock.nsecsElapsed() / 1e6;
    const Activity activity = ActivityReader::read(rows);
    const double parsed = clock.nsecsElapsed() / 1e6;
    ReportsWindow reports;
    const double built = clock.nsecsElapsed() / 1e6;
    reports.display(activity);
    const double shown = clock.nsecsElapsed() / 1e6;
    reports.show();
    reports.repaint();
    QCoreApplication::processEvents();
    printf("reports: one learner: rows %.0f ms, reading them %.0f ms, window built %.0f ms, filled %.0f ms, "
           "painted %.0f ms\n",
           fetched, parsed - fetched, built - parsed, shown - built, clock.nsecsElapsed() / 1e6 - shown);
}

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::initApplication();
    DatabaseFiles::checkFiles();
    const QString file = Store::usersDbPath;
    fillClass(file);
    printf("reports: %d users x %d runs, %.1f MB\n", users, runsPerUser, QFileInfo(file).size() / 1048576.0);
    printf("reports: plan of one user's rows: %s\n", qPrintable(ActivityRows(file).queryPlan().join(QStringLiteral("; "))));
    Store::currentUser = "user1";
    printPhases(file);
    std::vector<double> window, command, windowCpu, commandCpu;
    QElapsedTimer clock;
    for (int i = 0; i < repeats; ++i) {
        clock.start();
        const double cpu = threadCpuMs();
        ReportsWindow reports;
        reports.load();
        reports.show();
        reports.repaint();
        QCoreApplication::processEvents();
        window.push_back(clock.nsecsElapsed() / 1e6);
        windowCpu.push_back(threadCpuMs() - cpu);
    }
    const QString command_path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (int i = 0; !command_path.isEmpty() && i < repeats; ++i) {
        QProcess p;
        const double cpu = childrenCpuMs();
        clock.start();
        p.start(command_path, {file});
        p.waitForFinished(60000);
        command.push_back(clock.nsecsElapsed() / 1e6);
        commandCpu.push_back(childrenCpuMs() - cpu);
        if (i == 0)
            printf("reports: harfora-report wrote %d lines, status %d\n",
                   int(p.readAllStandardOutput().count('\n')), p.exitCode());
    }
    printf("reports: window ready median %.0f ms (%.0f ms CPU; target 300), harfora-report median %.0f ms "
           "(%.0f ms CPU; target 1000), %d runs each\n",
           Bench::median(window), Bench::median(windowCpu), Bench::median(command), Bench::median(commandCpu), repeats);
    return 0;
}
