// How this program chooses its moves in DamExchange games: the engine's search under a time
// for the move, run the way the Hub engine runs it (hub_search.h, hub_master.h), so that a DXP
// game and a Hub game of the same engine at the same time are played alike. Every move of the
// dxp command goes through ChooseDxpMove, and the engine is one of its arguments.
#pragma once

#include "game.h"

#include <optional>
#include <string_view>

namespace quorvin::cli {

// Moves a side is expected to play in a game: a GAMEREQ gives the time of the whole game,
// which is this many moves of the time a move takes.
inline constexpr int DxpAssumedMoves = 100;

// The searches a game can be played with: Classic is the search of the playing levels.
enum class TDxpEngine { Classic, Master };

// The engine a name stands for ("classic", "master"); empty for any other name.
std::optional<TDxpEngine> FindDxpEngine(std::string_view name);

// The index in the game's current position's Moves (filled, at least one move) of the move
// the engine plays after searching about moveTime seconds; a single legal move is played at
// once. The game's draw rules are seen: by the classic search at the root, where a move that
// repeats a position for the third time counts as the draw it is, and by the master search
// throughout its tree.
int ChooseDxpMove(TGame& game, double moveTime, TDxpEngine engine = TDxpEngine::Classic);

} // namespace quorvin::cli
