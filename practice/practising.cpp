#include "practice/practising.h"

#include "app/activitykey.h"
#include "app/loginkey.h"
#include "app/messages.h"
#include "app/placement.h"
#include "app/resources.h"
#include "app/slotsbyname.h"
#include "keyboard/scancode.h"
#include "practice/fingers.h"
#include "practice/handview.h"
#include "practice/highlighter.h"
#include "practice/weakkeyplan.h"

#include <QAbstractTextDocumentLayout>
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
#include <QTextFrame>
#include <QTextLayout>
#include <QtMath>
#include <QTime>
#include <QTimer>

namespace {
const QColor textBackground(0xa0, 0xa0, 0xa4);
constexpr unsigned escapeScanCode = 1;
const QSize usualSize(822, 633);
constexpr int guideWidth = 220, guideHeight = 240;
// From the guide's left edge to the window's, as the two were always placed.
constexpr int guideSpan = guideWidth + 16;
// What a window manager adds around a window: borders and a title bar.
const QSize frameAllowance(16, 32);
}

practising::practising(bool practise, int firstLesson, int last, QWidget *parent)
    : QWidget(parent), practiseMode(practise), first(firstLesson), lesson(firstLesson)
{
    buildForm();
    editor->setStyleSheet("QTextEdit { padding-left:10; padding-top:10; padding-bottom:10; padding-right:10}");
    running = false;
    shared.openedFromLessons = (firstLesson == last);

    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    windowSize = fittedSize(area);
    resize(windowSize);
    createFingerGuide(area);

    shared.startWindow(); // this window's guide starts hidden
    if (last != 0) {
        shared.highestLesson = last;
        if (firstLesson == last)
            next_Btn->setEnabled(false);
    }
    placeBesideGuide(area);
    shared.guideActive = true;
    if (QGuiApplication::layoutDirection() == Qt::RightToLeft) {
        previous_Btn->setIcon(Resources::pngIcon(":/images/icons/navigate-right-icon.png"));
        next_Btn->setIcon(Resources::pngIcon(":/images/icons/navigate-left-icon.png"));
    }

    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &practising::timercount);
    QFont font("Courier");
    font.setFixedPitch(true);
    font.setPointSize(shared.editorPointSize);
    editor->setFont(font);
    editor->setFocusPolicy(Qt::NoFocus);
    editor->setStyleSheet(editor->styleSheet() + "QTextBrowser {Background:" + textBackground.name() + "}");

    marks = new Highlighter(editor);

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

// Today's size where the screen has room for it beside the guide, smaller where not.
QSize practising::fittedSize(const QRect &area) const
{
    const QSize room = area.size() - frameAllowance - QSize(guideSpan, 0);
    return usualSize.boundedTo(room).expandedTo(minimumSizeHint());
}

// The guide sits left of the window; the two are moved together into the area.
QPoint practising::guideCorner(const QRect &area) const
{
    const QPoint corner(area.x() + (area.width() - (width() + guideWidth)) / 2 - 25,
                        area.y() + (area.height() - height()) / 2);
    const QRect both(corner, QSize(guideSpan + width(), height()) + frameAllowance);
    return corner + Placement::keptInside(both, area).topLeft() - both.topLeft();
}

void practising::placeBesideGuide(const QRect &area)
{
    move(guideCorner(area) + QPoint(guideSpan, 0));
}

void practising::createFingerGuide(const QRect &area)
{
    const QPoint corner = guideCorner(area);
    const int x = corner.x(), y = corner.y();
    guide = new HandView(nullptr, x, y, guideWidth, guideHeight);
    connect(this, &practising::SIGNAL_showhandinpop, guide.data(), &HandView::SLOT_showhandinpop);
    connect(this, &practising::ShowHand, guide.data(), &HandView::Show);
    connect(this, &practising::showShiftHand, guide.data(), &HandView::showShiftHand);
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
    lessonnumber->setText(QString::number(lesson));
    showText(html, lines);
}

// A prepared text in the editor and in the run, no mark on it yet.
void practising::showText(const QString &html, const PracticeText::Lines &lines)
{
    run.load(lines);
    editor->setHtml(html);
    leaveRoomBelowText();
    QFont font = editor->font();
    font.setPointSize(shared.editorPointSize);
    editor->setFont(font);
    if (marks) {
        marks->indexLines();
        marks->clearMarks();
    }
}

