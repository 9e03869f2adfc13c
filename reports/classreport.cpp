#include "reports/classreport.h"

#include "practice/runrecord.h"
#include "reports/activityreader.h"
#include "reports/progress.h"
#include "store/activityrows.h"
#include "store/passwordhash.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
QString figure(int value)
{
    return value < 0 ? QString() : QString::number(value);
}

QString isoDate(const QVector<PracticeRun> &runs, bool last)
{
    QDateTime found;
    for (const PracticeRun &run : runs)
        if (run.started.isValid() && (!found.isValid() || (last ? run.started > found : run.started < found)))
            found = run.started;
    return found.isValid() ? found.date().toString(Qt::ISODate) : QString();
}

QString lineOf(const QString &user, const Activity &activity)
{
    const QVector<PracticeRun> &runs = activity.runs;
    QStringList missed;
    for (const auto &m : Progress::mostMissed(activity.keys, 5))
        missed.append(RunRecord::escape(m.first));
    const auto top = Progress::commonest(activity.confusions, 1);
    const QString confusion = top.isEmpty() ? QString()
                                            : RunRecord::escape(top[0].first.first) + QLatin1Char('>') +
                                                  RunRecord::escape(top[0].first.second);
    const QStringList fields = {user,
                                QString::number(runs.size()),
                                isoDate(runs, false),
                                isoDate(runs, true),
                                figure(Progress::bestSpeed(runs)),
                                figure(Progress::meanSpeed(runs)),
                                figure(Progress::meanAccuracy(runs)),
                                missed.join(QLatin1Char(' ')),
                                confusion};
    QStringList quoted;
    for (const QString &f : fields)
        quoted.append(ClassReport::field(f));
    return quoted.join(QLatin1Char(','));
}
}

namespace ClassReport {
QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && text.trimmed() == text)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

int write(const QString &file, QTextStream &out, QTextStream &errors)
{
    ActivityRows reader(file);
    QStringList users;
    QStringList lines;
    bool ok = reader.userNames(users);
    for (int i = 0; ok && i < users.size(); ++i) {
        QVector<ActivityLogRow> rows;
        ok = reader.read(passwordHash(users[i]), rows);
        lines.append(lineOf(users[i], ActivityReader::read(rows)));
    }
    const QString problem = reader.problem();
    if (!ok) {
        errors << QCoreApplication::translate("ClassReport", "harfora-report: cannot read %1: %2")
                      .arg(file, problem)
               << '\n';
        return 2;
    }
    out << header << '\n';
    for (const QString &line : lines)
        out << line << '\n';
    return 0;
}
}
