#pragma once

#include <QMap>
#include <QPair>
#include <QString>

// What one practice run adds to its log row beyond the classic figures:
// per expected character the right and wrong strokes and the time the right
// ones took, which key was pressed instead (confusion pairs), how many
// characters were skipped with Enter, and a token naming the run, so that
// the rows of a run stopped and continued can be told apart from others.
//
// log5 = "k1 " RUNID " " CORRECT " " WRONG " " SKIPPED, then for every
//        expected character " " C ":" HITS ":" ERRORS ":" MEANMS;
// log6 = "c1", then for every pair " " EXPECTED ">" TYPED ":" COUNT.
// Inside C, EXPECTED and TYPED the characters % space : > and every
// white-space or control character are written "%" + four upper-case hex
// digits of the UTF-16 code unit. A run writes a row at every Stop with
// figures for the whole run so far; its rows share the RUNID.
class RunRecord
{
public:
    struct Tally {
        int hits = 0;
        int errors = 0;
        qint64 totalMs = 0; // over the hits
    };
    using Confusion = QPair<QString, QString>; // expected, typed

    // A run begins (or goes on): the first call gives it its token.
    void begin();
    // Forgets the run; the next begin() starts another.
    void clear();
    void hit(const QString &expected, qint64 ms);
    void miss(const QString &expected, const QString &typed);
    void skip(int characters) { skipped += characters; }

    QString runId() const { return id; }
    int skippedCount() const { return skipped; }
    const QMap<QString, Tally> &tallies() const { return perCharacter; }
    const QMap<Confusion, int> &confusions() const { return pairs; }

    QString keyFigures(int correct, int wrong) const;
    // The commonest pairs first, as many as fit in `bytes` of UTF-8.
    QString confusionFigures(int bytes) const;

    static QString escape(const QString &text);
    // False when a "%" is not followed by four hex digits.
    static bool unescape(const QString &text, QString &out);
    // Milliseconds since the epoch in base 36, never the same twice in a process.
    static QString newRunId();

private:
    QString id;
    int skipped = 0;
    QMap<QString, Tally> perCharacter;
    QMap<Confusion, int> pairs;
};
