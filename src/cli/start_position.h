// The position a command of quorvin-cli starts from: a position file, a FEN on a board, or
// the initial arrangement of a board, together with the board's notation.
#pragma once

#include "cli_args.h"
#include "notation.h"

#include <memory>

namespace quorvin::cli {

struct TStartPosition {
    TNotation Notation;
    std::unique_ptr<TPosition> Position;
};

// The options that choose a start position, added to a command's own: --fen takes a value.
std::set<std::string> StartOptions(std::set<std::string> own);

// Reads the start position: the position file named as the command's one plain argument, or
// --fen on the board of the board options (International draughts when none is given), or
// else the initial arrangement of the board options' board. Applies the board to the settings
// and the geometry. A FEN that does not fit the board and a file given together with --fen or
// board options are usage errors; a file that cannot be read throws TPositionFileError.
TStartPosition ReadStartPosition(const TArgs& args);

} // namespace quorvin::cli
