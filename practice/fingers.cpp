#include "practice/fingers.h"

#include "keyboard/keyids.h"

namespace Fingers {

namespace {
struct Entry {
    signed char finger;
    signed char hand;
};
const Entry L4{4, Left}, L3{3, Left}, L2{2, Left}, L1{1, Left};
const Entry R1{1, Right}, R2{2, Right}, R3{3, Right}, R4{4, Right};

// Standard touch typing: each finger owns a slanting column of keys, the index
// fingers two; the little fingers take everything outside.
const Entry row1[] = {L4, L4, L3, L2, L1, L1, R1, R1, R2, R3, R4, R4, R4};
const Entry row2[] = {L4, L3, L2, L1, L1, R1, R1, R2, R3, R4, R4, R4};
const Entry row3[] = {L4, L3, L2, L1, L1, R1, R1, R2, R3, R4, R4, R4};
const Entry row4[] = {L4, L4, L3, L2, L1, L1, R1, R1, R2, R3, R4};

}

void assign(int row, int column, int &finger, int &hand)
{
    const Entry *rows[] = {row1, row2, row3, row4};
    if (row >= 1 && row <= Keys::rowCount) {
        if (column == 0) {
            hand = Left;
        } else if (column > Keys::rowLength(row)) {
            hand = Right;
        } else if (column > 0) {
            finger = rows[row - 1][column - 1].finger;
            hand = rows[row - 1][column - 1].hand;
        }
    } else if (row == 5 && column == 5) {
        finger = Thumb;
        hand = Left;
    }
}

QColor colour(int finger)
{
    static const char *const names[] = {"#859399", "#f07598", "#409ec9", "#94ba6d", "#FFF000", "#00FF00"};
    return finger >= 1 && finger <= 6 ? QColor(names[finger - 1]) : QColor();
}
}
