#pragma once

#include "practice/keyfigures.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

// The keystrokes of one run (or of several, summed): per expected character
// (the lam-alef key as its two letters, the space as " ") and the confusion
// pairs, expected character and what the key pressed typed.
struct Keystrokes {
    QMap<QString, KeyFigures> keys;
    QMap<QPair<QString, QString>, int> confusions;

    bool isEmpty() const;
    // The figures of the newest runs first, per character until it has
    // `strokesPerCharacter` strokes: the confidence follows recent typing.
    static Keystrokes recent(const QList<Keystrokes> &newestFirst, int strokesPerCharacter = 80);
};

// How sure the learner is of each key, from time per key against a target
// speed and from the error rate:
//   target interval = 60000 / target characters per minute
//   speed score     = min(1, target interval / mean interval), 0 without hits
//   accuracy score  = hits / (hits + 2 * errors)
//   raw confidence  = speed score * accuracy score
//   confidence      = (strokes * raw + prior * 0.5) / (strokes + prior)
// so a key typed a few times stays near 0.5 until its strokes say otherwise.
// The focus keys are the least confident letters among those reached.
class KeyConfidence
{
public:
    struct Settings {
        int targetPerMinute = 150;  // characters per minute
        double priorStrokes = 10;
        int focusCount = 3;
    };

    // `reached`: the captions of the keys the learner's lessons have brought
    // (a two-letter caption counts as its letters).
    KeyConfidence(const Keystrokes &keystrokes, const QStringList &reached);
    KeyConfidence(const Keystrokes &keystrokes, const QStringList &reached, const Settings &settings);

    // False for a learner without any recorded keystroke: there is nothing
    // to adapt to yet.
    bool hasKeystrokes() const { return !figures.isEmpty(); }
    double confidence(const QString &character) const;
    // The letters reached, least confident first (ties: fewer strokes, then code).
    const QStringList &ranked() const { return order; }
    // The first focusCount of ranked(); empty without keystrokes.
    QStringList focus() const;
    // The commonest confusions of reached letters, commonest first.
    QList<QPair<QString, QString>> confusions(int count) const;

private:
    Keystrokes figures;
    Settings settings;
    QStringList order;
};
