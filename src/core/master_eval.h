// The master search's evaluation: a position judged as draughts players judge it, by terms
// counted on the square sets of each side (material, tempo, centre and edges, the home row,
// formations and locks, outposts, runaway men, kings' mobility and the long diagonal) and
// weighed by a table per rule family, with an opening and an endgame weight per term blended
// by how many men are left. Known draws (a few flying kings against one, a piece more against
// a king on a thin board) are scaled towards 0. Where the family has patterns on the board,
// the formations of men in overlapping windows add their fitted weights (master_patterns.h).
//
// The terms are a linear sum, so that their weights can be fitted to the results of games
// (tools/tune_master reads the same terms through MasterFeatures).
#pragma once

#include "master_patterns.h"
#include "master_weights.h"
#include "position.h"
#include "rules.h"

#include <array>

namespace quorvin {

// The rule family a position plays.
TRules RulesOfPosition(const TPosition& p);

// What the evaluation reads of the board, built for the current geometry and one family.
struct TMasterBoard {
    TRules Rules = TRules::International;
    int Rows = 0, Files = 0, Coloring = 0;
    bool FlyingKings = true;
    bool HasKings = true;
    int InitialMen = 1; // men of both sides in the initial position
    // [side][advancement]: the squares that many rows from the side's home row.
    std::array<std::array<TSquareSet, MaxSide>, 2> Row{};
    // [side][k]: the squares whose advancement has bit k set, so that the rows a set of men
    // has advanced are the sum over k of 2^k times its members there: four counts, not one a
    // row.
    std::array<std::array<TSquareSet, 4>, 2> AdvanceBits{};
    std::array<TSquareSet, 2> AdvancedHalf{}; // [side]: rows in the opponent's half
    std::array<TSquareSet, 4> NoNeighbour{};  // [direction]: squares at the board's edge that way
    TSquareSet Centre, EdgeFiles, LongDiagonal, LeftHalf, RightHalf;
    // [side][bit]: the squares a man on the bit could reach on its way to the crowning row.
    std::array<std::array<TSquareSet, BitLimit>, 2> Cone{};
    const TMasterWeights* Weights = nullptr;
    // The family's patterns on this board, if it has any, and where each man counts in them.
    const TMasterPatternTable* Patterns = nullptr;
    TPatternSlots PatternSlots;

    // Whether the tables were built for this geometry and family.
    bool Fits(TRules rules) const;
};

// Builds the tables of the current geometry for the family of `p`.
void BuildMasterBoard(TMasterBoard& board, const TPosition& p);

// The terms of a position, White's count less Black's, the numbers of the pattern windows in
// each side's frame (with patterns only), the blend of opening and endgame (0 = endgame ..
// PhaseScale = opening) and the draw scale (ScaleFull = none).
struct TMasterFeatures {
    std::array<int, MasterFeatureCount> Values{};
    TPatternNumbers Pattern{}; // White's frame's windows, then Black's
    int Phase = 0;
    int Scale = 0;
};
inline constexpr int PhaseScale = 256;
inline constexpr int ScaleFull = 16;

void MasterFeatures(const TPosition& p, const TMasterBoard& board, TMasterFeatures& out);

// The score of a position in hundredths of a man, seen from the side to move.
int MasterEvaluate(const TPosition& p, const TMasterBoard& board);
// The same from prepared terms, a weight table and the patterns' table (or none), for White.
int MasterScoreForWhite(const TMasterFeatures& f, const TMasterWeights& w,
                        const TMasterPatternTable* patterns);

} // namespace quorvin
