#include "reports/activityreader.h"

#include "practice/leveltest.h"

#include "practice/runrecord.h"

#include <QLocale>

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

// Digits 0-9 only, below `sane`.
bool readDigits(const QChar *begin, const QChar *end, qint64 &out)
{
    if (begin == end || end - begin > 8)
        return false;
    out = 0;
    for (const QChar *c = begin; c != end; ++c) {
        const ushort u = c->unicode();
        if (u < '0' || u > '9')
            return false;
        out = out * 10 + (u - '0');
    }
    return out < sane;
}

int hexDigit(ushort u)
{
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// An escaped character of one or two UTF-16 units (no NUL) as one number:
// first unit, second unit << 16. 0 when malformed.
quint32 readCharacter(const QChar *begin, const QChar *end)
{
    ushort units[2] = {0, 0};
    int n = 0;
    for (const QChar *c = begin; c != end; ++c) {
        ushort u = c->unicode();
        if (u == '%') {
            if (end - c < 5)
                return 0;
            int value = 0;
            for (int i = 1; i <= 4; ++i) {
                const int d = hexDigit(c[i].unicode());
                if (d < 0)
                    return 0;
                value = value * 16 + d;
            }
            u = ushort(value);
            c += 4;
        }
        if (u == 0 || n == 2)
            return 0;
        units[n++] = u;
    }
    return n == 0 ? 0 : units[0] | quint32(units[1]) << 16;
}

QString characterOf(quint32 key)
{
    QString c(QChar(ushort(key & 0xffff)));
    if (key >> 16)
        c += QChar(ushort(key >> 16));
    return c;
}

// Calls `entry` with the bounds of every blank-separated entry of a text.
template <class Entry> void forEachEntry(const QString &text, Entry entry)
{
    const QChar *c = text.constData(), *end = c + text.size();
    while (c != end) {
        while (c != end && *c == QLatin1Char(' '))
            ++c;
        const QChar *begin = c;
        while (c != end && *c != QLatin1Char(' '))
            ++c;
        if (begin != c)
            entry(begin, c);
    }
}

using FastKeys = QHash<quint32, KeyFigures>;

// C:HITS:ERRORS:MEANMS entries added to `into`; returns the malformed ones.
int addKeys(const QString &text, FastKeys &into)
{
    int malformed = 0;
    forEachEntry(text, [&](const QChar *begin, const QChar *end) {
        const QChar *colon[3];
        int n = 0;
        for (const QChar *c = begin; c != end && n <= 3; ++c)
            if (*c == QLatin1Char(':')) {
                if (n == 3) {
                    n = 4;
                    break;
                }
                colon[n++] = c;
            }
        qint64 hits = 0, errors = 0, mean = 0;
        const quint32 character = n == 3 ? readCharacter(begin, colon[0]) : 0;
        if (!character || !readDigits(colon[0] + 1, colon[1], hits) || !readDigits(colon[1] + 1, colon[2], errors) ||
            !readDigits(colon[2] + 1, end, mean)) {
            ++malformed;
            return;
        }
        KeyFigures &k = into[character];
        k.hits += int(hits);
        k.errors += int(errors);
        k.totalMs += hits * mean;
    });
    return malformed;
}

// Raw "EXPECTED>TYPED" -> count and how many entries made it.
using RawPairs = QHash<QString, QPair<int, int>>;

int addRawPairs(const QString &text, RawPairs &into)
{
    if (text.isEmpty())
        return 0;
    if (!text.startsWith(QLatin1String("c1")) || (text.size() > 2 && text[2] != QLatin1Char(' ')))
        return text.count(QLatin1Char(' ')) + 1;
    int malformed = 0;
    forEachEntry(text.mid(2), [&](const QChar *begin, const QChar *end) {
        const QChar *colon = end;
        while (colon != begin && *(colon - 1) != QLatin1Char(':'))
            --colon;
        qint64 count = 0;
        if (colon == begin || !readDigits(colon, end, count) || count == 0) {
            ++malformed;
            return;
        }
        QPair<int, int> &pair = into[QString(begin, int(colon - 1 - begin))];
        pair.first += int(count);
        ++pair.second;
    });
    return malformed;
}

// The pairs whose texts read as escaped characters; the others are counted.
ConfusionTable pairsOf(const RawPairs &raw, int &malformed)
{
    ConfusionTable table;
    for (auto r = raw.cbegin(); r != raw.cend(); ++r) {
        const QStringList sides = r.key().split(QLatin1Char('>'));
        QString expected, typed;
        if (sides.size() != 2 || !RunRecord::unescape(sides[0], expected) || expected.isEmpty() ||
            !RunRecord::unescape(sides[1], typed)) {
            malformed += r->second;
            continue;
        }
        table[{expected, typed}] += r->first;
    }
    return table;
}

KeyTable keysOf(const FastKeys &fast)
{
    KeyTable table;
    for (auto k = fast.cbegin(); k != fast.cend(); ++k)
        table.insert(characterOf(k.key()), k.value());
    return table;
}

// "k1 RUNID CORRECT WRONG SKIPPED entries": false when the head is unreadable.
bool readKeyFigures(const QString &log5, PracticeRun &run)
{
    const QVector<QStringRef> parts = log5.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
    qint64 correct = 0, wrong = 0, skipped = 0;
    if (parts.size() < 5 || parts[0] != QLatin1String("k1") || parts[1].size() > 20 ||
        !readDigits(parts[2].cbegin(), parts[2].cend(), correct) || !readDigits(parts[3].cbegin(), parts[3].cend(), wrong) ||
        !readDigits(parts[4].cbegin(), parts[4].cend(), skipped))
        return false;
    run.runId = parts[1].toString();
    run.correct = int(correct);
    run.wrong = int(wrong);
    run.skipped = int(skipped);
    run.detailed = true;
    run.keyText = parts.size() > 5 ? log5.mid(parts[5].position()) : QString();
    return true;
}

// A "Practise" row; false when it cannot be read at all.
bool readPractice(const ActivityLogRow &row, PracticeRun &run)
{
    // log2: seconds, display speed, correct %, share of marks
    const QVector<QStringRef> timing = row.log[1].splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
    qint64 seconds = 0, percent = 0;
    if (timing.size() < 3 || !readDigits(timing[0].cbegin(), timing[0].cend(), seconds) ||
        !readDigits(timing[2].cbegin(), timing[2].cend(), percent) || percent > 100 ||
        row.log[0].trimmed().isEmpty() || row.log[0].size() > 20)
        return false;
    run.order = row.order;
    run.started = ActivityReader::parseDate(row.entrydate);
    run.text = row.log[0].trimmed();
    run.seconds = int(seconds);
    run.shownPercent = int(percent);
    if (!row.log[4].isEmpty() && !readKeyFigures(row.log[4], run))
        return false;
    if (run.detailed)
        run.confusionText = row.log[5];
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

KeyTable PracticeRun::keys() const
{
    FastKeys fast;
    addKeys(keyText, fast);
    return keysOf(fast);
}

ConfusionTable PracticeRun::confusions() const
{
    RawPairs raw;
    addRawPairs(confusionText, raw);
    int unused = 0;
    return pairsOf(raw, unused);
}

namespace {
// A run's row: a new run, or a later row of a run stopped and continued.
void addRun(Activity &activity, QHash<QString, int> &byRun, PracticeRun &run)
{
    const auto known = run.runId.isEmpty() ? byRun.end() : byRun.find(run.runId);
    if (known == byRun.end()) {
        if (!run.runId.isEmpty())
            byRun.insert(run.runId, activity.runs.size());
        activity.runs.append(run);
        return;
    }
    PracticeRun &earlier = activity.runs[*known];
    run.order = earlier.order;
    run.started = earlier.started.isValid() ? earlier.started : run.started;
    earlier = run;
}

// Lessons read and games played; false when the row cannot be read.
bool readOther(const ActivityLogRow &row, Activity &activity)
{
    if (row.topic == QLatin1String("Lesson")) {
        const int lesson = number(row.log[0]);
        if (lesson < 1 || lesson > 1000)
            return false;
        activity.lessonsRead.insert(lesson);
    } else if (row.topic == QLatin1String("Test")) {
        const QList<LevelTest::Taken> read = LevelTest::taken({row});
        if (read.isEmpty())
            return false;
        LevelTestRun test;
        test.text = read[0].text;
        test.minutes = read[0].result.minutes;
        test.seconds = read[0].result.seconds;
        test.correct = read[0].result.correct;
        test.wrong = read[0].result.wrong;
        test.lesson = read[0].lesson;
        test.keys.order = row.order;
        test.keys.started = ActivityReader::parseDate(row.entrydate);
        test.keys.seconds = test.seconds;
        if (!row.log[4].isEmpty() && readKeyFigures(row.log[4], test.keys))
            test.keys.confusionText = row.log[5];
        activity.tests.append(test);
    } else if (row.topic == QLatin1String("Game")) {
        qint64 hits = 0, lost = 0;
        if (!readNumber(row.log[1], hits) || !readNumber(row.log[2], lost))
            return false;
        ++activity.games;
        activity.gameHits += int(hits);
        activity.gameLost += int(lost);
    }
    return true;
}

// The figures of every run, summed; malformed entries counted.
void addTotals(Activity &activity)
{
    FastKeys keys;
    RawPairs pairs;
    for (const PracticeRun &run : activity.runs) {
        activity.entriesSkipped += addKeys(run.keyText, keys);
        activity.entriesSkipped += addRawPairs(run.confusionText, pairs);
    }
    activity.keys = keysOf(keys);
    activity.confusions = pairsOf(pairs, activity.entriesSkipped);
}
}

namespace ActivityReader {
Activity read(const QVector<ActivityLogRow> &rows)
{
    Activity activity;
    QHash<QString, int> byRun; // run token -> index in runs
    for (const ActivityLogRow &row : rows) {
        if (row.topic == QLatin1String("Practise")) {
            PracticeRun run;
            if (readPractice(row, run))
                addRun(activity, byRun, run);
            else
                ++activity.rowsLeftOut;
        } else if (!readOther(row, activity)) {
            ++activity.rowsLeftOut;
        }
    }
    sortByTime(activity.runs);
    addTotals(activity);
    return activity;
}

QDateTime parseDate(const QString &text)
{
    // weekday, month, day, hh:mm:ss, year: the weekday is not needed
    const QString simple = text.simplified();
    const QVector<QStringRef> parts = simple.splitRef(QLatin1Char(' '));
    if (parts.size() != 5)
        return QDateTime::fromString(simple, Qt::ISODate);
    const QVector<QStringRef> clock = parts[3].split(QLatin1Char(':'));
    const int m = month(parts[1].toString());
    const QStringRef dayText = parts[2].endsWith(QLatin1Char('.')) ? parts[2].chopped(1) : parts[2];
    if (clock.size() != 3 || m == 0)
        return {};
    const QDate date(number(parts[4].toString()), m, number(dayText.toString()));
    const QTime time(number(clock[0].toString()), number(clock[1].toString()), number(clock[2].toString()));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
}
