#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

// Every message box of the program goes through here, so tests can record
// the messages instead of blocking on a modal dialog.
namespace Messages {

enum class Kind { Warning, Information, Question };

struct Message {
    Kind kind;
    QString title;
    QString text;
    QString informative; // shown under the text
};

// Answers a message instead of showing it; returns the button "pressed".
using Handler = std::function<QMessageBox::StandardButton(const Message &)>;

// Installs a handler (an empty one restores real message boxes); returns the previous one.
Handler setHandler(Handler handler);

void warning(QWidget *parent, const QString &title, const QString &text);
void information(QWidget *parent, const QString &title, const QString &text);
QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton,
                                     const QString &informative = QString());
}
