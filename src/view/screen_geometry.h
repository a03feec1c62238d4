// Where the squares of the current board are shown: display cells counted by column from the
// left and by line from the top, 1-based, under either orientation of the board.
#pragma once

#include "geometry.h"

namespace quorvin {

struct TScreenPos {
    int Column = 0;
    int Line = 0;
    bool operator==(const TScreenPos&) const = default;
};

// Orientation 1 shows White at the bottom; 0 is "White side on top".
TScreenPos ScreenPosOf(int square, int orientation);
// The square shown in display cell (column, line), 0 if none.
int SquareAt(int column, int line, int orientation);

} // namespace quorvin
