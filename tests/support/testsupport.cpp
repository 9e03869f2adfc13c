#include "tests/support/testsupport.h"

#include "app/fonts.h"
#include "app/translate.h"

#include <QKeyEvent>

MessageRecorder::MessageRecorder()
{
    previous = Messages::setHandler([this](const Messages::Message &m) {
        messages.append(m);
        return replies.isEmpty() ? (m.kind == Messages::Kind::Question ? QMessageBox::No
                                                                      : QMessageBox::Ok)
                                 : replies.takeFirst();
    });
}

MessageRecorder::~MessageRecorder()
{
    Messages::setHandler(previous);
}

namespace TestSupport {

void initApplication()
{
    initCore();
    Fonts::registerSubstitutions();
    // A test never blocks on a dialog, even one it did not expect.
    Messages::setHandler([](const Messages::Message &m) {
        qWarning("unexpected message box: %s / %s", qPrintable(m.title), qPrintable(m.text));
        return m.kind == Messages::Kind::Question ? QMessageBox::No : QMessageBox::Ok;
    });
}

unsigned x11KeycodeForScanCode(unsigned scanCode)
{
    // X.Org keycodes of a PC keyboard, written out independently of the platform layer.
    switch (scanCode) {
    case 0x148: return 111; // Up
    case 0x14B: return 113; // Left
    case 0x14D: return 114; // Right
    case 0x150: return 116; // Down
    case 0x15B: return 133; // Super_L
    case 0x11D: return 105; // Control_R
    case 0x138: return 108; // Alt_R
    default: return scanCode >= 1 && scanCode <= 88 ? scanCode + 8 : 0;
    }
}

static void send(QWidget *target, QEvent::Type type, unsigned keycode, const QString &text,
                 Qt::KeyboardModifiers modifiers, bool autoRepeat = false)
{
    // X11's state mask: ShiftMask is bit 0.
    const quint32 state = modifiers & Qt::ShiftModifier ? 1 : 0;
    QKeyEvent event(type, Qt::Key_unknown, modifiers, keycode, 0, state, text, autoRepeat);
    QCoreApplication::sendEvent(target, &event);
}

void typeShiftedX11(QWidget *target, unsigned keycode)
{
    constexpr unsigned leftShift = 50; // evdev 42 + 8
    QKeyEvent shiftDown(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, leftShift, 0xffe1, 0);
    QCoreApplication::sendEvent(target, &shiftDown);
    typeX11(target, keycode, QString(), Qt::ShiftModifier);
    QKeyEvent shiftUp(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, leftShift, 0xffe1, 1);
    QCoreApplication::sendEvent(target, &shiftUp);
}

void pressX11(QWidget *target, unsigned keycode, const QString &text)
{
    send(target, QEvent::KeyPress, keycode, text, Qt::NoModifier);
}

void releaseX11(QWidget *target, unsigned keycode, const QString &text)
{
    send(target, QEvent::KeyRelease, keycode, text, Qt::NoModifier);
}

void typeX11(QWidget *target, unsigned keycode, const QString &text, Qt::KeyboardModifiers modifiers)
{
    send(target, QEvent::KeyPress, keycode, text, modifiers);
    send(target, QEvent::KeyRelease, keycode, text, modifiers);
}

void holdX11(QWidget *target, unsigned keycode, int repeats, const QString &text)
{
    send(target, QEvent::KeyPress, keycode, text, Qt::NoModifier);
    for (int n = 0; n < repeats; ++n) {
        send(target, QEvent::KeyRelease, keycode, text, Qt::NoModifier, true);
        send(target, QEvent::KeyPress, keycode, text, Qt::NoModifier, true);
    }
    send(target, QEvent::KeyRelease, keycode, text, Qt::NoModifier);
}
}
