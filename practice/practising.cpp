#include "practice/practising.h"

#include "app/activitykey.h"
#include "app/messages.h"
#include "app/slotsbyname.h"
#include "keyboard/keyboardmap.h"
#include "keyboard/keyids.h"
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
    line = column = 0;
    guideActive = false;
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

    keyMap = new KeyBoardMap(0, nullptr);
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
    delete keyMap;
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
    lines = PracticeText::Lines();
    const QString html = PracticeText::practiceText(lesson, false, lines);
    lessonnumber->setText(QString::number(lesson));
    editor->setHtml(html);
    QFont font = editor->font();
    font.setPointSize(editorPointSize);
    editor->setFont(font);
    if (marks)
        marks->indexLines();
}

QString practising::keyName(unsigned scanCode) const
{
    if (scanCode == 57)
        return QStringLiteral(" ");
    // Named keys by their identifier (Caps Lock keeps "R3_1"), character keys by their caption.
    const QString id = Keys::keyIdForScanCode(scanCode);
    const int row = Keys::rowOf(id);
    if (row < 1 || row > Keys::rowCount || scanCode == 58)
        return id;
    if (scanCode > 53 || !keyMap)
        return QString();
    return keyMap->keyCaptions.value(int(scanCode));
}

int practising::markPosition(int atLine, int atColumn) const
{
    return lines.kinds.value(atLine) == PracticeText::Spaced ? 2 * atColumn : atColumn;
}

void practising::mark(int kind, int atLine, int atColumn)
{
    if (marks)
        marks->addMark(Highlighter::Kind(kind), atLine, markPosition(atLine, atColumn));
}

void practising::moveEditorCursor(int blocks)
{
    QTextCursor cursor = editor->textCursor();
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, blocks);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

void practising::keyPressEvent(QKeyEvent *event)
{
    pressSeen = true;
    if (!running) {
        Messages::information(this, tr("Info"), tr("Press start button to start training"));
        return;
    }
    handleScanCode(ScanCodes::fromEvent(event));
}

void practising::handleScanCode(unsigned scanCode)
{
    // Nothing to type, or the text is already done: no line is read past its end.
    if (!running || line < 0 || line >= lines.characters.size())
        return;
    const QStringList &characters = lines.characters[line];
    if (column >= characters.size() && lastLine())
        return;
    const QString name = keyName(scanCode);
    const QString expected = characters.value(column);
    editor->ensureCursorVisible();

    if (name == "Enter") {
        if (!lastLine()) {
            if (marks)
                marks->removeMark(line, markPosition(line, column));
            ++line;
            column = 0;
            mark(Highlighter::Current, line, 0);
        }
        moveEditorCursor(2);
        return;
    }
    if (!expected.isEmpty() && name == expected)
        correctKey(expected);
    else
        wrongKey(expected);
    advance();
}

void practising::fingerFor(const QString &character, int &row, int &columnOut, int &finger, int &hand) const
{
    const int index = keyMap ? keyMap->keyCaptions.indexOf(character) : -1;
    const QString id = index >= 0 ? keyMap->keyIds.value(index) : QString();
    row = Keys::rowOf(id);
    columnOut = Keys::columnOf(id);
    Fingers::assign(row, columnOut, finger, hand);
}

void practising::correctKey(const QString &expected)
{
    mark(Highlighter::Correct, line, column);
    if (!lastLine()) {
        QTextCursor cursor = editor->textCursor();
        cursor.movePosition(QTextCursor::NextCharacter);
        editor->setTextCursor(cursor);
    }
    int row = 0, keyColumn = 0, finger = 0, hand = 0;
    fingerFor(expected, row, keyColumn, finger, hand);
    if (run.correctKey(row, keyColumn, finger, hand, expected == QLatin1String(" "), keystrokeClock.elapsed()))
        keystrokeClock.restart();
    if (guideVisible)
        emit ShowHand(false);
}

