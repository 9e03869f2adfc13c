#include "practice/typingstats.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {
QString number(double value)
{
    return QString::number(value, 'g', 6);
}
}

void TypingStats::resetRing()
{
    std::fill(std::begin(ringCorrect), std::end(ringCorrect), 0);
    std::fill(std::begin(ringPerMinute), std::end(ringPerMinute), 0);
    ringIndex = 0;
    ringWrapped = false;
}

void TypingStats::resetKeys()
{
    for (int row = 0; row <= Keys::rowCount; ++row)
        for (int column = 0; column <= Keys::longestRow; ++column) {
            keyHits[row][column] = 0;
            keyInterval[row][column] = 0;
        }
    for (int slot = 0; slot < 10; ++slot)
        fingers[slot] = FingerStats();
}

bool TypingStats::correctKey(int row, int column, int finger, int hand, bool space, qint64 elapsed)
{
    const bool counted = row >= 1 && row <= Keys::rowCount && column >= 1 && column <= Keys::longestRow;
    if (counted) {
        if (keyHits[row][column] == 0)
            keyInterval[row][column] = 0;
        keyInterval[row][column] += elapsed;
        ++keyHits[row][column];
    }
    if (!space && finger >= 0 && finger <= 4 && hand >= 0 && hand <= 1) {
        FingerStats &stats = fingers[hand * 5 + finger];
        if (stats.correct == 0)
            stats.interval = 0;
        ++stats.correct;
        stats.interval += elapsed;
    }
    return counted;
}

void TypingStats::wrongKey(int finger, int hand)
{
    if (finger >= 0 && finger <= 4 && hand >= 0 && hand <= 1)
        ++fingers[hand * 5 + finger].errors;
}

int TypingStats::tick(int correct)
{
    if (ringIndex == ringLength) {
        ringIndex = 0;
        ringWrapped = true;
    }
    ringCorrect[ringIndex] = correct;
    const int previous = ringIndex > 0 ? ringCorrect[ringIndex - 1] : (ringWrapped ? ringCorrect[ringLength - 1] : 0);
    ringPerMinute[ringIndex] = (correct - previous) * 60;
    ++ringIndex;
    if (!ringWrapped)
        return -1;
    int sum = 0;
    for (int perMinute : ringPerMinute)
        sum += std::abs(perMinute);
    return sum / ringLength;
}

QString TypingStats::timing(int seconds, int speed, int correctPercent, int wrong, int current, int lineCount,
                          int characterCount)
{
    const float share = float(wrong + current) / float(lineCount + characterCount) * 100.0f;
    return QString::number(seconds) + QLatin1Char(' ') + QString::number(speed) + QLatin1Char(' ') +
           QString::number(correctPercent) + QLatin1Char(' ') + number(double(share));
}

QString TypingStats::keyIntervals() const
{
    QStringList rows;
    for (int row = 1; row <= Keys::rowCount; ++row) {
        QString text;
        for (int col = 1; col <= Keys::longestRow; ++col)
            text += (keyHits[row][col] ? number(keyInterval[row][col] / keyHits[row][col]) : QStringLiteral("0")) +
                    QLatin1Char(' ');
        rows.append(text);
    }
    return rows.join(QLatin1Char(' '));
}

QString TypingStats::fingerFigures() const
{
    QStringList groups;
    for (int hand = 0; hand <= 1; ++hand) {
        QStringList values;
        for (int finger = 1; finger <= 4; ++finger) {
            const FingerStats &f = fingers[hand * 5 + finger];
            values.append(f.correct ? number(f.interval / f.correct) : QStringLiteral("0"));
        }
        groups.append(values.join(QLatin1Char(' ')));
    }
    for (int hand = 0; hand <= 1; ++hand) {
        QStringList values;
        for (int finger = 1; finger <= 4; ++finger) {
            const FingerStats &f = fingers[hand * 5 + finger];
            const int typed = f.correct + f.errors;
            values.append(typed ? QString::number(f.correct * 100 / typed) : QStringLiteral("0"));
        }
        groups.append(values.join(QLatin1Char(' ')));
    }
    return groups.join(QLatin1Char(' '));
}
