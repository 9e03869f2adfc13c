#include "games/gamespacewindow.h"

#include "app/screenfit.h"
#include "keyboard/scancode.h"

GamespaceWindow::GamespaceWindow(QStringList letters, QWidget *parent) : QDialog(parent), trainingLetters(letters)
{
    ScreenFit::install(this);
    if (disabled)
        return;
}

// Typing does nothing in the switched-off game; Escape still closes it, as
// it closes any dialog.
void GamespaceWindow::keyPressEvent(QKeyEvent *event)
{
    constexpr unsigned escape = 1;
    if (ScanCodes::fromEvent(event) == escape)
        close();
}

void GamespaceWindow::keyReleaseEvent(QKeyEvent *) {}
