#include "games/gamerecord.h"

#include "practice/runrecord.h"

namespace GameRecord {
QStringList row(int hits, int lost, int level, const QStringList &letters)
{
    if (hits + lost <= 0)
        return {};
    QStringList drilled;
    for (const QString &l : letters)
        drilled.append(RunRecord::escape(l));
    return {QLatin1String(topic), QStringLiteral("falling"), QString::number(hits), QString::number(lost),
            QString::number(level), drilled.join(QLatin1Char(' ')).left(400), QString()};
}
}