void practising::keyPressEvent(QKeyEvent *event)
{
    // A key held down is one press: its repeats type nothing.
    if (event->isAutoRepeat())
        return;
    pressSeen = true;
    const unsigned scanCode = ScanCodes::fromEvent(event);
    if (!running) {
        const QString key = ScanCodes::keyName(scanCode, false);
        if (key == QLatin1String("Enter") || key == QLatin1String(" "))
            on_start_Btn__clicked(); // both hands stay on the keys
        else
            Messages::information(this, tr("Info"), tr("Press start button to start training"));
        return;
    }
    if (scanCode == escapeScanCode) {
        on_stop_Btn_clicked();
        return;
    }
    // X11 sends Shift's own press without the modifier and the chord's key with it.
    handleScanCode(scanCode, event->modifiers().testFlag(Qt::ShiftModifier));
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

// Keeps the line being typed and the one after it in view, scrolling by
// whole lines: when either would leave the view, the line being typed
// becomes the top one. Lines are those drawn: a long text line wraps.
void practising::showPosition()
{
    if (!marks || !editorScrollBar)
        return;
    const QTextDocument *document = editor->document();
    const QTextBlock block = document->findBlockByNumber(marks->blockOf(run.line()));
    if (!block.isValid())
        return;
    leaveRoomBelowText(); // the view may have grown since
    const int position = qMin(run.positionOf(run.line(), run.column()), block.length() - 1);
    const QRectF current = drawnLine(block, position, 0);
    QRectF next = drawnLine(block, position, 1);
    if (next.isNull())
        next = drawnLine(document->findBlockByNumber(marks->blockOf(run.line() + 1)), 0, 0);
    if (next.isNull())
        next = current;
    const int shown = editorScrollBar->value();
    if (current.top() < shown || next.bottom() > shown + editor->viewport()->height())
        editorScrollBar->setValue(qFloor(current.top()));
}

// The drawn line that shows a position of a block, or the one after it
// (ahead 1), in document coordinates; null when there is none.
QRectF practising::drawnLine(const QTextBlock &block, int position, int ahead) const
{
    if (!block.isValid())
        return QRectF();
    editor->document()->documentLayout()->blockBoundingRect(block); // lays the block out
    const QTextLayout *layout = block.layout();
    const QTextLine line = layout->lineForTextPosition(position);
    if (!line.isValid())
        return QRectF();
    const QTextLine wanted = layout->lineAt(line.lineNumber() + ahead);
    return wanted.isValid() ? wanted.rect().translated(layout->position()) : QRectF();
}

// Room below the last line, so that any line of the text can be the top one.
void practising::leaveRoomBelowText()
{
    QTextFrame *root = editor->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    if (format.bottomMargin() >= editor->viewport()->height())
        return;
    format.setBottomMargin(editor->viewport()->height());
    root->setFrameFormat(format);
}

void practising::showGuide(const TypingRun::Step &step)
{
    if (step.guide == TypingRun::Guide::Hide && shared.guideVisible)
        emit ShowHand(false);
    if (step.guide != TypingRun::Guide::Show)
        return;
    if (run.count(TypingRun::Wrong) == 1 || shared.guideActive) {
        if (shared.guideActive && !shared.guideVisible)
            emit ShowHand(true);
        const int mirror = step.hand == Fingers::Right ? 1 : -1;
        emit SIGNAL_showhandinpop(mirror, step.finger);
        // Shift is typed by the other hand's little finger.
        emit showShiftHand(step.shift ? -mirror : 0);
        activateWindow();
        setFocus();
        shared.guideActive = true;
    }
}

void practising::finishText()
{
    if (testText) {
        endLevelTest(); // the text ran out before the time
        return;
    }
    on_stop_Btn_clicked();
    if (weakText) {
        // the row just logged moves the focus: the next text follows it
        const auto again = Messages::question(this, tr("Info"), tr("Weak-key text finished, do you want another one?"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No, runSummary());
        if (again == QMessageBox::Yes && practiseWeakKeys())
            on_start_Btn__clicked();
        return;
    }
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
    // The Speed display averages the last ring of ticks only: say which figure is which.
    const QString speeds = tr("The speed above is over the whole run; the Speed display shows %1, over the last %2 seconds.")
                               .arg(run.speed())
                               .arg(TypingStats::ringLength);
    QStringList missed = run.mostMissed(3);
    if (missed.isEmpty())
        return figures + QLatin1Char('\n') + speeds;
    for (QString &character : missed)
        if (character == QLatin1String(" "))
            character = tr("space");
    return figures + QLatin1Char('\n') + speeds + QLatin1Char('\n') +
           tr("Missed most often: %1").arg(missed.join(QStringLiteral(" ")));
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
    if (event->isAutoRepeat())
        return;
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
    weak_Btn->setEnabled(false);
    // A finished text begins again from its first character, as after Yes.
    if (run.isFinished())
        resetRun();
    running = true;
    timer->start(1000);
    if (testText)
        resumeLevelTest();
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
    weak_Btn->setEnabled(!testText);
    running = false;
    shared.guideActive = true;
    run.updatePercentCorrect();
    if (run.count(TypingRun::Correct) + run.count(TypingRun::Wrong) > 0)
        lcdcorrect->display(run.percentCorrect());
    if (testText)
        pauseLevelTest(); // a test is logged once, when it ends
    else
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
    if (lesson <= shared.highestLesson) {
        ++lesson;
        loadLesson();
        previous_Btn->setEnabled(true);
        PracticeText::Lines unused;
        if (lesson == shared.highestLesson || PracticeText::practiceText(lesson + 1, true, unused).trimmed().isEmpty())
            next_Btn->setEnabled(false);
    }
    resetRun();
}

// What is logged comes from the run itself, never from a display an earlier run left.
void practising::evaluate()
{
    const QStringList log = run.evaluation(weakText ? WeakKeyPlan::logName() : lessonnumber->text());
    QString &lastKey = shared.openedFromLessons ? shared.practiceKey : LoginKey{loginWindow.data()}.keyOr(shared.practiceKey);
    ActivityKey::logOnce(lastKey, {log.join(' '), log[0], log[1], log[2], log[3], log[4], log[5], log[6]}, this);
}

void practising::closeEvent(QCloseEvent *event)
{
    if (shared.openedFromLessons && lessonViewer)
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
    if (shared.guideActive) {
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
    if (size() != windowSize)
        resize(windowSize);
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
    shared.guideVisible = visible;
}

void practising::lostfocus() {}
void practising::EditorSliderClick() {}
void practising::EditorSliderActionTriggered(int) {}
void practising::cursorPositionChangedSLOT() {}
