#pragma once

#include "reports/activityreader.h"

#include <QVector>
#include <functional>

// Figures over many runs, for the Reports window, the report command and
// the weak-key practice.
namespace Progress {

// Per character over the runs, the most recent `recentRuns` only (all when
// negative).
KeyTable keyTotals(const QVector<PracticeRun> &runs, int recentRuns = -1);
ConfusionTable confusionTotals(const QVector<PracticeRun> &runs);

// The characters with the most errors, most first (ties: fewer hits first).
QVector<QPair<QString, KeyFigures>> mostMissed(const KeyTable &keys, int how);
QVector<QPair<Confusion, int>> commonest(const ConfusionTable &pairs, int how);

// Over the runs whose speed is known; -1 without any.
int bestSpeed(const QVector<PracticeRun> &runs);
int meanSpeed(const QVector<PracticeRun> &runs);
// Over all runs; -1 without any.
int meanAccuracy(const QVector<PracticeRun> &runs);

// The mean of each value with up to `window - 1` before it.
QVector<double> movingAverage(const QVector<double> &values, int window);

// The runs of one text (all when `text` is empty).
QVector<PracticeRun> ofText(const QVector<PracticeRun> &runs, const QString &text);
// The texts practised, in order of their first run.
QStringList texts(const QVector<PracticeRun> &runs);
// The texts with a run that reached their end: every character typed right,
// wrong or skipped. `length` gives a text's characters (0 when unknown).
int textsFinished(const QVector<PracticeRun> &runs, const std::function<int(const QString &text)> &length);
// Per text the fastest run (by accuracy where no speed is known).
QVector<PracticeRun> bestPerText(const QVector<PracticeRun> &runs);
}
