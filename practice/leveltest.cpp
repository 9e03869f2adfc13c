#include "practice/leveltest.h"

#include <QCoreApplication>
#include <algorithm>

namespace LevelTest {

QString text(int n)
{
    const QByteArray source = QStringLiteral("add text of level test %1 here in the translation file").arg(n).toUtf8();
    const QString translated = QCoreApplication::translate("TypingTest", source.constData());
    return translated.contains(QLatin1String("<line>")) ? translated : QString();
}

int count()
{
    int n = 0;
    while (!text(n + 1).isEmpty())
        ++n;
    return n;
}

int Result::speed() const
{
    return seconds > 0 ? int(qint64(correct) * 60 / seconds) : 0;
}

int Result::accuracy() const
{
    return correct + wrong > 0 ? correct * 100 / (correct + wrong) : 0;
}

double Result::errorsPerMinute() const
{
    return seconds > 0 ? wrong * 60.0 / seconds : 0.0;
}

// Speed alone does not move a learner on: a band needs its accuracy too.
const QVector<Band> &bands()
{
    static const QVector<Band> table = {
        {0, 0, 1, QT_TRANSLATE_NOOP("LevelTest", "Beginner")},
        {40, 85, 6, QT_TRANSLATE_NOOP("LevelTest", "Elementary")},
        {80, 90, 12, QT_TRANSLATE_NOOP("LevelTest", "Intermediate")},
        {130, 94, 20, QT_TRANSLATE_NOOP("LevelTest", "Advanced")},
        {180, 96, 28, QT_TRANSLATE_NOOP("LevelTest", "Fluent")},
    };
    return table;
}

int Result::band() const
{
    int reached = 0;
    for (int b = 0; b < bands().size(); ++b)
        if (speed() >= bands()[b].minimumSpeed && accuracy() >= bands()[b].minimumAccuracy)
            reached = b;
    return reached;
}

int Result::lesson() const
{
    return bands()[band()].lesson;
}

QString Result::bandName() const
{
    return QCoreApplication::translate("LevelTest", bands()[band()].name);
}

QStringList logFields(int text, const Result &r, const QString &keyFigures, const QString &confusions)
{
    const QChar s = QLatin1Char(' ');
    return {QString::number(text),
            QString::number(r.minutes) + s + QString::number(r.seconds) + s + QString::number(r.correct) + s +
                QString::number(r.wrong),
            QString::number(r.speed()) + s + QString::number(r.accuracy()) + s + QString::number(r.lesson()),
            QString(), keyFigures, confusions};
}

namespace {
// Digits only, within a sane range: rows are never trusted.
bool numbers(const QString &text, int count, QVector<int> &out)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < count)
        return false;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const int n = parts[i].toInt(&ok);
        if (!ok || n < 0 || n > 1000000 || parts[i].startsWith(QLatin1Char('+')))
            return false;
        out.append(n);
    }
    return true;
}
}

QList<Taken> taken(const QVector<ActivityLogRow> &rows)
{
    QList<Taken> list;
    for (const ActivityLogRow &row : rows) {
        QVector<int> n;
        if (row.topic != QLatin1String("Test") || !numbers(row.log[0], 1, n) || !numbers(row.log[1], 4, n) ||
            !numbers(row.log[2], 3, n) || n[0] < 1)
            continue;
        Taken t;
        t.text = n[0];
        t.result = Result{n[1], n[2], n[3], n[4]};
        t.lesson = n[7];
        list.append(t);
    }
    return list;
}

int nextText(const QList<Taken> &done, int available)
{
    if (available < 1)
        return 0;
    QVector<int> lastTaken(available + 1, -1); // index in done of each text's last test
    for (int i = 0; i < done.size(); ++i)
        if (done[i].text <= available)
            lastTaken[done[i].text] = i;
    int best = 1;
    for (int n = 1; n <= available; ++n)
        if (lastTaken[n] < lastTaken[best])
            best = n;
    return best;
}
}
