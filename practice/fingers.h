#pragma once

#include <QColor>
#include <QString>

// Which finger of which hand types a key, and the colour of each finger.
namespace Fingers {

enum Finger { Thumb = 0, Index = 1, Middle = 2, Ring = 3, Little = 4 };
enum Hand { Left = 0, Right = 1 };

// Finger and hand for a key position; outputs the table does not cover are
// left unchanged (a column past the row's end sets only the right hand,
// column 0 only the left).
void assign(int row, int column, int &finger, int &hand);

// Colour of fingers 1-4, the Shift key (5) and the Ctrl key (6); invalid otherwise.
QColor colour(int finger);
}
