// Display cells of the squares; see screen_geometry.h.
#include "screen_geometry.h"

namespace quorvin {

TScreenPos ScreenPosOf(int square, int orientation) {
    const auto [file, row] = SquareCell[square];
    if (orientation == 0) return {BoardFiles + 1 - file, row};
    return {file, BoardRows + 1 - row};
}

int SquareAt(int column, int line, int orientation) {
    for (int n = 1; n <= SquareCount; ++n)
        if (ScreenPosOf(n, orientation) == TScreenPos{column, line}) return n;
    return 0;
}

} // namespace quorvin
