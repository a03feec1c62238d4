// The stored settings turned into the engine's inputs: the board and rules in force, the
// game options, the level of the side to move and the orientation of the board on screen.
// The window and the command line call these; the engine never reads the settings itself.
#pragma once

#include "notation.h"
#include "position_file.h"
#include "settings.h"
#include "think.h"

namespace quorvin {

// Sets rules, rows, files and coloring in the settings and builds the geometry of that board.
void ApplyBoard(TRules rules, int rows, int files, bool coloring);
// Builds the geometry of the board the settings hold.
void BuildGeometryFromSettings();

// Puts the file's rules and board into the settings and the geometry, and answers a new game
// record whose only position is the one of the file, ready for play.
TGame ApplyPositionFile(const TPositionFile& file);

// The level and Disposition that apply to the side to move of the game: the opponent's when
// the computer plays that side, the adviser's otherwise.
TThinkRequest LevelForSideToMove(const TGame& game);

// The notation of the board and rules the settings hold.
TNotation NotationForSettings();

// The orientation in force: 0 while "White side on top" is checked, else 1.
int Orientation();

} // namespace quorvin
