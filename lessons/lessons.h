#pragma once

#include "app/loginkey.h"
#include "app/clock.h"
#include "lessons/lessonstate.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPointer>
#include <QWidget>

class GamespaceWindow;
class QGraphicsScene;
class QGraphicsView;
class QGridLayout;
class QLabel;
class QPushButton;
class QTextBrowser;

// The lesson viewer: one lesson's text beside the on-screen keyboard with
// the lesson's keys coloured by finger. Reading a lesson (scrolling to 80 %)
// is written to the activity log when the learner leaves it.
class Lessons : public QWidget
{
    Q_OBJECT
public:
    explicit Lessons(QWidget *parent = nullptr);

    QPointer<QWidget> callerWindow; // the start menu, shown again on close
    LoginKey activityKey;            // owner: the login window

    static QString keyOfInterestText(int lesson);
    void logLessonVisit();
    QString interestCaptions() const { return captions; }
    QString readSeconds() const { return secondsRead; }

private slots:
    void SetKeyBoardLayoutCaption(int addkey);
    void ClearKeyBoardLayoutColors();
    void SetInterestKeyColor(QString interestkeys);
    void onVerticalScrollBarValueChanged();
    void on_PushButton_Shift_released();
    void on_PushButton_Shift_pressed();
    void on_PushButton_CTRL_released();
    void on_PushButton_CTRL_pressed();
    QString loadlessontext(int lessonnumber, int mode);
    void on_previous_Btn_clicked();
    void on_next_Btn_clicked();
    void on_PushButton_R1_1_pressed();
    void on_PushButton_R1_1_released();
    void on_PushButton_R1_2_pressed();
    void on_PushButton_R1_2_released();
    void on_PushButton_R1_3_pressed();
    void on_PushButton_R1_3_released();
    void on_PushButton_R1_4_pressed();
    void on_PushButton_R1_4_released();
    void on_PushButton_R1_5_pressed();
    void on_PushButton_R1_5_released();
    void on_PushButton_R1_6_pressed();
    void on_PushButton_R1_6_released();
    void on_PushButton_R1_7_pressed();
    void on_PushButton_R1_7_released();
    void on_PushButton_R1_8_pressed();
    void on_PushButton_R1_8_released();
    void on_PushButton_R1_9_pressed();
    void on_PushButton_R1_9_released();
    void on_PushButton_R1_10_pressed();
    void on_PushButton_R1_10_released();
    void on_PushButton_R1_11_pressed();
    void on_PushButton_R1_11_released();
    void on_PushButton_R1_12_pressed();
    void on_PushButton_R1_12_released();
    void on_PushButton_R1_13_pressed();
    void on_PushButton_R1_13_released();
    void on_PushButton_R2_1_pressed();
    void on_PushButton_R2_1_released();
    void on_PushButton_R2_2_pressed();
    void on_PushButton_R2_2_released();
    void on_PushButton_R2_3_pressed();
    void on_PushButton_R2_3_released();
    void on_PushButton_R2_4_pressed();
    void on_PushButton_R2_4_released();
    void on_PushButton_R2_5_pressed();
    void on_PushButton_R2_5_released();
    void on_PushButton_R2_6_pressed();
    void on_PushButton_R2_6_released();
    void on_PushButton_R2_7_pressed();
    void on_PushButton_R2_7_released();
    void on_PushButton_R2_8_pressed();
    void on_PushButton_R2_8_released();
    void on_PushButton_R2_9_pressed();
    void on_PushButton_R2_9_released();
    void on_PushButton_R2_10_pressed();
    void on_PushButton_R2_10_released();
    void on_PushButton_R2_11_pressed();
    void on_PushButton_R2_11_released();
    void on_PushButton_R2_12_pressed();
    void on_PushButton_R2_12_released();
    void on_PushButton_R3_1_pressed();
    void on_PushButton_R3_1_released();
    void on_PushButton_R3_2_pressed();
    void on_PushButton_R3_2_released();
    void on_PushButton_R3_3_pressed();
    void on_PushButton_R3_3_released();
    void on_PushButton_R3_4_pressed();
    void on_PushButton_R3_4_released();
    void on_PushButton_R3_5_pressed();
    void on_PushButton_R3_5_released();
    void on_PushButton_R3_6_pressed();
    void on_PushButton_R3_6_released();
    void on_PushButton_R3_7_pressed();
    void on_PushButton_R3_7_released();
    void on_PushButton_R3_8_pressed();
    void on_PushButton_R3_8_released();
    void on_PushButton_R3_9_pressed();
    void on_PushButton_R3_9_released();
    void on_PushButton_R3_10_pressed();
    void on_PushButton_R3_10_released();
    void on_PushButton_R3_11_pressed();
    void on_PushButton_R3_11_released();
    void on_PushButton_R3_12_pressed();
    void on_PushButton_R3_12_released();
    void on_PushButton_R4_1_pressed();
    void on_PushButton_R4_1_released();
    void on_PushButton_R4_2_pressed();
    void on_PushButton_R4_2_released();
    void on_PushButton_R4_3_pressed();
    void on_PushButton_R4_3_released();
    void on_PushButton_R4_4_pressed();
    void on_PushButton_R4_4_released();
    void on_PushButton_R4_5_pressed();
    void on_PushButton_R4_5_released();
    void on_PushButton_R4_6_pressed();
    void on_PushButton_R4_6_released();
    void on_PushButton_R4_7_pressed();
    void on_PushButton_R4_7_released();
    void on_PushButton_R4_8_pressed();
    void on_PushButton_R4_8_released();
    void on_PushButton_R4_9_pressed();
    void on_PushButton_R4_9_released();
    void on_PushButton_R4_10_pressed();
    void on_PushButton_R4_10_released();
    void on_PushButton_R4_11_pressed();
    void on_PushButton_R4_11_released();
    void on_Space_pressed();
    void on_Space_released();
    void on_PushButton_Ctrl_pressed();
    void on_PushButton_Ctrl_released();
    void on_pushButton_clicked();
    void on_pushButton_4_clicked();
    void draw_hand();
    void draw_fingers(int row, int keynumber, int drawcircle);
    void draw_image(QString path, int mirror, int fingernumber);
    void timer_slot();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildForm();
    QGridLayout *buildButtons();
    void showLesson();
    void showTaughtLayer();
    bool colourShiftedKey(const QString &token);

    QTextBrowser *textBrowser;
    QLabel *lessonnumber;
    QPushButton *previous_Btn, *next_Btn;
    QGraphicsView *view;
    QPointer<QGraphicsView> handView;
    QPointer<QGraphicsScene> handScene;
    QPointer<GamespaceWindow> gameWindow;
    bool read = false;
    Stopwatch readClock;
    QString secondsRead;
    QString captions;
    LessonState &state = LessonState::current();
};
