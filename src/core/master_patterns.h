// Patterns of men for the master evaluation. The board is cut into overlapping windows of
// 4 x 4 cells, one at every second row and file, and the men in a window are read as a number
// in base 3 (empty or a king, a man of the side whose frame it is, a man of the other side).
// Each side reads the windows in its own frame, the board turned for Black, and looks its
// numbers up in one table of fitted weights: formations such as a locked wing or a weak back
// rank, which single terms cannot name, are weighed as a whole, and both colours are judged
// alike. A family has patterns only on the board its weights were fitted for.
#pragma once

#include "geometry.h"
#include "rules.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quorvin {

inline constexpr int PatternSide = 4;        // cells a window spans each way
inline constexpr int PatternIndices = 6561;  // 3 to the power of the 8 playable cells
inline constexpr int MaxPatternWindows = 16; // 4 x 4 windows on a 10 x 10 board; larger
                                             // boards have no patterns

// One fitted weight pair, in thousandths of a man: the opening's and the endgame's.
struct TMasterPatternEntry {
    std::uint8_t Window;
    std::uint16_t Index;
    std::int16_t Opening, Endgame;
};

// The fitted weights of a family on one board; patterns never seen are left out (weight 0).
struct TMasterPatternSet {
    TRules Rules;
    int Rows, Files, Coloring;
    std::span<const TMasterPatternEntry> Entries;
};
// Written by tools/tune_master into master_pattern_weights.cpp.
extern const std::span<const TMasterPatternSet> MasterPatternSets;

// A set's weights laid out for look-up: Weights[window * PatternIndices + index].
struct TMasterPatternTable {
    int Windows = 0;
    std::vector<std::array<std::int16_t, 2>> Weights;
};

// The table for a family on the current board, built once; null when there is none.
const TMasterPatternTable* MasterPatternTableFor(TRules rules, int rows, int files, int coloring);

// What a man adds to the numbers of the windows: [its side][its bit] gives, for each window of
// White's frame and then of Black's, the digit times its place value (0 where the window does
// not hold the cell). A whole row of numbers is added at once, so that reading the patterns is
// a few vector additions a man.
inline constexpr int PatternLanes = 2 * MaxPatternWindows;
using TPatternNumbers = std::array<std::uint16_t, PatternLanes>;
struct TPatternSlots {
    int Windows = 0; // 0 where the board has too few or too many cells for patterns
    std::array<std::array<TPatternNumbers, BitLimit>, 2> Add{};
};

// The windows of the current geometry: for each square, its slots in both frames.
void BuildPatternSlots(TPatternSlots& slots);

} // namespace quorvin
