// The search behind "go": the engine's root search (root_search.h) under a Hub level, with
// its own search state so that the reader thread can break it off. A root move that repeats
// a position of the game for the third time counts as the draw it is; the best move so far
// stays known when a search is broken off, and the reply to the best move is the ponder move.
//
// The search runs on the thread that calls RunHubSearch; the only things another thread
// touches are the stop request of Signals.State and Signals.PonderHit.
#pragma once

#include "hub_level.h"
#include "hub_notation.h"

#include "game.h"
#include "search.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace quorvin::cli {

enum class THubGoMode { Think, Ponder, Analyze };

// What the reader thread may tell a running search.
struct THubSignals {
    TSearchState State; // its stop request ends the search
    std::atomic<bool> PonderHit{false};

    void Reset() {
        State.ClearStop();
        PonderHit.store(false);
    }
};

struct THubSearchRequest {
    THubLevel Level;
    THubGoMode Mode = THubGoMode::Think;
    bool Disposition = false; // the evaluation weighs the placing of the pieces
};

// One finished iteration.
struct THubIteration {
    int Depth = 0; // plies of a depth level; the mean leaf depth rounded otherwise
    double MeanDepth = 0.0;
    double Score = 0.0;  // the engine's score for the side to move; beyond ForcedScore forced
    long long Nodes = 0; // positions visited since the search started
    long long Ms = 0;    // since the search started
    std::vector<std::string> Pv; // Hub move names from the root
};

struct THubSearchResult {
    std::string Move;
    std::string Ponder; // the expected reply; empty when none is known
};

// Searches the game's current position, whose Moves must hold at least one legal move, and
// answers the move to play. Each finished iteration is passed to report.
THubSearchResult RunHubSearch(TGame& game, const THubBoard& board, const THubSearchRequest& request,
                              THubSignals& signals,
                              const std::function<void(const THubIteration&)>& report);

} // namespace quorvin::cli
