#pragma once

#include "practice/handview.h"
#include "practice/highlighter.h"
#include "practice/practicesession.h"
#include "practice/textprep.h"
#include "practice/typingrun.h"

#include <QPointer>
#include <QRectF>
#include <QWidget>

class ClockTimer;
class HandView;
class QGridLayout;
class Highlighter;
class QLabel;
class QLCDNumber;
class QPushButton;
class QScrollBar;
class QTextBlock;
class QTextBrowser;
class QTimer;

// The typing practice window: shows the practice text and what TypingRun
// marks in it, the speed, accuracy and time, and the finger guide after a
// wrong key; it feeds the run the typed keys and the clock's ticks, and
// writes every stop's evaluation to the activity log.
class practising : public QWidget
{
    Q_OBJECT
public:
    practising(bool practise, int first, int last, QWidget *parent);
    ~practising() override;

    QPointer<QWidget> startMenu;     // set by the start menu
    QPointer<QWidget> lessonViewer;  // set by the lesson viewer
    QPointer<QWidget> loginWindow;   // holds the last activity key; set by the start menu

    int lessonNumber() const { return lesson; }
    bool isRunning() const { return running; }
    int currentLine() const { return run.line(); }
    int currentColumn() const { return run.column(); }
    const PracticeText::Lines &textLines() const { return run.lines(); }
    Highlighter *highlighter() const { return marks; }
    HandView *fingerGuide() const { return guide; }
    QTextBrowser *textView() const { return editor; }
    // The learner's weak keys as a text of its own, from their recorded
    // keystrokes; false (the learner told why) when there is nothing to go by.
    bool practiseWeakKeys();
    bool isWeakKeyText() const { return weakText; }
    // A level test of so many minutes on a text the learner has not taken
    // yet; it begins with Start and ends when the time is up.
    bool startLevelTest(int minutes);
    // The level test's text number, 0 while no test is on.
    int levelTestText() const { return testText; }
    // Handles a key by its set-1 scan code, with or without Shift held, as a key press does.
    void handleScanCode(unsigned scanCode, bool shift = false);

public slots:
    void on_start_Btn__clicked();
    void on_stop_Btn_clicked();
    void on_previous_Btn_clicked();
    void on_next_Btn_clicked();
    void on_weak_Btn_clicked();
    void timercount();
    void SetFocusOnMe();
    void handwindowcloseevent();
    void UpdateHandWindowVisibleState(bool visible);
    void lostfocus();
    void EditorSliderClick();
    void EditorSliderActionTriggered(int action);
    void cursorPositionChangedSLOT();

signals:
    void SIGNAL_showhandinpop(int mirror, int finger);
    // The hand that holds Shift for the character, by its mirror; 0: none.
    void showShiftHand(int mirror);
    void ShowHand(bool show);
    void MoveHand(int x, int y);
    void ResizeHand(int w, int h);
    void CloseHand();
    void hideTypingMainFromPractise();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildForm();
    void buildControls(QGridLayout *grid);
    QSize fittedSize(const QRect &area) const;
    QPoint guideCorner(const QRect &area) const;
    void placeBesideGuide(const QRect &area);
    void createFingerGuide(const QRect &area);
    void loadLesson();
    void showText(const QString &html, const PracticeText::Lines &lines);
    void loadWeakText(const QStringList &lines);
    void resumeLevelTest();
    void pauseLevelTest();
    void endLevelTest();
    void showLessonAfterTest(int next);
    void resetRun();
    void showMarks();
    void showPosition();
    QRectF drawnLine(const QTextBlock &block, int position, int ahead) const;
    void leaveRoomBelowText();
    void showGuide(const TypingRun::Step &step);
    void showFigures();
    void finishText();
    QString runSummary() const;
    void evaluate();

    bool practiseMode;
    int first;
    int lesson;
    bool running = false;
    bool weakText = false; // a weak-key text in place of a lesson's
    int testText = 0, testMinutes = 0; // the level test on, if any
    qint64 testLeftMs = 0;
    Stopwatch testWatch;       // since the test was last started or resumed
    ClockTimer *testEnd = nullptr;
    bool closing = false;
    bool pressSeen = false;
    bool savedNextEnabled = false, savedPreviousEnabled = false;
    QSize windowSize; // kept by every resize
    PracticeSession &shared = PracticeSession::current();
    TypingRun run{shared.fingerStats};

    QPointer<Highlighter> marks;
    QPointer<QScrollBar> editorScrollBar;
    QPointer<HandView> guide;
    QTimer *timer = nullptr;

    QLabel *lessonlbl, *lessonnumber;
    QTextBrowser *editor;
    QPushButton *previous_Btn, *stop_Btn, *next_Btn, *start_Btn_, *weak_Btn;
    QLCDNumber *lcdspeed, *lcdcorrect, *lcdtimer;
};
