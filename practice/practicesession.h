#pragma once

#include "practice/typingstats.h"

#include <QString>

// What the practice windows of one process share: the upper lesson bound
// for Next, the text's point size, the per-finger statistics (they outlive a
// window), the finger guide's flags and the key of the last row logged by a
// window the lesson viewer opened.
class PracticeSession
{
public:
    static PracticeSession &current();

    int highestLesson = 33;
    int editorPointSize = 30;
    bool openedFromLessons = false;
    bool guideActive = false;
    bool guideVisible = false;
    QString practiceKey;
    // slot hand * 5 + finger
    TypingStats::FingerStats fingerStats[10];

    // A new practice window starts its finger counts and guide flags afresh.
    void startWindow();
};
