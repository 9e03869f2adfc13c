#include "games/gamespacewindow.h"

GamespaceWindow::GamespaceWindow(QStringList letters, QWidget *parent) : QDialog(parent), trainingLetters(letters)
{
    if (disabled)
        return;
}

void GamespaceWindow::keyPressEvent(QKeyEvent *) {}

void GamespaceWindow::keyReleaseEvent(QKeyEvent *) {}
