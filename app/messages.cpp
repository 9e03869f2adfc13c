#include "app/messages.h"

namespace Messages {
namespace {
Handler currentHandler;

QMessageBox::StandardButton show(QWidget *parent, const Message &message,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    if (currentHandler)
        return currentHandler(message);
    const QMessageBox::Icon icon = message.kind == Kind::Warning       ? QMessageBox::Warning
                                   : message.kind == Kind::Information ? QMessageBox::Information
                                                                       : QMessageBox::Question;
    QMessageBox box(icon, message.title, message.text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setInformativeText(message.informative);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
}

Handler setHandler(Handler handler)
{
    Handler previous = currentHandler;
    currentHandler = std::move(handler);
    return previous;
}

void warning(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, {Kind::Warning, title, text, QString()}, QMessageBox::Ok, QMessageBox::Ok);
}

void information(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, {Kind::Information, title, text, QString()}, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton, const QString &informative)
{
    return show(parent, {Kind::Question, title, text, informative}, buttons, defaultButton);
}
}
