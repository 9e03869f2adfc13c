#include "practice/weakkeyplan.h"

#include "store/activityrows.h"
#include "store/passwordhash.h"
#include "store/session.h"

#include <QCoreApplication>
#include <QList>
#include <algorithm>

int WeakKeyPlan::lessonReached(const Activity &activity)
{
    int lesson = firstLessons;
    for (const int read : activity.lessonsRead)
        lesson = std::max(lesson, read);
    for (const PracticeRun &run : activity.runs) {
        bool isNumber = false;
        const int practised = run.text.toInt(&isNumber);
        if (isNumber && practised <= 1000)  // "weak" runs and damaged rows name no lesson
            lesson = std::max(lesson, practised);
    }
    return lesson;
}

Keystrokes WeakKeyPlan::keystrokes(const Activity &activity)
{
    // practice runs and level tests alike, newest (last inserted) first
    QVector<const PracticeRun *> typed;
    for (const PracticeRun &run : activity.runs)
        typed.append(&run);
    for (const LevelTestRun &test : activity.tests)
        typed.append(&test.keys);
    std::stable_sort(typed.begin(), typed.end(), [](const PracticeRun *a, const PracticeRun *b) { return a->order > b->order; });
    QList<Keystrokes> newestFirst;
    for (const PracticeRun *run : typed) {
        if (!run->detailed)
            continue;
        Keystrokes k;
        k.keys = run->keys();
        k.confusions = run->confusions();
        newestFirst.append(k);
        if (newestFirst.size() == recentRuns)
            break;
    }
    return Keystrokes::recent(newestFirst);
}

WeakKeyPlan::WeakKeyPlan(const Activity &activity)
    : reachedLesson(lessonReached(activity)),
      captions(WeakKeyText::captionsReached(reachedLesson)),
      sureness(keystrokes(activity), captions),
      text(sureness, captions, WeakKeyText::vocabulary())
{
}

bool WeakKeyPlan::readCurrentLearner(Activity &activity, QString *problem)
{
    QVector<ActivityLogRow> rows;
    const bool read = ActivityRows::read(Store::usersDbPath, passwordHash(Store::currentUser), rows, problem);
    activity = ActivityReader::read(rows);
    return read;
}

QString WeakKeyPlan::nothingRecordedText()
{
    return QCoreApplication::translate("WeakKeyPlan", "Your keystrokes are not recorded yet: type a practice text or "
                                                      "the level test first, then your weak keys can be practised.");
}
