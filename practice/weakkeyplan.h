#pragma once

#include "practice/weakkeys.h"
#include "practice/weakkeytext.h"
#include "reports/activityreader.h"

#include <QString>
#include <QStringList>

// One learner's weak-key practice from their recorded rows: the recent
// keystrokes of their runs, the keys their lessons have reached and the
// text drawn for the active catalogue's layout.
class WeakKeyPlan
{
public:
    // Lessons every learner has reached: fewer keys make no words.
    static constexpr int firstLessons = 3;
    // The runs the keystrokes are taken from, newest first.
    static constexpr int recentRuns = 20;

    explicit WeakKeyPlan(const Activity &activity);

    // The logged-in learner's rows from the users database in use; false
    // (with the reason) when the file cannot be read.
    static bool readCurrentLearner(Activity &activity, QString *problem = nullptr);
    // What a learner without recorded keystrokes is told.
    static QString nothingRecordedText();
    // The log1 of a weak-key practice row, in place of a lesson number.
    static QString logName() { return QStringLiteral("weak"); }

    // The highest lesson read or practice text typed, at least firstLessons.
    static int lessonReached(const Activity &activity);
    // The keystrokes of the recent runs, newest first per character.
    static Keystrokes keystrokes(const Activity &activity);

    int lesson() const { return reachedLesson; }
    const QStringList &reached() const { return captions; }
    const KeyConfidence &confidence() const { return sureness; }
    // False without recorded keystrokes or when no word fits the keys.
    bool isPossible() const { return text.isPossible(); }
    bool hasKeystrokes() const { return sureness.hasKeystrokes(); }
    QStringList lines(quint32 seed) const { return text.lines(seed); }

private:
    int reachedLesson;
    QStringList captions;
    KeyConfidence sureness;
    WeakKeyText text;
};
