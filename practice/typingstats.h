#pragma once

#include "keyboard/keyids.h"

#include <QString>
#include <QStringList>

// The counting side of a practice run: the speed ring, per-key and
// per-finger statistics and the evaluation's log texts. TypingRun feeds it
// what was typed (by key position and finger) and the clock's ticks.
class TypingStats
{
public:
    // Per-finger statistics, slot hand * 5 + finger.
    struct FingerStats {
        int correct = 0;
        int errors = 0;
        double interval = 0;
    };

    // The ten finger slots live with the caller (they outlive a window).
    // The speed shown is the mean of this many one-second slots.
    static constexpr int ringLength = 20;

    explicit TypingStats(FingerStats *fingerSlots) : fingers(fingerSlots) {}

    void resetRing();
    // Clears the per-key and per-finger figures (the ring stays).
    void resetKeys();
    // A correct key at a key position (character keys counted) typed
    // `elapsed` ms after the previous one; `space` is not counted per finger.
    // Returns true when the key position was counted (the interval restarts).
    bool correctKey(int row, int column, int finger, int hand, bool space, qint64 elapsed);
    void wrongKey(int finger, int hand);
    // One second of the clock with this many correct marks; returns the
    // speed to show, or -1 while the ring is not yet full.
    int tick(int correct);

    // log2: seconds, speed, correct %, share of wrong and current marks.
    static QString timing(int seconds, int speed, int correctPercent, int wrong, int current, int lineCount,
                          int characterCount);
    // log3: mean interval per key, every row by the columns of the longest row.
    QString keyIntervals() const;
    // log4: mean interval per finger 1-4 of each hand, then correct % per finger.
    QString fingerFigures() const;

private:
    FingerStats *fingers;
    int ringCorrect[ringLength] = {};
    int ringPerMinute[ringLength] = {};
    int ringIndex = 0;
    bool ringWrapped = false;
    // Indexed by row and column from 1, as the key identifiers count them.
    int keyHits[Keys::rowCount + 1][Keys::longestRow + 1] = {};
    double keyInterval[Keys::rowCount + 1][Keys::longestRow + 1] = {};
};
