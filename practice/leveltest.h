#pragma once

#include "store/activityrows.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The level test: a few minutes of typing on a text of its own, ending when
// the time is up, that tells the learner how fast and how accurately they
// type and which lesson to continue from.
//
// Its activity-log row, topic "Test":
//   log1 = the test text's number (1, 2, ...);
//   log2 = MINUTES " " SECONDS " " CORRECT " " WRONG: the minutes chosen, the
//          seconds typed (fewer when the text ran out first), keys typed
//          right and wrong;
//   log3 = SPEED " " ACCURACY " " LESSON: correct characters per minute,
//          percent correct, the lesson the band continues from;
//   log4 = empty; log5 and log6 = the per-key record and confusion pairs,
//          written as a practice run writes them.
namespace LevelTest {

constexpr int choices[] = {1, 3, 5}; // minutes the learner may pick

// The catalogue's text of test n (with its <line> entries); empty when the
// catalogue has none.
QString text(int n);
// How many test texts the active catalogue holds.
int count();

struct Result {
    int minutes = 0, seconds = 0, correct = 0, wrong = 0;
    int speed() const;            // correct characters per minute
    int accuracy() const;         // percent of the keys typed
    double errorsPerMinute() const;
    int band() const;             // index into bands()
    int lesson() const;           // the lesson to continue from
    QString bandName() const;
};
// Band names and the lessons they continue from, weakest first.
struct Band {
    int minimumSpeed, minimumAccuracy, lesson;
    const char *name;
};
const QVector<Band> &bands();

// The log texts of a finished test (log1 .. log6).
QStringList logFields(int text, const Result &result, const QString &keyFigures, const QString &confusions);

struct Taken {
    int text = 0;
    Result result;
    int lesson = 0;
};
// The "Test" rows that read back; others are skipped.
QList<Taken> taken(const QVector<ActivityLogRow> &rows);
// The first text not taken yet; when every one is, the one taken longest
// ago; 0 without any text.
int nextText(const QList<Taken> &done, int available);
}
