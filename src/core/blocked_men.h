// Which Vorna men are blocked, for the option "Mark blocked": a man is free when one of its
// forward neighbours is empty or holds a free piece, or holds an enemy with a free square
// behind it; every other man is blocked. Only forward moves count, since Vorna has no kings.
// A rule of the game, asked by the board when it draws a man.
#pragma once

#include "position.h"

namespace quorvin {

// True when the piece on `square` of the current board is not blocked; empty squares are
// free, square 0 (off the board) never is.
bool IsFree(const TPosition& position, int square);

} // namespace quorvin
