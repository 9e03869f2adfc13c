#pragma once

#include <QDialog>
#include <QStringList>

// The space game opened from the lesson viewer. The game is switched off:
// the window is an empty dialog that ignores its keys and only keeps the
// letters it was given. Escape closes it.
class GamespaceWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr bool disabled = true;
    GamespaceWindow(QStringList letters, QWidget *parent);
    const QStringList &letters() const { return trainingLetters; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QStringList trainingLetters;
};
