#pragma once

#include "practice/keyfigures.h"
#include "store/activityrows.h"

#include <QDateTime>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

using KeyTable = QMap<QString, KeyFigures>;
using Confusion = QPair<QString, QString>; // expected, typed
using ConfusionTable = QMap<Confusion, int>;

// One practice run as its last row tells it (a run stopped and continued
// writes a row at each Stop; only the last counts).
struct PracticeRun {
    QString runId;       // empty on rows written before runs had one
    qint64 order = 0;    // insertion order of its first row
    QDateTime started;   // invalid when the date text did not parse
    QString text;        // log1: the practice text's number, or "weak"
    int seconds = 0;
    int correct = 0, wrong = 0, skipped = 0;
    int shownPercent = 0; // the display's correct %, all older rows have
    bool detailed = false; // per-key figures present
    QString keyText;       // log5's entries after its head, read on demand
    QString confusionText; // log6

    // Per character of this run, and its confusion pairs; malformed entries
    // are left out (and counted by ActivityReader::read).
    KeyTable keys() const;
    ConfusionTable confusions() const;

    // Correct characters per minute over the whole run; -1 when unknown.
    int speed() const;
    // Correct in percent of the keys typed (skipped characters not typed).
    int accuracy() const;
};

// A level test as its "Test" row tells it (its fields are written and read
// by LevelTest, practice/leveltest.h); its keystrokes in `keys`, a run of
// their own, for the weak-key practice.
struct LevelTestRun {
    int text = 0, minutes = 0, seconds = 0, correct = 0, wrong = 0, lesson = 0;
    PracticeRun keys; // order, date and the per-key record
};

// What one user's rows tell, read without trusting them.
struct Activity {
    QVector<PracticeRun> runs; // in time order
    KeyTable keys;             // over all runs
    ConfusionTable confusions; // over all runs
    QVector<LevelTestRun> tests; // in insertion order
    QSet<int> lessonsRead;
    int games = 0, gameHits = 0, gameLost = 0;
    int rowsLeftOut = 0;    // rows that could not be read at all
    int entriesSkipped = 0; // malformed per-key or confusion entries
};

namespace ActivityReader {
Activity read(const QVector<ActivityLogRow> &rows);
// An entrydate text as Qt::TextDate writes it under any of several system
// locales (names of C, ar, de, fr, es, it, tr, fa, ur, ru; Latin or
// Arabic-Indic digits), or ISO 8601; invalid when it does not parse.
QDateTime parseDate(const QString &text);
}
