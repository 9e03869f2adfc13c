#pragma once

#include <QString>
#include <QStringList>

// Key identifiers ("R1_1".."R4_11", "R5_5", named keys), caption layers and
// the catalogue source texts of all teaching content.
namespace Keys {

enum class Layer { Plain = 0, Shift = 1, Ctrl = 2 };

constexpr int lessonSlots = 33;
// The character keys: four rows of 13, 12, 12 and 11 keys.
constexpr int rowCount = 4;
constexpr int rowLengths[rowCount] = {13, 12, 12, 11};
constexpr int longestRow = rowLengths[0];
constexpr int characterKeyCount = rowLengths[0] + rowLengths[1] + rowLengths[2] + rowLengths[3];

// Number of character keys in a row; 0 for other rows.
constexpr int rowLength(int row)
{
    return row >= 1 && row <= rowCount ? rowLengths[row - 1] : 0;
}
// The 48 character-key identifiers, row by row.
const QStringList &characterKeyIds();
// Row: the character at index 1; column: up to two characters from index 3.
int rowOf(const QString &id);
int columnOf(const QString &id);
QString idFor(int row, int column);

QString captionSource(Layer layer, const QString &id);
// Caption of a key in a layer through the active catalogue ("KeyBoardMap").
QString caption(Layer layer, const QString &id);

QString lessonTextSource(int lesson);
// Lessons 3, 4, 5, 10 and 16 have one space after "ex:", the others two.
QString keysOfInterestSource(int lesson);
// The keys of interest of a lesson through the active catalogue ("Lessons").
QString keysOfInterestText(int lesson);
QString practiceTextSource(int lesson);

// PC set-1 scan code (extended keys + 0x100) to key identifier; "" if none.
QString keyIdForScanCode(unsigned scanCode);
// The set-1 scan code of a character key or the space bar; 0 for other identifiers.
unsigned scanCodeForKeyId(const QString &id);
}
