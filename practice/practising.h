#pragma once

#include "app/clock.h"
#include "practice/handview.h"
#include "practice/highlighter.h"
#include "practice/textprep.h"
#include "practice/typingrun.h"

#include <QPointer>
#include <QTime>
#include <QWidget>

class HandView;
class QGridLayout;
class Highlighter;
class KeyBoardMap;
class QLabel;
class QLCDNumber;
class QPushButton;
class QScrollBar;
class QTextBrowser;
class QTimer;

// The typing practice window: the learner types a practice text line by
// line; every keystroke is compared with the expected character and marked,
// speed, accuracy and time are shown, and the finger guide pops up after a
// wrong key. Every stop is evaluated and written to the activity log.
class practising : public QWidget
{
    Q_OBJECT
public:
    practising(bool practise, int first, int last, QWidget *parent);
    ~practising() override;

    QPointer<QWidget> startMenu;     // set by the start menu
    QPointer<QWidget> lessonViewer;  // set by the lesson viewer
    QPointer<QWidget> loginWindow;   // holds the last activity key; set by the start menu

    static int highestLesson;
    static int editorPointSize;
    static bool openedFromLessons;
    static bool guideActive;
    static bool guideVisible;
    static QString practiceKey;

    // Per-finger statistics, slot hand * 5 + finger; they outlive the window.
    using FingerStats = TypingRun::FingerStats;
    static FingerStats fingerStats[10];

    int lessonNumber() const { return lesson; }
    bool isRunning() const { return running; }
    int currentLine() const { return line; }
    int currentColumn() const { return column; }
    const PracticeText::Lines &textLines() const { return lines; }
    Highlighter *highlighter() const { return marks; }
    HandView *fingerGuide() const { return guide; }
    // The evaluation as it would be logged: topic, log1 .. log4.
    QStringList evaluation() const;
    // Handles a key by its set-1 scan code, as a key press does.
    void handleScanCode(unsigned scanCode);

public slots:
    void on_start_Btn__clicked();
    void on_stop_Btn_clicked();
    void on_previous_Btn_clicked();
    void on_next_Btn_clicked();
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
    void createFingerGuide(const QSize &desktop);
    void loadLesson();
    void resetRun();
    void mark(int kind, int atLine, int atColumn);
    int markPosition(int atLine, int atColumn) const;
    bool lastLine() const { return line >= lines.characters.size() - 1; }
    QString keyName(unsigned scanCode) const;
    void fingerFor(const QString &character, int &row, int &columnOut, int &finger, int &hand) const;
    void correctKey(const QString &expected);
    void wrongKey(const QString &expected);
    void advance();
    void moveEditorCursor(int blocks);
    void finishText();
    void evaluate();

    bool practiseMode;
    int first;
    int lesson;
    PracticeText::Lines lines;
    int line = 0, column = 0;
    bool running = false;
    bool closing = false;
    bool pressSeen = false;
    bool savedNextEnabled = false, savedPreviousEnabled = false;
    int elapsedSeconds = 0;
    QTime displayClock;
    Stopwatch keystrokeClock;
    TypingRun run{fingerStats};

    QPointer<Highlighter> marks;
    QPointer<KeyBoardMap> keyMap;
    QPointer<QScrollBar> editorScrollBar;
    QPointer<HandView> guide;
    QTimer *timer = nullptr;

    QLabel *lessonlbl, *lessonnumber;
    QTextBrowser *editor;
    QPushButton *previous_Btn, *stop_Btn, *next_Btn, *start_Btn_;
    QLCDNumber *lcdspeed, *lcdcorrect, *lcdtimer;
};
