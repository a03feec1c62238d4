// The last move as the board marks it: the square it started from and the square it ended
// on, found from the game record alone. The record keeps positions, not moves, so the move is
// recognised by comparing the position before it with the one after it; this works the same
// after a move played on the board, Undo, Redo or a record handed over whole.
#pragma once

#include "game.h"
#include "position.h"

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

// The move that turned `before` into `after`. It is looked for among the legal moves
// `before` holds; when it has none generated, the squares are read off the difference of the
// two boards, which cannot tell where a capture that came back to its own square started.
// No move when the positions are not one move apart.
TLastMove MoveBetween(const TPosition& before, const TPosition& after);

// The move that led to the record's current position; no move at the first position of the
// record (a new game, a loaded or a set-up position).
TLastMove LastMoveOf(const TGame& game);

} // namespace quorvin
