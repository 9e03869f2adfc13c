// Time to make a weak-key practice text from the whole vocabulary with every lesson reached.
#include "bench/benchsupport.h"
#include "practice/weakkeys.h"
#include "practice/weakkeytext.h"

#include <QGuiApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {
// Twenty runs of a learner who is slow on a few letters and confuses two of them.
QList<Keystrokes> history(const QStringList &reached)
{
    QList<Keystrokes> runs;
    for (int run = 0; run < 20; ++run) {
        Keystrokes k;
        int n = 0;
        for (const QString &caption : reached)
            for (const QChar c : caption) {
                KeyFigures &f = k.keys[QString(c)];
                f.hits = 30 + (n * 7 + run) % 20;
                f.errors = (n++ * 3 + run) % 5;
                f.totalMs = qint64(f.hits) * (300 + (n * 37) % 500);
            }
        k.confusions[{QString::fromUtf8("ت"), QString::fromUtf8("ب")}] = 4;
        runs.append(k);
    }
    return runs;
}
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Bench::initApplication();
    for (const char *catalogue : {"AR_ar_AR", "AR_ar_EG"}) {
        translate::applyLanguage(catalogue);
        const QStringList vocabulary = WeakKeyText::vocabulary();
        const QStringList reached = WeakKeyText::captionsReached(18);
        const QList<Keystrokes> runs = history(reached);
        std::vector<double> times;
        int candidates = 0, characters = 0;
        for (quint32 seed = 1; seed <= 51; ++seed) {
            QElapsedTimer clock;
            clock.start();
            const KeyConfidence confidence(Keystrokes::recent(runs), reached);
            const WeakKeyText text(confidence, reached, vocabulary);
            const QStringList lines = text.lines(seed);
            times.push_back(clock.nsecsElapsed() / 1e6);
            candidates = text.candidates().size();
            characters = lines.join(QString()).size();
        }
        printf("weakkeys: %s, %d words, %d candidates, %d characters: median %8.3f ms over %zu runs\n", catalogue,
               int(vocabulary.size()), candidates, characters, Bench::median(times), times.size());
    }
    return 0;
}
