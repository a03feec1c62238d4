// The last move as the board marks it: the square it started from and the square it ended on,
// taken from the move the game record kept for the current position. It follows Undo and Redo
// and holds for a record loaded whole, since every move played into a record is kept with it.
#pragma once

#include "game.h"

namespace quorvin {

// Origin and landing square of a move; both 0 for no move. A capture that ends where it
// started has the same square twice.
struct TLastMove {
    int From = 0;
    int To = 0;

    bool operator==(const TLastMove&) const = default;
    bool Empty() const { return From == 0; }
    bool Contains(int square) const { return square != 0 && (square == From || square == To); }
};

// The move that led to the record's current position; no move at the first position of the
// record (a new game, a loaded or a set-up position) or at one the record holds without its
// move.
TLastMove LastMoveOf(const TGame& game);

} // namespace quorvin
