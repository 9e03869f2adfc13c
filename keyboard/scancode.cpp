#include "keyboard/scancode.h"

#include "keyboard/keyids.h"

#include <QKeyEvent>

namespace ScanCodes {

unsigned fromLinuxKeycode(unsigned keycode)
{
    if (keycode < 8)
        return 0;
    const unsigned evdev = keycode - 8;
    if (evdev >= 1 && evdev <= 88)
        return evdev; // the evdev numbering follows set 1 up to F12
    switch (evdev) {
    case 96: return 0x11C;  // keypad Enter
    case 97: return 0x11D;  // right Ctrl
    case 98: return 0x135;  // keypad /
    case 99: return 0x137;  // Print Screen
    case 100: return 0x138; // right Alt (AltGr)
    case 102: return 0x147; // Home
    case 103: return 0x148; // Up
    case 104: return 0x149; // Page Up
    case 105: return 0x14B; // Left
    case 106: return 0x14D; // Right
    case 107: return 0x14F; // End
    case 108: return 0x150; // Down
    case 109: return 0x151; // Page Down
    case 110: return 0x152; // Insert
    case 111: return 0x153; // Delete
    case 125: return 0x15B; // left Windows key
    case 126: return 0x15C; // right Windows key
    case 127: return 0x15D; // Menu
    default: return 0;
    }
}

unsigned fromMacVirtualKey(unsigned virtualKey)
{
    // Indexed by kVK_ code 0x00..0x3E; 0 where the key has no set-1 code here.
    static const unsigned short table[] = {
        30, 31, 32, 33, 35, 34, 44, 45, 46, 47, 86, 48, 16, 17, 18, 19,      // 0x00 A S D F H G Z X C V § B Q W E R
        21, 20, 2, 3, 4, 5, 7, 6, 13, 10, 8, 12, 9, 11, 27, 24,               // 0x10 Y T 1 2 3 4 6 5 = 9 7 - 8 0 ] O
        22, 26, 23, 25, 28, 38, 36, 40, 37, 39, 43, 51, 53, 49, 50, 52,       // 0x20 U [ I P Return L J ' K ; \ , / N M .
        15, 57, 41, 14, 0, 1, 0x15C, 0x15B, 42, 58, 56, 29, 54, 0x138, 0x11D, // 0x30 Tab Space ` Delete - Esc Cmd… Ctrl RShift ROpt RCtrl
    };
    if (virtualKey < sizeof(table) / sizeof(table[0]))
        return table[virtualKey];
    switch (virtualKey) {
    case 0x7B: return 0x14B;
    case 0x7C: return 0x14D;
    case 0x7D: return 0x150;
    case 0x7E: return 0x148;
    default: return 0;
    }
}

unsigned fromText(const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (text == QLatin1String(" "))
        return 57;
    if (text == QLatin1String("\r") || text == QLatin1String("\n"))
        return 28;
    for (Keys::Layer layer : {Keys::Layer::Plain, Keys::Layer::Shift})
        for (const QString &id : Keys::characterKeyIds())
            if (Keys::caption(layer, id) == text)
                return Keys::scanCodeForKeyId(id);
    return 0;
}

unsigned fromEvent(const QKeyEvent *event)
{
#if defined(Q_OS_WIN)
    unsigned code = event->nativeScanCode(); // already set 1 with the extended bit
#elif defined(Q_OS_MACOS)
    unsigned code = fromMacVirtualKey(event->nativeVirtualKey());
#else
    unsigned code = fromLinuxKeycode(event->nativeScanCode());
#endif
    return code != 0 ? code : fromText(event->text());
}

QString keyName(unsigned scanCode, bool shift)
{
    if (scanCode == 57)
        return QStringLiteral(" ");
    const QString id = Keys::keyIdForScanCode(scanCode);
    const int row = Keys::rowOf(id);
    if (row < 1 || row > Keys::rowCount || scanCode == 58)
        return id;
    const QString caption = Keys::caption(shift ? Keys::Layer::Shift : Keys::Layer::Plain, id);
    // A key that types nothing on a layer has a blank caption there.
    return caption.trimmed().isEmpty() ? QString() : caption;
}
}
