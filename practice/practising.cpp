#include "practice/practising.h"

#include "app/activitykey.h"
#include "app/messages.h"
#include "app/slotsbyname.h"
#include "keyboard/scancode.h"
#include "practice/fingers.h"
#include "practice/handview.h"
#include "practice/highlighter.h"
#include "store/dbstuff.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTime>
#include <QTimer>

int practising::highestLesson = 33;
int practising::editorPointSize = 30;
bool practising::openedFromLessons = false;
bool practising::guideActive = false;
bool practising::guideVisible = false;
QString practising::practiceKey;
practising::FingerStats practising::fingerStats[10];

namespace {
const QColor textBackground(0xa0, 0xa0, 0xa4);
}

practising::practising(bool practise, int firstLesson, int last, QWidget *parent)
    : QWidget(parent), practiseMode(practise), first(firstLesson), lesson(firstLesson)
{
    buildForm();
    editor->setStyleSheet("QTextEdit { padding-left:10; padding-top:10; padding-bottom:10; padding-right:10}");
    resize(width(), 633);
    running = false;
    openedFromLessons = (firstLesson == last);

    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->geometry().size() : QSize(1024, 768);
    createFingerGuide(desktop);

    for (FingerStats &f : fingerStats)
        f = FingerStats();
    guideActive = false;
    guideVisible = false; // this window's guide starts hidden
    if (last != 0) {
        highestLesson = last;
        if (firstLesson == last)
            next_Btn->setEnabled(false);
    }
    move((desktop.width() - width() - 203) / 2 + 203, (desktop.height() - height()) / 2);
    guideActive = true;
    if (QGuiApplication::layoutDirection() == Qt::RightToLeft) {
        previous_Btn->setIcon(QIcon(":/images/icons/navigate-right-icon.png"));
        next_Btn->setIcon(QIcon(":/images/icons/navigate-left-icon.png"));
    }

    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &practising::timercount);
    QFont font("Courier");
    font.setFixedPitch(true);
    font.setPointSize(editorPointSize);
    editor->setFont(font);
    editor->setFocusPolicy(Qt::NoFocus);
    editor->setStyleSheet(editor->styleSheet() + "QTextBrowser {Background:" + textBackground.name() + "}");

    marks = new Highlighter(editor->document());

    lessonlbl->setText(tr("Practise Lesson number"));
    lessonnumber->setVisible(true);
    loadLesson();
    previous_Btn->setEnabled(false);
    stop_Btn->setEnabled(false);

    editorScrollBar = editor->verticalScrollBar();
    connect(editorScrollBar.data(), &QScrollBar::actionTriggered, this, &practising::EditorSliderActionTriggered);
    connect(editor, &QTextBrowser::cursorPositionChanged, this, &practising::cursorPositionChangedSLOT);
    installEventFilter(this);
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
    SlotsByName::connect(this);
    editor->setFocus();
    emit hideTypingMainFromPractise();
}

practising::~practising()
{
    if (guide)
        delete guide;
}

void practising::createFingerGuide(const QSize &desktop)
{
    const int x = (desktop.width() - (width() + 220)) / 2 - 25;
    const int y = (desktop.height() - height()) / 2;
    guide = new HandView(nullptr, x, y, 220, 240);
    connect(this, &practising::SIGNAL_showhandinpop, guide.data(), &HandView::SLOT_showhandinpop);
    connect(this, &practising::ShowHand, guide.data(), &HandView::Show);
    connect(this, &practising::MoveHand, guide.data(), &HandView::moveit);
    connect(this, &practising::ResizeHand, guide.data(), &HandView::resizeit);
    connect(this, &practising::CloseHand, guide.data(), &HandView::CloseHand);
    connect(guide.data(), &HandView::IGetDestroyed, this, &practising::handwindowcloseevent);
    connect(guide.data(), &HandView::handwindowvisiblestate, this, &practising::UpdateHandWindowVisibleState);
    guide->installEventFilter(this);
    emit MoveHand(x, y);
}

void practising::loadLesson()
{
    PracticeText::Lines lines;
    const QString html = PracticeText::practiceText(lesson, false, lines);
    run.load(lines);
    lessonnumber->setText(QString::number(lesson));
    editor->setHtml(html);
    QFont font = editor->font();
    font.setPointSize(editorPointSize);
    editor->setFont(font);
    if (marks) {
        marks->indexLines();
        marks->clearMarks();
    }
}

