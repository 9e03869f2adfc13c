#include "practice/weakkeytext.h"

#include "keyboard/keyids.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <random>

namespace {
constexpr double focusBonus = 8;      // per focus key, times how unsure the learner is of it
constexpr double confusionBonus = 3;  // per common confusion whose expected letter the word holds
constexpr double focusShare = 0.6;    // draws made among the words holding a focus key
constexpr int confusionCount = 3;
constexpr int recentWords = 10;       // a word does not come back within this many draws
constexpr int redraws = 6;

// Uniform in [0, total) from the generator's own output, the same on every library.
double uniform(std::mt19937 &generator, double total)
{
    return double(generator()) / 4294967296.0 * total;
}

int pick(std::mt19937 &generator, const QVector<double> &weights, double total)
{
    double at = uniform(generator, total);
    for (int i = 0; i < weights.size(); ++i) {
        at -= weights[i];
        if (at < 0)
            return i;
    }
    return weights.size() - 1;
}

double sum(const QVector<double> &values)
{
    double total = 0;
    for (double v : values)
        total += v;
    return total;
}
}

QStringList WeakKeyText::vocabulary()
{
    return QCoreApplication::translate("WeakKeys", "vocabulary").split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList WeakKeyText::captionsReached(int lesson)
{
    const QString shiftPrefix = QStringLiteral("Shift_");
    QStringList captions{QStringLiteral(" ")};
    for (int n = 1; n <= lesson; ++n)
        for (const QString &token : Keys::keysOfInterestText(n).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const bool shifted = token.startsWith(shiftPrefix);
            const QString id = shifted ? token.mid(shiftPrefix.size()) : token;
            if (!Keys::characterKeyIds().contains(id))
                continue;
            const QString caption = Keys::caption(shifted ? Keys::Layer::Shift : Keys::Layer::Plain, id);
            if (!caption.trimmed().isEmpty() && !captions.contains(caption))
                captions.append(caption);
        }
    return captions;
}

bool WeakKeyText::typeable(const QString &text, const QStringList &captions)
{
    QVector<bool> reached(text.size() + 1, false);
    reached[0] = true;
    for (int i = 0; i < text.size(); ++i)
        if (reached[i])
            for (const QString &c : captions)
                if (!c.isEmpty() && QStringView(text).mid(i).startsWith(c))
                    reached[i + c.size()] = true;
    return reached.last();
}

QString WeakKeyText::html(const QStringList &lines)
{
    QString out = QStringLiteral("<html><body dir=\"rtl\">");
    for (const QString &line : lines) {
        out += QStringLiteral("<p align=\"right\" dir=\"rtl\"><line>");
        for (const QChar c : line)
            out += QStringLiteral("&#%1;").arg(c.unicode(), 4, 10, QLatin1Char('0'));
        out += QStringLiteral("</p>");
    }
    return out + QStringLiteral("</body></html>");
}

WeakKeyText::WeakKeyText(const KeyConfidence &confidence, const QStringList &reached, const QStringList &vocabulary)
{
    if (!confidence.hasKeystrokes())
        return;
    // most words are made of one-letter captions alone: a set look-up each
    QSet<QChar> singles;
    for (const QString &c : reached)
        if (c.size() == 1)
            singles.insert(c.at(0));
    const auto fits = [&](const QString &word) {
        return std::all_of(word.begin(), word.end(), [&](QChar c) { return singles.contains(c); }) ||
               typeable(word, reached);
    };
    QHash<QChar, double> unsure;
    for (const QString &c : confidence.focus())
        unsure[c.at(0)] = std::max(0.05, 1 - confidence.confidence(c));
    const auto confused = confidence.confusions(confusionCount);
    QSet<QString> seen;
    for (const QString &word : vocabulary) {
        if (word.size() < 2 || word.size() > longestWord || seen.contains(word) || !fits(word))
            continue;
        seen.insert(word);
        double focusScore = 0;
        for (auto it = unsure.cbegin(); it != unsure.cend(); ++it)
            focusScore += word.contains(it.key()) ? it.value() : 0;
        double confusionScore = 0;
        for (const auto &pair : confused)
            confusionScore += word.contains(pair.first) ? (word.contains(pair.second) ? 1.5 : 1.0) : 0;
        const double w = 1 + focusBonus * focusScore + confusionBonus * confusionScore;
        if (focusScore > 0) {
            focused.append(words.size());
            focusedWeights.append(w);
        }
        words.append(word);
        weights.append(w);
    }
}

double WeakKeyText::weight(const QString &word) const
{
    const int at = words.indexOf(word);
    return at < 0 ? 0 : weights[at];
}

QStringList WeakKeyText::lines(quint32 seed) const
{
    QStringList lines;
    if (words.isEmpty())
        return lines;
    std::mt19937 generator(seed);
    const double total = sum(weights), focusedTotal = sum(focusedWeights);
    QList<int> recent;
    QStringList line;
    int columns = -1, typed = 0;
    for (;;) {
        int at = -1;
        for (int attempt = 0; attempt < redraws && (at < 0 || recent.contains(at)); ++attempt) {
            const bool amongFocused = !focused.isEmpty() && uniform(generator, 1) < focusShare;
            at = amongFocused ? focused[pick(generator, focusedWeights, focusedTotal)] : pick(generator, weights, total);
        }
        recent.append(at);
        if (recent.size() > recentWords)
            recent.removeFirst();
        const QString &word = words[at];
        if (columns + 1 + word.size() > lineColumns) {  // a full line has three words at least
            lines.append(line.join(QLatin1Char(' ')));
            typed += columns;
            line.clear();
            columns = -1;
            if (typed >= minimumCharacters)
                break;
        }
        line.append(word);
        columns += 1 + word.size();
    }
    return lines;
}
