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
    const QString html = WeakKeyText::html(lines);
    PracticeText::prepare(html, prepared);
    weakText = true;
    run.load(prepared);
    lessonlbl->setText(tr("Practise my weak keys"));
    lessonnumber->setVisible(false);
    editor->setHtml(html);
    leaveRoomBelowText();
    QFont font = editor->font();
    font.setPointSize(shared.editorPointSize);
    editor->setFont(font);
    if (marks) {
        marks->indexLines();
        marks->clearMarks();
    }
    previous_Btn->setEnabled(false);
    next_Btn->setEnabled(false);
    resetRun();
}

bool practising::practiseWeakKeys()
{
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
