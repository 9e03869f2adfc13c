#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class GameSelectionWindow;
class QPushButton;
class practising;

// The start menu: a strip of big icon buttons at the top-left corner, one
// per module. Closing it shows the login window again.
class HarforaMain : public QWidget
{
    Q_OBJECT
public:
    explicit HarforaMain(QWidget *parent);
    QPointer<QWidget> loginWindow; // the login window, shown again on close
    qint32 gameSelection = 0;
    // Asks how many minutes the level test takes (0: not now); tests answer instead of a dialog.
    std::function<int(QWidget *)> chooseTestMinutes;

public slots:
    void From_Game_Show_GetSelection(int x, QStringList trainingletters);
    void hideme();
    void showme();

private slots:
    void on_lessons_clicked();
    void on_training_clicked();
    void on_games_clicked();
    void on_testings_clicked();
    void on_report_clicked();
    void on_settings_clicked();
    void practiseWeakKeys();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QPoint chooserPosition(const QPushButton *button, int offset) const;
    practising *openPractice();
    bool raiseChooser();
    void closeChooser();

    // The lesson or practice window this menu opened, while it is open: one click, one window.
    QPointer<QWidget> handedOverTo;
    QPointer<GameSelectionWindow> chooser; // the games page, while open
    QPointer<QWidget> reports; // the Reports window, while it is open
};
