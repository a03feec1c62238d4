// Helpers for the engine tests: set up a board from a short text, and list a position's
// moves as text so that a test can compare sets and orders of moves.
#pragma once

#include "position.h"
#include "rules.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvin::test {

// Builds the geometry of a board, given as the rows, files and whether Coloring is on.
void UseBoard(int rows, int files, bool coloring);

// The square at (file, row) of the current board, 1-based from White's near-left corner; 0
// when that cell is not playable.
int SquareOf(int file, int row);

// Builds the geometry and a position of the rules' class holding the pieces given as
// "w:1,2 W:9 b:30 B:31" (w/b men, W/B kings), with side to move and the evaluation computed
// with a material value table; its moves are not listed yet.
std::unique_ptr<TPosition> SetupBoard(TRules rules, int rows, int files, bool coloring,
                                      const std::string& pieces, int sideToMove);

// Fills the board at random: each square empty, or holding a man or king of either side, with
// the given chances in percent, and computes the evaluation.
void Scatter(TPosition& p, int whiteMen, int blackMen, int whiteKings, int blackKings);

// Moves as text: "a-b" for a simple move, "axbxc" (the landing squares) for a capture,
// with the taken squares after a colon when withTaken: "1x10:6".
std::string MoveText(const TMove& m, bool withTaken = false);
std::vector<std::string> MoveTexts(const TPosition& p, bool withTaken = false);
// The moves of a freshly classified copy of p, sorted.
std::vector<std::string> LegalMoves(const TPosition& p, bool withTaken = false);

} // namespace quorvin::test
