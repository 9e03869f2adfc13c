#include "reports/activityreader.h"

#include "practice/runrecord.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {
// No run has more strokes, seconds or milliseconds than this.
constexpr qint64 sane = 10000000;

// A month name as compared: lower case, without an abbreviation's dot.
QString bare(const QString &name)
{
    const QString lower = name.toLower();
    return lower.endsWith(QLatin1Char('.')) ? lower.chopped(1) : lower;
}

int month(const QString &name)
{
    static QHash<QString, int> names;
    if (names.isEmpty()) {
        for (const char *l : {"C", "ar", "de", "fr", "es", "it", "tr", "fa", "ur", "ru", "nl", "pt"}) {
            const QLocale locale{QLatin1String(l)};
            for (int m = 1; m <= 12; ++m)
                for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
                    names.insert(bare(locale.monthName(m, type)), m);
                    names.insert(bare(locale.standaloneMonthName(m, type)), m);
                }
        }
    }
    return names.value(bare(name), 0);
}

// Digits of any script; -1 when not all are digits.
int number(const QString &text)
{
    if (text.isEmpty() || text.size() > 9)
        return -1;
    int value = 0;
    for (QChar c : text) {
        const int d = c.digitValue();
        if (d < 0)
            return -1;
        value = value * 10 + d;
    }
    return value;
}

bool readNumber(const QString &text, qint64 &out)
{
    bool ok = false;
    out = text.toLongLong(&ok);
    return ok && out >= 0 && out < sane;
}

// "k1 RUNID CORRECT WRONG SKIPPED entries": false when the head is unreadable.
bool readKeyFigures(const QString &log5, PracticeRun &run, int &skippedEntries)
{
    const QStringList parts = log5.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    qint64 correct = 0, wrong = 0, skipped = 0;
    if (parts.size() < 5 || parts[0] != QLatin1String("k1") || parts[1].size() > 20 ||
        !readNumber(parts[2], correct) || !readNumber(parts[3], wrong) || !readNumber(parts[4], skipped))
        return false;
    run.runId = parts[1];
    run.correct = int(correct);
    run.wrong = int(wrong);
    run.skipped = int(skipped);
    run.detailed = true;
    for (const QString &entry : parts.mid(5)) {
        const QStringList f = entry.split(QLatin1Char(':'));
        QString character;
        qint64 hits = 0, errors = 0, mean = 0;
        if (f.size() != 4 || !RunRecord::unescape(f[0], character) || character.isEmpty() || character.size() > 2 ||
            !readNumber(f[1], hits) || !readNumber(f[2], errors) || !readNumber(f[3], mean) ||
            run.keys.contains(character)) {
            ++skippedEntries;
            continue;
        }
        run.keys.insert(character, {int(hits), int(errors), hits * mean});
    }
    return true;
}

void readConfusions(const QString &log6, PracticeRun &run, int &skippedEntries)
{
    const QStringList parts = log6.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return;
    if (parts[0] != QLatin1String("c1")) {
        skippedEntries += parts.size();
        return;
    }
    for (const QString &entry : parts.mid(1)) {
        const QStringList pair = entry.split(QLatin1Char('>'));
        const QStringList typedCount = pair.value(1).split(QLatin1Char(':'));
        QString expected, typed;
        qint64 count = 0;
        if (pair.size() != 2 || typedCount.size() != 2 || !RunRecord::unescape(pair[0], expected) ||
            expected.isEmpty() || !RunRecord::unescape(typedCount[0], typed) || !readNumber(typedCount[1], count) ||
            count == 0) {
            ++skippedEntries;
            continue;
        }
        run.confusions[{expected, typed}] += int(count);
    }
}