void practising::keyPressEvent(QKeyEvent *event)
{
    pressSeen = true;
    if (!running) {
        Messages::information(this, tr("Info"), tr("Press start button to start training"));
        return;
    }
    // X11 sends Shift's own press without the modifier and the chord's key with it.
    handleScanCode(ScanCodes::fromEvent(event), event->modifiers().testFlag(Qt::ShiftModifier));
}

void practising::handleScanCode(unsigned scanCode, bool shift)
{
    if (!running)
        return;
    const TypingRun::Step step = run.press(ScanCodes::keyName(scanCode, shift));
    showMarks();
    showPosition();
    showGuide(step);
    if (step.finished)
        finishText();
}

void practising::showMarks()
{
    for (const TypingRun::Mark &m : run.takeMarks()) {
        if (!marks)
            continue;
        if (m.kind == TypingRun::NoMark)
            marks->removeMark(m.line, m.position);
        else
            marks->addMark(Highlighter::Kind(m.kind), m.line, m.position);
    }
}

// The editor's own cursor only drives the scrolling: it sits on the current
// character, so the current line stays in view on texts of any length.
void practising::showPosition()
{
    if (!marks)
        return;
    const QTextBlock block = editor->document()->findBlockByNumber(marks->blockOf(run.line()));
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + qMin(run.positionOf(run.line(), run.column()), block.length() - 1));
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

void practising::showGuide(const TypingRun::Step &step)
{
    if (step.guide == TypingRun::Guide::Hide && guideVisible)
        emit ShowHand(false);
    if (step.guide != TypingRun::Guide::Show)
        return;
    if (run.count(TypingRun::Wrong) == 1 || guideActive) {
        if (guideActive && !guideVisible)
            emit ShowHand(true);
        emit SIGNAL_showhandinpop(step.hand == Fingers::Right ? 1 : -1, step.finger);
        activateWindow();
        setFocus();
        guideActive = true;
    }
}

void practising::finishText()
{
    on_stop_Btn_clicked();
    const auto answer = Messages::question(this, tr("Info"), tr("Practise lesson finished, do you want to retrain it?"),
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No, runSummary());
    if (answer == QMessageBox::Yes) {
        resetRun();
        on_start_Btn__clicked();
    }
}

// The finished run's figures, shown under the question.
QString practising::runSummary() const
{
    const int seconds = run.seconds();
    const QString time = QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
    const QString figures = tr("%1 correct characters per minute, %2 % correct, time %3.")
                                .arg(run.overallSpeed())
                                .arg(run.percentCorrect())
                                .arg(time);
    const QStringList missed = run.mostMissed(3);
    if (missed.isEmpty())
        return figures;
    return figures + QLatin1Char(' ') + tr("Missed most often: %1").arg(missed.join(QStringLiteral(" ")));
}

// Every reset starts the same run afresh: marks, position, figures and displays.
void practising::resetRun()
{
    run.restart();
    if (marks)
        marks->clearMarks();
    if (editorScrollBar)
        editorScrollBar->setValue(0);
    lcdspeed->display(0);
    lcdcorrect->display(0);
    lcdtimer->display(QStringLiteral("00:00"));
}

void practising::keyReleaseEvent(QKeyEvent *event)
{
    if (pressSeen) {
        pressSeen = false;
        return;
    }
    if (ScanCodes::fromEvent(event) == 57)
        keyPressEvent(event);
}

bool practising::eventFilter(QObject *watched, QEvent *event)
{
    if (closing) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return false;
    }
    if (watched != this && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (event->type() == QEvent::KeyPress)
            keyPressEvent(key);
        else
            keyReleaseEvent(key);
        return true;
    }
    return false;
}

