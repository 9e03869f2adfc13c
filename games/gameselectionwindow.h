#pragma once

#include "keyboard/keyboardmap.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

class KeyBoardMap;
class QCheckBox;

// A small frameless chooser in two modes: the games page (0) picks a game,
// lets the learner choose its letters and runs it; the configuration page
// (2) holds the per-user option.
class GameSelectionWindow : public QDialog
{
    Q_OBJECT
public:
    GameSelectionWindow(int x, int y, int mode, QWidget *parent);
    int selection() const { return selectionCode; }
    KeyBoardMap *keyDialog() const { return keyMap; }

signals:
    void SendGameSelectionBackToTypingMain(int x, QStringList trainingletters);
    void hideTypingMain();
    void showTypingmain();

public slots:
    void onclick_button1();
    void onclick_button2();
    void OnUpdateCheck_config(int newstate);
    void ReturnFrKbMap(bool NoSel, QStringList st, int GameType);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildGamesPage();
    void buildConfigurationPage();
    void chooseGame(int code);
    QPainterPath outline() const;

    bool dragging = false;
    qint32 dragX = 0, dragY = 0;
    qint32 selectionCode = 0;
    QPointer<KeyBoardMap> keyMap;
    qint32 mode;
};