void practising::wrongKey(const QString &expected)
{
    mark(Highlighter::Wrong, line, column);
    int row = 0, keyColumn = 0, finger = 0, hand = 0;
    fingerFor(expected, row, keyColumn, finger, hand);
    run.wrongKey(finger, hand);
    if ((marks && marks->count(Highlighter::Wrong) == 1) || guideActive) {
        if (guideActive && !guideVisible)
            emit ShowHand(true);
        emit SIGNAL_showhandinpop(hand == Fingers::Right ? 1 : -1, finger);
        activateWindow();
        setFocus();
        guideActive = true;
    }
}

void practising::advance()
{
    ++column;
    if (!lastLine()) {
        if (column >= lines.characters[line].size()) {
            moveEditorCursor(2);
            column = 0;
            ++line;
        }
    } else {
        if (editorScrollBar)
            editorScrollBar->setValue(editorScrollBar->maximum());
        if (column >= lines.characters[line].size()) {
            finishText();
            return;
        }
    }
    mark(Highlighter::Current, line, column);
}

void practising::finishText()
{
    on_stop_Btn_clicked();
    const auto answer = Messages::question(this, tr("Info"), tr("Practise lesson finished, do you want to retrain it?"),
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        resetRun();
        on_start_Btn__clicked();
        mark(Highlighter::Current, 0, 0);
    } else {
        mark(Highlighter::Current, line, column);
    }
}

void practising::resetRun()
{
    if (marks)
        marks->clearMarks();
    if (editorScrollBar)
        editorScrollBar->setValue(0);
    line = column = 0;
    run.resetRing();
    elapsedSeconds = 0;
    displayClock = QTime(0, 0);
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
    running = true;
    timer->start(1000);
    displayClock = QTime(0, 0).addSecs(elapsedSeconds);
    keystrokeClock.restart();
    // The position carries the current mark: (0, 0) on a fresh run, where
    // the learner stopped on a resumed one (marking (0, 0) there would wipe
    // the first character's result and log a second, different row).
    mark(Highlighter::Current, line, column);
    if (editorScrollBar)
        editorScrollBar->setValue(0);
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
    evaluate();
}

void practising::timercount()
{
    displayClock = QTime(0, 0).addSecs(elapsedSeconds);
    const QString minutes = QString("%1").arg(elapsedSeconds / 60 % 60, 2, 10, QChar('0'));
    const QString seconds = QString("%1").arg(elapsedSeconds % 60, 2, 10, QChar('0'));
    lcdtimer->display(minutes + (QTime::currentTime().second() % 2 == 0 ? ":" : " ") + seconds);

    const int correct = marks ? marks->count(Highlighter::Correct) : 0;
    const int total = correct + (marks ? marks->count(Highlighter::Wrong) : 0);
    if (total > 0) {
        lcdcorrect->display(correct * 100 / total);
        const int speed = run.tick(correct);
        if (speed >= 0)
            lcdspeed->display(speed);
    }
    ++elapsedSeconds;
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

QStringList practising::evaluation() const
{
    const int wrong = marks ? marks->count(Highlighter::Wrong) : 0;
    const int current = marks ? marks->count(Highlighter::Current) : 0;
    int characters = 0;
    for (const QStringList &l : lines.characters)
        characters += l.size();
    const QString log2 = TypingRun::timing(elapsedSeconds, lcdspeed->intValue(), lcdcorrect->intValue(), wrong,
                                           current, lines.characters.size(), characters);
    return {QStringLiteral("Practise"), lessonnumber->text(), log2, run.keyIntervals(), run.fingerFigures()};
}

void practising::evaluate()
{
    const QStringList log = evaluation();
    ActivityKey last(&practiceKey);
    if (!openedFromLessons)
        last.owner = loginWindow.data();
    QString lastKey = last.value();
    dB_Stuff store(this);
    if (store.logActivityOnce(log.join(' '), lastKey, log[0], log[1], log[2], log[3], log[4]))
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
    delete keyMap;
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

void practising::handwindowcloseevent()
{
    guideActive = false;
}

void practising::UpdateHandWindowVisibleState(bool visible)
{
    guideVisible = visible;
}

void practising::lostfocus() {}
void practising::EditorSliderClick() {}
void practising::EditorSliderActionTriggered(int) {}
void practising::cursorPositionChangedSLOT() {}