void practising::on_start_Btn__clicked()
{
    savedNextEnabled = next_Btn->isEnabled();
    savedPreviousEnabled = previous_Btn->isEnabled();
    stop_Btn->setEnabled(true);
    start_Btn_->setEnabled(false);
    next_Btn->setEnabled(false);
    previous_Btn->setEnabled(false);
    // A finished text begins again from its first character, as after Yes.
    if (run.isFinished())
        resetRun();
    running = true;
    timer->start(1000);
    // The position carries the current mark: (0, 0) on a fresh run, where
    // the learner stopped on a resumed one (marking (0, 0) there would wipe
    // the first character's result and log a second, different row).
    run.resume();
    showMarks();
    if (editorScrollBar)
        editorScrollBar->setValue(0);
    showPosition();
    editor->setFocus();
}

void practising::on_stop_Btn_clicked()
{
    timer->stop();
    next_Btn->setEnabled(savedNextEnabled);
    previous_Btn->setEnabled(savedPreviousEnabled);
    stop_Btn->setEnabled(false);
    start_Btn_->setEnabled(true);
    running = false;
    guideActive = true;
    run.updatePercentCorrect();
    if (run.count(TypingRun::Correct) + run.count(TypingRun::Wrong) > 0)
        lcdcorrect->display(run.percentCorrect());
    evaluate();
}

void practising::timercount()
{
    const int elapsed = run.seconds();
    const QString minutes = QString("%1").arg(elapsed / 60 % 60, 2, 10, QChar('0'));
    const QString seconds = QString("%1").arg(elapsed % 60, 2, 10, QChar('0'));
    lcdtimer->display(minutes + (QTime::currentTime().second() % 2 == 0 ? ":" : " ") + seconds);
    run.tick();
    if (run.count(TypingRun::Correct) + run.count(TypingRun::Wrong) > 0)
        lcdcorrect->display(run.percentCorrect());
    if (run.speedKnown())
        lcdspeed->display(run.speed());
}

void practising::on_previous_Btn_clicked()
{
    if (lesson > first) {
        --lesson;
        loadLesson();
        next_Btn->setEnabled(true);
        if (lesson == first)
            previous_Btn->setEnabled(false);
    }
    resetRun();
}

void practising::on_next_Btn_clicked()
{
    if (lesson <= highestLesson) {
        ++lesson;
        loadLesson();
        previous_Btn->setEnabled(true);
        PracticeText::Lines unused;
        if (lesson == highestLesson || PracticeText::practiceText(lesson + 1, true, unused).trimmed().isEmpty())
            next_Btn->setEnabled(false);
    }
    resetRun();
}

// What is logged comes from the run itself, never from a display an earlier run left.
void practising::evaluate()
{
    const QStringList log = run.evaluation(lessonnumber->text());
    ActivityKey last(&practiceKey);
    if (!openedFromLessons)
        last.owner = loginWindow.data();
    QString lastKey = last.value();
    dB_Stuff store(this);
    if (store.logActivityOnce(log.join(' '), lastKey, log[0], log[1], log[2], log[3], log[4], log[5], log[6]))
        last.set(lastKey);
}

void practising::closeEvent(QCloseEvent *event)
{
    if (openedFromLessons && lessonViewer)
        lessonViewer->show();
    else if (startMenu)
        startMenu->show();
    else if (loginWindow)
        loginWindow->show(); // the menu closed (and deleted itself) meanwhile
    delete marks;
    removeEventFilter(this);
    editor->removeEventFilter(this);
    editor->viewport()->removeEventFilter(this);
    if (guide)
        guide->removeEventFilter(this);
    timer->stop();
    disconnect(timer, nullptr, this, nullptr);
    running = false;
    if (guideActive) {
        emit CloseHand();
        disconnect(this, nullptr, guide.data(), nullptr);
    } else if (guide) {
        guide->deleteLater();
    }
    closing = true;
    event->accept();
}

void practising::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (size() != QSize(822, 633))
        resize(822, 633);
}

void practising::SetFocusOnMe()
{
    activateWindow();
    raise();
}

// Closed by hand the guide stays in use: its hidden state comes by
// handwindowvisiblestate, and the next mistake shows it again.
void practising::handwindowcloseevent() {}

void practising::UpdateHandWindowVisibleState(bool visible)
{
    guideVisible = visible;
}

void practising::lostfocus() {}
void practising::EditorSliderClick() {}
void practising::EditorSliderActionTriggered(int) {}
void practising::cursorPositionChangedSLOT() {}
