// CPU time of the falling-letters game with all seven slots busy, and its
// memory before and after a long run of throwing.
// Usage: bench_game [seconds of CPU measurement] [minutes of memory run]
#include "app/clocktimer.h"
#include "bench/benchsupport.h"
#include "games/fallinggame.h"

#include <QApplication>
#include <QFile>
#include <QGraphicsScene>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long residentKb()
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int busySlots(FallingGame &game)
{
    int busy = 0;
    for (int slot = 0; slot < FallingGame::slotCount; ++slot)
        busy += game.ball(slot) && game.ball(slot)->scene() ? 1 : 0;
    return busy;
}
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? atoi(argv[1]) : 30;
    const int minutes = argc > 2 ? atoi(argv[2]) : 1;
    Bench::initApplication();
    game1 game(QString::fromUtf8("ش س ي ب ت ن م").split(' '), nullptr);
    game.show();
    game.skipSplash();
    // Level 5's interval, 200 ms between throws, keeps every slot busy.
    game1::sharedStatics().throwInterval = 200;
    game.throwTimer()->start(200);
    runFor(4000);

    int samples = 0, busy = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        busy += busySlots(game);
        ++samples;
    });
    sampler.start(500);
    const double cpuBefore = cpuSeconds();
    runFor(seconds * 1000);
    const double cpu = cpuSeconds() - cpuBefore;
    printf("game: %.2f s CPU over %d s of play (%.1f %% of one core), %.1f of 7 slots busy on average\n", cpu,
           seconds, 100.0 * cpu / seconds, samples ? double(busy) / samples : 0.0);

    const long before = residentKb();
    runFor(minutes * 60 * 1000);
    const long after = residentKb();
    printf("game: resident memory %ld kB before and %ld kB after %d min of throwing\n", before, after, minutes);
    return 0;
}
