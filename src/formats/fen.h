// FEN: a position as one line of text, "W:W31,32,33:B1,2,K3" (the side to move, then the
// squares of each side's pieces, kings marked with K), in the square names of a board's
// notation. The clipboard, the PDN FEN tag and the command line all use these functions.
//
// Writing gives the white pieces first, then the black ones, each square by square in
// square order, kings among the men: some programs drop ranges of squares without a word.
// Reading also takes ranges ("W:W31-50:B1-20"), the black pieces first, a side without pieces
// ("W:W31-50:B"), numeric names on an algebraic board, blanks around the parts, a final full
// stop, and ignores the move counters other programs append (":H0:F1").
#pragma once

#include "notation.h"

#include <array>
#include <string>
#include <string_view>

namespace quorvin {

// A position read from a FEN, not yet tied to a position object.
struct TFenPosition {
    int SideToMove = White;
    std::array<TSquare, MaxSquares + 1> Cells{}; // squares 1..SquareCount; the rest empty
};

// The FEN of a position of the notation's board (which must be the current geometry's).
std::string FormatFen(const TNotation& notation, const TPosition& position);

// Reads a FEN in the notation's square names. Throws TNotationError saying what is wrong.
TFenPosition ParseFen(const TNotation& notation, std::string_view text);

// Puts a FEN position into a position object of the current geometry, which must be the
// notation's board: squares, side to move, a fresh move list and the evaluation.
void ApplyFen(const TFenPosition& fen, TPosition& position);

// The notation a FEN can be read in: the given one when it fits, else the first preset
// (in the order of Presets) whose board it fits. Throws TNotationError when none does. A
// window that pastes a FEN asks before changing to another board.
TNotation NotationForFen(const TNotation& current, std::string_view text);

} // namespace quorvin
