// Feeds arbitrary bytes, read as UTF-8, to the activity-log reader as the
// rows of one user: rows separated by line feeds, a row's fields (date,
// topic, log1 .. log6) by tabs. Checks that what comes back holds together.
#include "reports/activityreader.h"
#include "reports/progress.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    QVector<ActivityLogRow> rows;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        ActivityLogRow row;
        row.order = rows.size() + 1;
        row.entrydate = f.value(0);
        row.topic = f.value(1);
        for (int i = 0; i < 6; ++i)
            row.log[i] = f.value(2 + i);
        rows.append(row);
    }
    const Activity activity = ActivityReader::read(rows);
    if (activity.runs.size() + activity.rowsLeftOut > rows.size() || activity.entriesSkipped < 0)
        abort();
    for (const PracticeRun &run : activity.runs) {
        if (run.speed() < -1 || run.accuracy() < 0 || run.accuracy() > 100)
            abort();
        const KeyTable keys = run.keys();
        for (auto k = keys.cbegin(); k != keys.cend(); ++k)
            if (k.key().isEmpty() || k->hits < 0 || k->errors < 0 || k->totalMs < 0)
                abort();
        run.confusions();
    }
    if (Progress::keyTotals(activity.runs) != activity.keys || Progress::confusionTotals(activity.runs) != activity.confusions)
        abort(); // the totals are those of the runs
    Progress::mostMissed(activity.keys, 10);
    Progress::commonest(activity.confusions, 10);
    Progress::bestPerText(activity.runs);
    Progress::meanSpeed(activity.runs);
    return 0;
}