// A "Practise" row; false when it cannot be read at all.
bool readPractice(const ActivityRow &row, PracticeRun &run, int &skippedEntries)
{
    // log2: seconds, display speed, correct %, share of marks
    const QStringList timing = row.log[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    qint64 seconds = 0, percent = 0;
    if (timing.size() < 3 || !readNumber(timing[0], seconds) || !readNumber(timing[2], percent) || percent > 100 ||
        row.log[0].trimmed().isEmpty() || row.log[0].size() > 20)
        return false;
    run.order = row.order;
    run.started = ActivityReader::parseDate(row.entrydate);
    run.text = row.log[0].trimmed();
    run.seconds = int(seconds);
    run.shownPercent = int(percent);
    if (!row.log[4].isEmpty() && !readKeyFigures(row.log[4], run, skippedEntries))
        return false;
    if (run.detailed)
        readConfusions(row.log[5], run, skippedEntries);
    return true;
}

// Time order: by date where it parsed; a row whose date did not parse stays
// after the row inserted before it.
void sortByTime(QVector<PracticeRun> &runs)
{
    QVector<QPair<QDateTime, int>> keys;
    QDateTime carried = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
    for (int i = 0; i < runs.size(); ++i) {
        if (runs[i].started.isValid())
            carried = runs[i].started;
        keys.append({carried, i});
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const QPair<QDateTime, int> &a, const QPair<QDateTime, int> &b) { return a.first < b.first; });
    QVector<PracticeRun> sorted;
    sorted.reserve(runs.size());
    for (const auto &k : keys)
        sorted.append(runs[k.second]);
    runs.swap(sorted);
}
}

int PracticeRun::speed() const
{
    if (!detailed)
        return -1;
    return seconds > 0 ? int(qint64(correct) * 60 / seconds) : 0;
}

int PracticeRun::accuracy() const
{
    if (!detailed)
        return shownPercent;
    const qint64 typed = qint64(correct) + wrong;
    return typed > 0 ? int(qint64(correct) * 100 / typed) : 0;
}

namespace ActivityReader {
Activity read(const QVector<ActivityRow> &rows)
{
    Activity activity;
    QHash<QString, int> byRun; // run token -> index in runs
    for (const ActivityRow &row : rows) {
        if (row.topic == QLatin1String("Practise")) {
            PracticeRun run;
            if (!readPractice(row, run, activity.entriesSkipped)) {
                ++activity.rowsLeftOut;
                continue;
            }
            const auto known = run.runId.isEmpty() ? byRun.end() : byRun.find(run.runId);
            if (known == byRun.end()) {
                if (!run.runId.isEmpty())
                    byRun.insert(run.runId, activity.runs.size());
                activity.runs.append(run);
            } else {
                PracticeRun &earlier = activity.runs[*known];
                run.order = earlier.order;
                run.started = earlier.started.isValid() ? earlier.started : run.started;
                earlier = run;
            }
        } else if (row.topic == QLatin1String("Lesson")) {
            const int lesson = number(row.log[0]);
            if (lesson >= 1 && lesson <= 1000)
                activity.lessonsRead.insert(lesson);
            else
                ++activity.rowsLeftOut;
        } else if (row.topic == QLatin1String("Game")) {
            qint64 hits = 0, lost = 0;
            if (readNumber(row.log[1], hits) && readNumber(row.log[2], lost)) {
                ++activity.games;
                activity.gameHits += int(hits);
                activity.gameLost += int(lost);
            } else {
                ++activity.rowsLeftOut;
            }
        }
    }
    sortByTime(activity.runs);
    return activity;
}

QDateTime parseDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    QDateTime iso = QDateTime::fromString(trimmed, Qt::ISODate);
    if (iso.isValid())
        return iso;
    // weekday, month, day, hh:mm:ss, year: the weekday is not needed
    const QStringList parts = trimmed.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (parts.size() != 5)
        return {};
    const QStringList clock = parts[3].split(QLatin1Char(':'));
    const int m = month(parts[1]);
    const int day = number(parts[2].endsWith(QLatin1Char('.')) ? parts[2].chopped(1) : parts[2]);
    const int year = number(parts[4]);
    if (clock.size() != 3 || m == 0)
        return {};
    const QDate date(year, m, day);
    const QTime time(number(clock[0]), number(clock[1]), number(clock[2]));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
}
