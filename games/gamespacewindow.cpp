#include "games/gamespacewindow.h"

GamespaceWindow::GamespaceWindow(QStringList, QWidget *parent) : QDialog(parent)
{
    if (disabled)
        return;
}

void GamespaceWindow::keyPressEvent(QKeyEvent *) {}

void GamespaceWindow::keyReleaseEvent(QKeyEvent *) {}
