// The terms of the master evaluation and their weights per rule family. The weights are in
// thousandths of a man, one for the opening and one for the endgame per term; the men's
// opening weight is the unit (1000) and stays fixed. master_weights.cpp holds the tables,
// written by tools/tune_master from the results of self-play games.
#pragma once

#include <array>
#include <string_view>

namespace quorvin {

enum TMasterFeature : int {
    FeatMen = 0,      // men
    FeatKings,        // kings
    FeatAdvance,      // rows the men have advanced, summed
    FeatCentre,       // men off the two outer files on either side
    FeatEdge,         // men on the outer files
    FeatHomeRow,      // men still on the home row, which keeps the opponent from crowning
    FeatMobility,     // free forward steps of the men
    FeatBlocked,      // men without a forward step
    FeatSupported,    // men backed on both rear diagonals
    FeatLoose,        // men without a piece of their own on any diagonal neighbour
    FeatLocked,       // men held by enemy pieces (or the edge) on both forward squares
    FeatOutpost,      // backed men in the opponent's half
    FeatRunaway,      // men with no enemy piece between them and the crowning row
    FeatNearCrown,    // men one row from crowning
    FeatKingMobility, // squares the kings can move to
    FeatKingDiagonal, // kings on a long diagonal
    FeatImbalance,    // men more on one wing than on the other
    FeatTurn,         // the side to move
    MasterFeatureCount
};

inline constexpr std::array<std::string_view, MasterFeatureCount> MasterFeatureNames{
    "men",      "kings",      "advance",       "centre",        "edge",      "home-row",
    "mobility", "blocked",    "supported",     "loose",         "locked",    "outpost",
    "runaway",  "near-crown", "king-mobility", "king-diagonal", "imbalance", "turn"};

struct TMasterWeights {
    std::array<int, MasterFeatureCount> Opening{};
    std::array<int, MasterFeatureCount> Endgame{};
};

// Indexed by the stored rules index (TRules).
inline constexpr int MasterFamilies = 8;
extern const std::array<TMasterWeights, MasterFamilies> MasterWeights;

} // namespace quorvin
