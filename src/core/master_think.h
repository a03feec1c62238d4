// The master search behind the think driver: the level "Master" after the thirteen described
// ones, and the command line's --master. It reports its iterations to the same observer as the
// described levels, so that the window's statistics and forecast texts come from its results.
#pragma once

#include "master_search.h"
#include "think.h"

namespace quorvin {

// The time the level "Master" takes for a move.
inline constexpr long long MasterLevelTimeMs = 1000;

// The master search the window and the command line play with; its table (of the default
// size) is allocated on first use and kept for the process.
TMasterSearch& MasterThinkSearch();

// Chooses a move in the game's current position, whose Moves were filled by ClassifyNode,
// under the given limits; the stop request and event pump are those of ThinkSearchState.
// The request's level is not read; its observer and minimum time are.
TThinkResult MasterThinkMove(TGame& game, const TThinkRequest& request,
                             const TMasterLimits& limits);
// The level "Master": MasterLevelTimeMs a move.
TThinkResult MasterThinkMove(TGame& game, const TThinkRequest& request);

} // namespace quorvin
