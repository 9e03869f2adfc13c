#pragma once

#include "app/messages.h"
#include "tests/support/coresupport.h"

#include <QList>
#include <QString>
#include <QtTest>

// Records every message box instead of showing it; answers questions with
// the queued replies (No when none is queued).
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    QList<Messages::Message> messages;
    QList<QMessageBox::StandardButton> replies;
    QStringList texts() const { return textsOf(messages); }
    void clear() { messages.clear(); }
    bool contains(const QString &text) const { return texts().contains(text); }

private:
    Messages::Handler previous;
};

#include <QApplication>
#include <QHash>
#include <QTranslator>

// The top-level windows of class T: the visible ones, or all of them.
template <class T> QList<T *> shownWindows(bool visibleOnly = true)
{
    QList<T *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && (t->isVisible() || !visibleOnly))
            found.append(t);
    return found;
}

// Installed on top of the active catalogue: answers the texts it holds,
// leaves everything else to the catalogue below.
class OverrideTranslator : public QTranslator
{
public:
    OverrideTranslator() { QCoreApplication::installTranslator(this); }
    ~OverrideTranslator() override { QCoreApplication::removeTranslator(this); }
    void set(const QString &context, const QString &source, const QString &translation)
    {
        texts.insert(context + '\x1f' + source, translation);
    }
    QString translate(const char *context, const char *source, const char * = nullptr, int = -1) const override
    {
        return texts.value(QString::fromUtf8(context) + '\x1f' + QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }

private:
    QHash<QString, QString> texts;
};

namespace TestSupport {
// initCore() and the fonts, for the tests of windows.
void initApplication();
// Sends a key press and release carrying an X11 keycode (evdev + 8) the way
// the xcb platform delivers it.
void typeX11(QWidget *target, unsigned keycode, const QString &text = QString(),
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Shift held down (left Shift), the key typed with the Shift state, Shift let go.
void typeShiftedX11(QWidget *target, unsigned keycode);
void pressX11(QWidget *target, unsigned keycode, const QString &text = QString());
void releaseX11(QWidget *target, unsigned keycode, const QString &text = QString());
// A key held down: its press, then the auto-repeated release and press pairs
// X11 sends while the key stays down, then its release.
void holdX11(QWidget *target, unsigned keycode, int repeats, const QString &text = QString());
// X11 keycode of a set-1 scan code (inverse of the platform layer, for tests).
unsigned x11KeycodeForScanCode(unsigned scanCode);
}

#define HARFORA_TEST_MAIN(TestObject) HARFORA_TEST_MAIN_OF(translate, initApplication, TestObject)
