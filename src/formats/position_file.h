// Position files (".qvp"): one position with the rules and the board it belongs to, as plain
// text with one value per line, lines ended by CR LF:
//   1  rules index (0 Vorna, 1 International draughts, 2 Spanish, 3 Straight checkers,
//      4 Russian, 5 Pool, 6 Czech, 7 Italian draughts)
//   2  rows, right-aligned in two characters
//   3  files, as rows
//   4  "TRUE" when Coloring is checked, "FALSE" otherwise
//   5… cells 0..SquareCount, three lines each: Empty, Side, Kind
// Cell 0 is the board's sentinel and carries the side to move in its Side line.
//
// A file is read and checked whole before anything is applied, so a bad file changes nothing;
// a save goes through a temporary file and a rename, so a failed save never leaves half a file
// in place of a good one. The window and the command line share these functions.
#pragma once

#include "game.h"
#include "geometry.h"
#include "rules.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvin {

// A file that cannot be read or does not hold a position. Line is the 1-based line at fault,
// 0 when the fault is not in one line (the file cannot be opened, for instance). The text
// reads "FILE, line N: what is wrong", naming the file (when known) and the line once;
// without a file it reads "Line N: what is wrong".
class TPositionFileError : public std::runtime_error {
  public:
    TPositionFileError(int line, const std::string& message);
    TPositionFileError(int line, const std::string& message, const std::string& fileName);
    int Line;
    std::string Detail; // what is wrong, without the file and the line
};

struct TPositionFile {
    int RulesIndex = 1;                   // as stored; outside 0..7 it still names rules
    TRules Rules = TRules::International; // the rules the index selects
    int Rows = 8;
    int Files = 8;
    bool Coloring = false;
    int SquareCount = 32; // of this board
    // Cells 0..SquareCount, every Mark set; cell 0 always holds a man of the side to move.
    std::array<TSquare, MaxSquares + 1> Cells{};
    int SideToMove = White;
};

// The number of playable squares of a board, without touching the current geometry.
int SquareCountOf(int rows, int files, bool coloring);

// Checks and decodes the text of a position file. Throws TPositionFileError.
TPositionFile ParsePositionFile(std::string_view text);
// Reads and decodes a position file. Throws TPositionFileError naming the file.
TPositionFile ReadPositionFile(const std::string& fileName);

// The file's contents for a position of the current board.
TPositionFile PositionFileOf(int rulesIndex, const TPosition& position);
std::string FormatPositionFile(const TPositionFile& file);
// Saves a position of the current board. Throws std::runtime_error when the file cannot be
// written; the previous file, if any, is then left as it was.
void WritePositionFile(const std::string& fileName, int rulesIndex, const TPosition& position);

// Builds the geometry of the file's board and answers a new game record under the file's
// rules whose only position is the one of the file, ready for play.
TGame GameOfPositionFile(const TPositionFile& file, const TGameOptions& options = {});

} // namespace quorvin
