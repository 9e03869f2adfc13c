#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QLabel;

// Chooses the letters of a typing game: a lesson's key group from the
// drop-down or single keys clicked on the keyboard. Every instance also
// carries the tables from scan code to key identifier and caption that the
// practice window and the games read; one built with 0 has only those.
class KeyBoardMap : public QDialog
{
    Q_OBJECT
public:
    KeyBoardMap(int build, QWidget *parent);

    QList<int> scanCodes;
    QStringList keyCaptions;
    QStringList keyIds;

    void setGameType(int type);
    int gameType() const;
    QStringList selection() const { return selected; }

    QString keyIdForScanCode(unsigned scanCode, double keyCode = 0) const;
    // With shifted, a character key yields its Shift-layer caption.
    QString keyTextForScanCode(unsigned scanCode, double keyCode = 0, bool shifted = false) const;

signals:
    void ExitKbMap(bool NoSelection, QStringList Selection, int GameType);

private slots:
    void on_PushButton_Shift_released();
    void on_PushButton_Shift_pressed();
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
    void on_PushButton_R2_1_clicked();
    void on_StartButton_clicked();
    void on_lessonkeyofinterst_currentIndexChanged(int index);

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTables();
    void buildWidgets();
    void fillKeyGroups();
    void selectKey(int row, int column, int flag);
    void showSelection();

    int selectedGameType = 0;
    bool startPressed = false;
    QStringList selected;
    QComboBox *groups = nullptr;
    QLabel *letters = nullptr;
};
