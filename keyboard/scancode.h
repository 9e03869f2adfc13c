#pragma once

#include <QString>

class QKeyEvent;

// The one place that reads native key codes: every typed key is turned into
// the PC set-1 scan code (extended keys + 0x100) the rest of the program uses.
namespace ScanCodes {

// X11 and Wayland report the Linux evdev code + 8.
unsigned fromLinuxKeycode(unsigned keycode);
// macOS virtual key codes (kVK_*).
unsigned fromMacVirtualKey(unsigned virtualKey);
// Reverse look-up of a typed text among the active layout's captions, for
// platforms (remote desktops) that deliver no native code.
unsigned fromText(const QString &text);
// The scan code of a key event on the running platform.
unsigned fromEvent(const QKeyEvent *event);
// What a key types in practice: a character key gives its caption in the
// active catalogue, of the Shift layer while Shift is held ("" where that
// layer is blank); the space bar " "; named keys and Caps Lock their
// identifier ("Shift", "Enter", "R3_1", ...); any other key "".
QString keyName(unsigned scanCode, bool shift);
}
