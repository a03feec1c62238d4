// The master search behind the Hub engine's "go": the Hub level turned into the master's
// limits (a depth, a time for the move, a clock with moves to go and an increment, a node
// count, or no limit at all), its iterations reported as info lines with their principal
// variation, and pondering, whose clock starts at the ponder-hit.
//
// As with the described search, the search runs on the thread that calls RunHubMasterSearch;
// another thread touches only the stop request of Signals.State and Signals.PonderHit.
#pragma once

#include "hub_search.h"
#include "master_search.h"

namespace quorvin::cli {

// The master's limits under a Hub level (for a search whose clock runs from its start).
TMasterLimits HubMasterLimits(const THubLevel& level);

// Searches the game's current position, whose Moves must hold at least one legal move, with
// the master search, and answers the move to play and the expected reply.
THubSearchResult RunHubMasterSearch(TMasterSearch& search, TGame& game, const THubBoard& board,
                                    const THubSearchRequest& request, THubSignals& signals,
                                    const std::function<void(const THubIteration&)>& report);

} // namespace quorvin::cli
