#pragma once

#include "app/clock.h"
#include "practice/runrecord.h"
#include "practice/textprep.h"
#include "practice/typingstats.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// One practice run over a prepared text, without any window: where the
// learner is in the lines, what each key marks, when the finger guide should
// show, when the text is done, and the run's figures. It is fed key names as
// the scan-code layer gives them (ScanCodes::keyName) and one tick a second.
class TypingRun
{
public:
    // The highlighter's kinds, in its order; NoMark takes a mark away.
    enum MarkKind { Wrong, Current, Correct, NoMark };
    struct Mark {
        MarkKind kind;
        int line;
        int position; // in the shown block: a spaced line shows character n at 2n
    };
    enum class Guide { Unchanged, Show, Hide };
    // What one key did beyond its marks.
    struct Step {
        Guide guide = Guide::Unchanged;
        // Of the key that should have been typed, for Show; no finger (-1)
        // for a character no key types. shift: it is on the Shift layer.
        int finger = -1, hand = 0;
        bool shift = false;
        bool finished = false;    // the last character of the text was typed
    };
    using FingerStats = TypingStats::FingerStats;

    // The ten finger slots live with the caller (they outlive a window).
    explicit TypingRun(FingerStats *fingerSlots);

    // A new text; reads the key captions of the active catalogue.
    void load(const PracticeText::Lines &text);
    // The same text again from its first character, every figure cleared.
    void restart();
    // Start or resume: the position is marked current, the keystroke clock restarts.
    void resume();
    Step press(const QString &keyName);
    void tick();
    // Correct % taken in now, with every key typed since the last tick (a stop).
    void updatePercentCorrect();
    // The mark changes since the last call, in order.
    QVector<Mark> takeMarks();

    const PracticeText::Lines &lines() const { return text; }
    int line() const { return atLine; }
    int column() const { return atColumn; }
    // Where a character of a line sits in its shown block.
    int positionOf(int markLine, int markColumn) const;
    bool isFinished() const { return finished; }
    int count(MarkKind kind) const { return counts[kind]; }
    int seconds() const { return elapsedSeconds; }
    // The figures the displays show: correct % as of the last tick, speed
    // once the ring of TypingStats::ringLength ticks is full (speedKnown), both 0 before.
    int percentCorrect() const { return shownPercent; }
    int speed() const { return shownSpeed; }
    bool speedKnown() const { return speedShown; }
    // Correct characters per minute over the whole run.
    int overallSpeed() const;
    // The expected characters typed wrong most often, most first.
    QStringList mostMissed(int how) const;
    // The evaluation as it is logged: topic, log1 (the lesson number) .. log6,
    // together under rowBytes of UTF-8.
    QStringList evaluation(const QString &lesson) const;
    static constexpr int rowBytes = 2000;
    // Per expected character, the confusion pairs, the run's token.
    const RunRecord &record() const { return perKey; }

private:
    QString expectedAt(int ahead) const;
    QString keyOf(const QString &character) const;
    void fingerOf(const QString &character, int &row, int &keyColumn, int &finger, int &hand) const;
    bool chordStarts(const QString &keyName) const;
    void mark(MarkKind kind, int markLine, int markColumn);
    void enter();
    void typedCorrect(const QString &character);
    void typedWrong(const QString &expected, const QString &keyName, Step &step);
    void advance(Step &step);
    bool lastLine() const { return atLine >= text.characters.size() - 1; }

    PracticeText::Lines text;
    QHash<QString, QString> plainKeys, shiftKeys; // caption -> first key with it
    int atLine = 0, atColumn = 0;
    bool finished = false;
    QHash<QPair<int, int>, MarkKind> marks;
    QVector<Mark> changes;
    int counts[3] = {0, 0, 0};
    QVector<QPair<QString, int>> missed; // in the order first missed
    int elapsedSeconds = 0;
    int shownPercent = 0, shownSpeed = 0;
    bool speedShown = false;
    Stopwatch keystrokeClock;
    Stopwatch strokeClock; // since the previous stroke of any kind
    qint64 strokeMs = 0;   // the interval before the stroke being counted
    TypingStats stats;
    RunRecord perKey;
};
