#include "reports/runcsv.h"

#include "practice/runrecord.h"
#include "reports/classreport.h"

#include <QSet>

namespace {
QString known(int value)
{
    return value < 0 ? QString() : QString::number(value);
}
}

namespace RunCsv {
QString write(const QVector<PracticeRun> &runs)
{
    QSet<QString> seen;
    QVector<KeyTable> keys;
    for (const PracticeRun &run : runs) {
        keys.append(run.keys());
        for (auto k = keys.last().cbegin(); k != keys.last().cend(); ++k)
            seen.insert(k.key());
    }
    QStringList characters = seen.values();
    characters.sort();
    QStringList header = {QStringLiteral("date"),    QStringLiteral("text"),  QStringLiteral("seconds"),
                          QStringLiteral("speed"),   QStringLiteral("accuracy"), QStringLiteral("correct"),
                          QStringLiteral("wrong"),   QStringLiteral("skipped")};
    for (const QString &c : characters)
        for (const char *figure : {" hits", " errors", " ms"})
            header.append(ClassReport::field(RunRecord::escape(c) + QLatin1String(figure)));
    QString csv = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (int r = 0; r < runs.size(); ++r) {
        const PracticeRun &run = runs[r];
        QStringList fields = {run.started.isValid() ? run.started.toString(Qt::ISODate) : QString(),
                              ClassReport::field(run.text),
                              QString::number(run.seconds),
                              known(run.speed()),
                              QString::number(run.accuracy()),
                              run.detailed ? QString::number(run.correct) : QString(),
                              run.detailed ? QString::number(run.wrong) : QString(),
                              run.detailed ? QString::number(run.skipped) : QString()};
        for (const QString &c : characters) {
            const auto k = keys[r].constFind(c);
            const bool has = k != keys[r].cend();
            fields << (has ? QString::number(k->hits) : QString()) << (has ? QString::number(k->errors) : QString())
                   << (has && k->hits ? QString::number((k->totalMs + k->hits / 2) / k->hits) : QString());
        }
        csv += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return csv;
}
}
