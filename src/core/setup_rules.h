// The rules of an edited position: which piece may stand on which square when a position is
// set up by hand, and what an edited position needs before play can go on from it. Position
// setup, FEN and position files all finish their positions here.
#pragma once

#include "position.h"
#include "rules.h"

namespace quorvin {

// Whether `piece` may be put on `square` (1..SquareCount) of the current board under these
// rules: a man never stands on its own crowning row, and Vorna has no kings. An empty square
// may always be made.
bool MayPlace(TRules rules, int square, TSquare piece);

// Makes a position whose pieces or side to move were set by hand ready for play: no moves
// generated yet, a fresh search budget, and its evaluation computed anew.
void FinishEditedPosition(TPosition& position);

} // namespace quorvin
