#include "keyboard/keyids.h"

#include <QCoreApplication>

namespace Keys {

namespace {
// The scan code of every character key, in the order of characterKeyIds().
const unsigned characterScanCodes[characterKeyCount] = {
    41, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,     // R1: the key left of 1, 1 .. =
    16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, // R2: Q .. ]
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 43, // R3: A .. ', the ISO hash key
    86, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53,     // R4: the ISO key left of Z, Z .. /
};
const unsigned spaceScanCode = 57;
}

const QStringList &characterKeyIds()
{
    static const QStringList ids = [] {
        QStringList list;
        for (int row = 1; row <= rowCount; ++row)
            for (int column = 1; column <= rowLength(row); ++column)
                list.append(idFor(row, column));
        return list;
    }();
    return ids;
}

int rowOf(const QString &id)
{
    return id.mid(1, 1).toInt();
}

int columnOf(const QString &id)
{
    return id.mid(3, 2).toInt();
}

QString idFor(int row, int column)
{
    return QStringLiteral("R%1_%2").arg(row).arg(column);
}

QString captionSource(Layer layer, const QString &id)
{
    static const char *const prefixes[] = {"key_", "Shift_", "Ctrl_"};
    return QLatin1String(prefixes[static_cast<int>(layer)]) + id;
}

QString caption(Layer layer, const QString &id)
{
    return QCoreApplication::translate("KeyBoardMap", captionSource(layer, id).toUtf8().constData());
}

QString lessonTextSource(int lesson)
{
    return QStringLiteral("add text of lesson %1 here in the translation file").arg(lesson);
}

QString keysOfInterestSource(int lesson)
{
    const bool oneSpace = lesson == 3 || lesson == 4 || lesson == 5 || lesson == 10 || lesson == 16;
    return QStringLiteral("lesson %1 key of interest. ex:%2R1_3 Shift Ctrl")
        .arg(lesson)
        .arg(oneSpace ? QStringLiteral(" ") : QStringLiteral("  "));
}

QString practiceTextSource(int lesson)
{
    return QStringLiteral("add text of practise lesson %1 here in the translation file").arg(lesson);
}

QString keyIdForScanCode(unsigned scanCode)
{
    for (int i = 0; i < characterKeyCount; ++i)
        if (characterScanCodes[i] == scanCode)
            return characterKeyIds().at(i);
    switch (scanCode) {
    case spaceScanCode: return QStringLiteral("R5_5");
    case 1: return QStringLiteral("ESC");
    case 28: return QStringLiteral("Enter");
    case 29: return QStringLiteral("Ctrl");
    case 42:
    case 54: return QStringLiteral("Shift");
    case 56: return QStringLiteral("ALT");
    case 58: return QStringLiteral("R3_1");
    case 0x148: return QStringLiteral("Arrow Up");
    case 0x14B: return QStringLiteral("Arrow Left");
    case 0x14D: return QStringLiteral("Arrow Right");
    case 0x150: return QStringLiteral("Arrow Down");
    case 0x15B: return QStringLiteral("Start");
    default: return QString();
    }
}

unsigned scanCodeForKeyId(const QString &id)
{
    if (id == QLatin1String("R5_5"))
        return spaceScanCode;
    const int index = characterKeyIds().indexOf(id);
    return index >= 0 ? characterScanCodes[index] : 0;
}

QString keysOfInterestText(int lesson)
{
    return QCoreApplication::translate("Lessons", keysOfInterestSource(lesson).toUtf8().constData());
}
}
