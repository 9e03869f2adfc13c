#include "practice/practising.h"

#include "app/activitykey.h"
#include "app/clocktimer.h"
#include "app/loginkey.h"
#include "app/messages.h"
#include "practice/leveltest.h"
#include "store/activityrows.h"
#include "store/passwordhash.h"
#include "store/session.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

// The practice window on a level test: typed the same way, timed by Clock,
// logged once as a "Test" row when the time is up.

bool practising::startLevelTest(int minutes)
{
    if (running)
        return false;
    QVector<ActivityLogRow> rows;
    QString problem;
    if (!ActivityRows::read(Store::usersDbPath, passwordHash(Store::currentUser), rows, &problem)) {
        Messages::warning(this, tr("Error"), tr("The activity log could not be read.") + QLatin1Char('\n') + problem);
        return false;
    }
    const int n = LevelTest::nextText(LevelTest::taken(rows), LevelTest::count());
    if (n == 0) {
        Messages::information(this, tr("Info"), tr("This language holds no level test."));
        return false;
    }
    PracticeText::Lines lines;
    const QString html = PracticeText::prepare(LevelTest::text(n), lines);
    testText = n;
    testMinutes = minutes;
    testLeftMs = qint64(minutes) * 60000;
    weakText = false;
    if (!testEnd) {
        testEnd = new ClockTimer(this);
        testEnd->setSingleShot(true);
        connect(testEnd, &ClockTimer::timeout, this, &practising::endLevelTest);
    }
    lessonlbl->setText(tr("Level test: %1 min.").arg(minutes));
    lessonnumber->setVisible(false);
    showText(html, lines);
    previous_Btn->setEnabled(false);
    next_Btn->setEnabled(false);
    weak_Btn->setEnabled(false);
    resetRun();
    return true;
}

void practising::resumeLevelTest()
{
    testWatch.restart();
    testEnd->start(int(testLeftMs));
}

void practising::pauseLevelTest()
{
    testEnd->stop();
    testLeftMs = std::max<qint64>(0, testLeftMs - testWatch.elapsed());
}

// Time is up (or the text ran out): the result in a box and in the log,
// then the window goes on with the lesson the result points to.
void practising::endLevelTest()
{
    if (!testText)
        return;
    if (running)
        on_stop_Btn_clicked();
    LevelTest::Result result;
    result.minutes = testMinutes;
    result.seconds = int((qint64(testMinutes) * 60000 - testLeftMs + 500) / 1000);
    result.correct = run.count(TypingRun::Correct);
    result.wrong = run.count(TypingRun::Wrong);
    const QStringList practice = run.evaluation(QString());
    const QStringList log = LevelTest::logFields(testText, result, practice.value(5), practice.value(6));
    QString &lastKey = LoginKey{loginWindow.data()}.keyOr(shared.practiceKey);
    ActivityKey::logOnce(lastKey, {QStringLiteral("Test ") + log.join(QLatin1Char(' ')), QStringLiteral("Test"),
                                   log[0], log[1], log[2], log[3], log[4], log[5]}, this);
    testText = 0;
    const QStringList figures = {
        tr("Speed: %1 correct characters per minute").arg(result.speed()),
        tr("Accuracy: %1 %").arg(result.accuracy()),
        tr("Errors per minute: %1").arg(QString::number(result.errorsPerMinute(), 'f', 1)),
        tr("Level: %1, continue with lesson %2.").arg(result.bandName()).arg(result.lesson())};
    Messages::information(this, tr("Level test finished"), figures.join(QLatin1Char('\n')));
    showLessonAfterTest(result.lesson());
}

void practising::showLessonAfterTest(int next)
{
    lesson = std::max(first, std::min(next, shared.highestLesson));
    lessonlbl->setText(tr("Practise Lesson number"));
    lessonnumber->setVisible(true);
    loadLesson();
    previous_Btn->setEnabled(lesson > first);
    next_Btn->setEnabled(lesson < shared.highestLesson);
    weak_Btn->setEnabled(true);
    resetRun();
}
