// The positions of the bench: the initial positions of the six presets and the middle-game
// and endgame positions kept as ".qvp" files, and the budget and seed they are searched with.
#pragma once

#include "game.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace quorvin::cli {

inline constexpr long long BenchBudget = 400000;
inline constexpr unsigned BenchSeed = 20261208;
// The master search's bench: each position to this depth, with a table of this size.
inline constexpr int MasterBenchDepth = 9;
inline constexpr std::size_t MasterBenchHashMiB = 16;

struct TBenchPosition {
    std::string Name;
    std::function<TGame()> Make; // sets the board up and answers the game holding it
};

// The presets first, then the files of the positions folder in name order.
std::vector<TBenchPosition> BenchPositions();
// The folder of the bench positions: beside the executable, else where an installed copy keeps
// them (../share/quorvin/Positions beside it), else in the source tree.
std::string PositionsFolder();
// The first two places for a given executable folder; empty when neither holds the positions.
std::string InstalledPositionsFolder(const std::string& executableFolder);

struct TBenchResult {
    long long Nodes = 0;
    long long TimeUs = 0; // microseconds spent searching
};
TBenchResult RunBench(double budget, std::ostream* log);
TBenchResult RunMasterBench(int depth, std::ostream* log);

// "23-28", or "23x30x21" for a capture with its landing squares.
std::string MoveName(const TPosition& p, int index);

} // namespace quorvin::cli
