#include "practice/practising.h"

#include "app/messages.h"
#include "practice/weakkeyplan.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBrowser>

// The practice window on a text made from the learner's weak keys.

// A weak-key text has no lesson: Previous and Next lead nowhere from it.
void practising::loadWeakText(const QStringList &lines)
{
    PracticeText::Lines prepared;
    const QString html = PracticeText::prepare(WeakKeyText::html(lines), prepared);
    weakText = true;
    lessonlbl->setText(tr("Practise my weak keys"));
    lessonnumber->setVisible(false);
    showText(html, prepared);
    previous_Btn->setEnabled(false);
    next_Btn->setEnabled(false);
    resetRun();
}

bool practising::practiseWeakKeys()
{
    if (testText)
        return false; // a level test runs to its end
    Activity activity;
    QString problem;
    if (!WeakKeyPlan::readCurrentLearner(activity, &problem)) {
        Messages::warning(this, tr("Error"), tr("The activity log could not be read.") + QLatin1Char('\n') + problem);
        return false;
    }
    const WeakKeyPlan plan(activity);
    if (!plan.isPossible()) {
        Messages::information(this, tr("Info"), WeakKeyPlan::nothingRecordedText());
        return false;
    }
    loadWeakText(plan.lines(QRandomGenerator::global()->generate()));
    return true;
}

void practising::on_weak_Btn_clicked()
{
    if (!running)
        practiseWeakKeys();
}
