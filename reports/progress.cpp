#include "reports/progress.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace Progress {
KeyTable keyTotals(const QVector<PracticeRun> &runs, int recentRuns)
{
    KeyTable totals;
    int taken = 0;
    for (auto run = runs.crbegin(); run != runs.crend() && (recentRuns < 0 || taken < recentRuns); ++run, ++taken) {
        const KeyTable keys = run->keys();
        for (auto k = keys.cbegin(); k != keys.cend(); ++k) {
            KeyFigures &t = totals[k.key()];
            t.hits += k->hits;
            t.errors += k->errors;
            t.totalMs += k->totalMs;
        }
    }
    return totals;
}

ConfusionTable confusionTotals(const QVector<PracticeRun> &runs)
{
    ConfusionTable totals;
    for (const PracticeRun &run : runs) {
        const ConfusionTable pairs = run.confusions();
        for (auto c = pairs.cbegin(); c != pairs.cend(); ++c)
            totals[c.key()] += c.value();
    }
    return totals;
}

QVector<QPair<QString, KeyFigures>> mostMissed(const KeyTable &keys, int how)
{
    QVector<QPair<QString, KeyFigures>> list;
    for (auto k = keys.cbegin(); k != keys.cend(); ++k)
        if (k->errors > 0)
            list.append({k.key(), k.value()});
    std::stable_sort(list.begin(), list.end(), [](const auto &a, const auto &b) {
        return a.second.errors != b.second.errors ? a.second.errors > b.second.errors : a.second.hits < b.second.hits;
    });
    return list.mid(0, how);
}

QVector<QPair<Confusion, int>> commonest(const ConfusionTable &pairs, int how)
{
    QVector<QPair<Confusion, int>> list;
    for (auto p = pairs.cbegin(); p != pairs.cend(); ++p)
        list.append({p.key(), p.value()});
    std::stable_sort(list.begin(), list.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    return list.mid(0, how);
}

int bestSpeed(const QVector<PracticeRun> &runs)
{
    int best = -1;
    for (const PracticeRun &run : runs)
        best = std::max(best, run.speed());
    return best;
}

int meanSpeed(const QVector<PracticeRun> &runs)
{
    qint64 sum = 0;
    int n = 0;
    for (const PracticeRun &run : runs)
        if (run.speed() >= 0) {
            sum += run.speed();
            ++n;
        }
    return n ? int((sum + n / 2) / n) : -1;
}

int meanAccuracy(const QVector<PracticeRun> &runs)
{
    qint64 sum = 0;
    for (const PracticeRun &run : runs)
        sum += run.accuracy();
    return runs.isEmpty() ? -1 : int((sum + runs.size() / 2) / runs.size());
}

QVector<double> movingAverage(const QVector<double> &values, int window)
{
    QVector<double> averages;
    double sum = 0;
    for (int i = 0; i < values.size(); ++i) {
        sum += values[i];
        if (i >= window)
            sum -= values[i - window];
        averages.append(sum / std::min(i + 1, window));
    }
    return averages;
}

QVector<PracticeRun> ofText(const QVector<PracticeRun> &runs, const QString &text)
{
    if (text.isEmpty())
        return runs;
    QVector<PracticeRun> chosen;
    for (const PracticeRun &run : runs)
        if (run.text == text)
            chosen.append(run);
    return chosen;
}

QStringList texts(const QVector<PracticeRun> &runs)
{
    QStringList list;
    for (const PracticeRun &run : runs)
        if (!list.contains(run.text))
            list.append(run.text);
    return list;
}

QVector<PracticeRun> bestPerText(const QVector<PracticeRun> &runs)
{
    QVector<PracticeRun> best;
    for (const QString &text : texts(runs)) {
        const QVector<PracticeRun> of = ofText(runs, text);
        best.append(*std::max_element(of.cbegin(), of.cend(), [](const PracticeRun &a, const PracticeRun &b) {
            return a.speed() != b.speed() ? a.speed() < b.speed() : a.accuracy() < b.accuracy();
        }));
    }
    return best;
}

int textsFinished(const QVector<PracticeRun> &runs, const std::function<int(const QString &text)> &length)
{
    QSet<QString> finished;
    QHash<QString, int> lengths; // each text is measured once
    for (const PracticeRun &run : runs) {
        if (!run.detailed || finished.contains(run.text))
            continue;
        auto known = lengths.find(run.text);
        if (known == lengths.end())
            known = lengths.insert(run.text, length(run.text));
        const int characters = *known;
        if (characters > 0 && qint64(run.correct) + run.wrong + run.skipped >= characters)
            finished.insert(run.text);
    }
    return finished.size();
}
}
