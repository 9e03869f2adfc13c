#include "practice/weakkeys.h"

#include <QSet>
#include <algorithm>

bool Keystrokes::isEmpty() const
{
    return std::none_of(keys.cbegin(), keys.cend(), [](const KeyFigures &f) { return f.strokes() > 0; });
}

Keystrokes Keystrokes::recent(const QList<Keystrokes> &newestFirst, int strokesPerCharacter)
{
    Keystrokes sum;
    for (const Keystrokes &run : newestFirst) {
        QSet<QString> taken;
        for (auto it = run.keys.cbegin(); it != run.keys.cend(); ++it) {
            KeyFigures &total = sum.keys[it.key()];
            if (total.strokes() >= strokesPerCharacter)
                continue;
            total += it.value();
            taken.insert(it.key());
        }
        // a confusion counts with the strokes of its expected character
        for (auto it = run.confusions.cbegin(); it != run.confusions.cend(); ++it)
            if (taken.contains(it.key().first))
                sum.confusions[it.key()] += it.value();
    }
    return sum;
}

namespace {
// The letters of the reached captions: marks, digits, signs and the space are
// no keys to build words around.
QStringList lettersOf(const QStringList &captions)
{
    QStringList letters;
    for (const QString &caption : captions)
        for (const QChar c : caption)
            if (c.isLetter() && !letters.contains(QString(c)))
                letters.append(QString(c));
    return letters;
}
}

KeyConfidence::KeyConfidence(const Keystrokes &keystrokes, const QStringList &reached)
    : KeyConfidence(keystrokes, reached, Settings())
{
}

KeyConfidence::KeyConfidence(const Keystrokes &keystrokes, const QStringList &reached, const Settings &chosen)
    : figures(keystrokes), settings(chosen), order(lettersOf(reached))
{
    QMap<QString, double> score;
    for (const QString &c : order)
        score[c] = confidence(c);
    std::sort(order.begin(), order.end(), [&](const QString &a, const QString &b) {
        if (score[a] != score[b])
            return score[a] < score[b];
        const int strokesA = figures.keys.value(a).strokes(), strokesB = figures.keys.value(b).strokes();
        return strokesA != strokesB ? strokesA < strokesB : a < b;
    });
}

double KeyConfidence::confidence(const QString &character) const
{
    const KeyFigures f = figures.keys.value(character);
    const double targetMs = 60000.0 / settings.targetPerMinute;
    const double speed = f.hits > 0 ? std::min(1.0, targetMs * f.hits / std::max<qint64>(1, f.totalMs)) : 0.0;
    const double accuracy = f.strokes() > 0 ? double(f.hits) / (f.hits + 2.0 * f.errors) : 0.0;
    const double strokes = f.strokes();
    return (strokes * speed * accuracy + settings.priorStrokes * 0.5) / (strokes + settings.priorStrokes);
}

QStringList KeyConfidence::focus() const
{
    return hasKeystrokes() ? order.mid(0, settings.focusCount) : QStringList();
}

QList<QPair<QString, QString>> KeyConfidence::confusions(int count) const
{
    QList<QPair<QString, QString>> pairs;
    for (auto it = figures.confusions.cbegin(); it != figures.confusions.cend(); ++it)
        if (it.value() > 0 && order.contains(it.key().first))
            pairs.append(it.key());
    std::stable_sort(pairs.begin(), pairs.end(), [this](const auto &a, const auto &b) {
        return figures.confusions.value(a) > figures.confusions.value(b);
    });
    return pairs.mid(0, count);
}
