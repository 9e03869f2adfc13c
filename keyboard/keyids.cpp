#include "keyboard/keyids.h"

#include <QCoreApplication>

namespace Keys {

int rowLength(int row)
{
    static const int lengths[] = {13, 12, 12, 11};
    return row >= 1 && row <= rowCount ? lengths[row - 1] : 0;
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
        .arg(oneSpace ? " " : "  ");
}

QString practiceTextSource(int lesson)
{
    return QStringLiteral("add text of practise lesson %1 here in the translation file").arg(lesson);
}

QString keyIdForScanCode(unsigned scanCode)
{
    if (scanCode == 41)
        return "R1_1";
    if (scanCode >= 2 && scanCode <= 13)
        return idFor(1, scanCode);
    if (scanCode >= 16 && scanCode <= 27)
        return idFor(2, scanCode - 15);
    if (scanCode >= 30 && scanCode <= 40)
        return idFor(3, scanCode - 29);
    if (scanCode == 43)
        return "R3_12";
    if (scanCode == 86)
        return "R4_1";
    if (scanCode >= 44 && scanCode <= 53)
        return idFor(4, scanCode - 42);
    switch (scanCode) {
    case 57: return "R5_5";
    case 1: return "ESC";
    case 28: return "Enter";
    case 29: return "Ctrl";
    case 42:
    case 54: return "Shift";
    case 56: return "ALT";
    case 58: return "R3_1";
    case 0x148: return "Arrow Up";
    case 0x14B: return "Arrow Left";
    case 0x14D: return "Arrow Right";
    case 0x150: return "Arrow Down";
    case 0x15B: return "Start";
    default: return QString();
    }
}

QString keysOfInterestText(int lesson)
{
    return QCoreApplication::translate("Lessons", keysOfInterestSource(lesson).toUtf8().constData());
}
}
