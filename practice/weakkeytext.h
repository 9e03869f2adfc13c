#pragma once

#include "practice/weakkeys.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A practice text made for one learner: real words of the catalogue's
// vocabulary that the reached keys type, the words holding the focus keys
// and the commonest confusions drawn more often.
class WeakKeyText
{
public:
    static constexpr int minimumCharacters = 600;
    static constexpr int lineColumns = 27;
    // Three words of this length and two spaces fit a line, so no line reads as a drill.
    static constexpr int longestWord = 8;

    // The words of the active catalogue's vocabulary.
    static QStringList vocabulary();
    // The captions of the keys lessons 1 to `lesson` bring, each on its
    // lesson's layer, and the space.
    static QStringList captionsReached(int lesson);
    // Whether keys with these captions type the text; a two-letter key
    // types both its letters in one stroke.
    static bool typeable(const QString &text, const QStringList &captions);
    // The lines as the catalogue holds practice texts, for PracticeText::prepare.
    static QString html(const QStringList &lines);

    WeakKeyText(const KeyConfidence &confidence, const QStringList &reached, const QStringList &vocabulary);

    // False when there is nothing to draw: no keystrokes, or no word fits.
    bool isPossible() const { return !words.isEmpty(); }
    // The words a text is drawn from, and how much more often each is drawn
    // than a word without a focus key or confusion.
    const QStringList &candidates() const { return words; }
    double weight(const QString &word) const;
    // At least minimumCharacters typed characters in lines of three words or
    // more, none wider than lineColumns; the same for the same seed.
    QStringList lines(quint32 seed) const;

private:
    QStringList words;
    QVector<double> weights;         // parallel to words
    QVector<int> focused;            // indexes of words holding a focus key
    QVector<double> focusedWeights;  // parallel to focused
};
