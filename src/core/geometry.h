// The board geometry: square numbering of the current Rows x Files board and the per-square
// lookup tables that the generators, the evaluation and the board view read. Square 0 is
// "off the board" in every table. One geometry exists at a time; BuildGeometry rebuilds it.
#pragma once

#include "square_set.h"

#include <array>
#include <cstdint>
#include <string>

namespace quorvin {

inline constexpr int MaxSquares = 72; // 12 x 12 has 72 playable cells
inline constexpr int MaxSide = 12;    // rows and files are 4..12
inline constexpr int MinSide = 4;

inline constexpr int White = 0;
inline constexpr int Black = 1;
inline constexpr int Man = 0;
inline constexpr int King = 1;

// The contents of one square. Contents are tested through Empty, Side and Kind, never by
// comparing whole records: an empty square's Side and Kind mean nothing.
struct TSquare {
    std::uint8_t Empty;
    std::uint8_t Side;
    std::uint8_t Kind;
};

inline constexpr TSquare EmptySquare{1, 0, 0};
inline constexpr TSquare WhiteMan{0, 0, 0};
inline constexpr TSquare BlackMan{0, 1, 0};
inline constexpr TSquare WhiteKing{0, 0, 1};
inline constexpr TSquare BlackKing{0, 1, 1};

// Directions 0..3: forward-left, forward-right, backward-right, backward-left (seen from White).
inline constexpr std::array<int, 4> DirFile{-1, 1, 1, -1};
inline constexpr std::array<int, 4> DirRow{1, 1, -1, -1};
inline constexpr std::array<std::uint8_t, 4> OppositeDir{2, 3, 0, 1};
inline constexpr std::array<std::uint8_t, 2> ForwardFirst{0, 2};
inline constexpr std::array<std::uint8_t, 2> ForwardLast{1, 3};
inline constexpr std::array<std::uint8_t, 2> Opponent{1, 0};

using TSquareTable = std::array<std::array<std::uint8_t, 4>, MaxSquares + 1>;

// The tables of the current geometry; entries beyond SquareCount are stale and never read.
inline int SquareCount = 0;
inline int BoardRows = 0;         // the Rows the tables were built for
inline int BoardFiles = 0;        // the Files the tables were built for
inline int BoardColoringFlag = 1; // 1 while Coloring is off, 0 while it is on
inline TSquareTable Neighbour{};
inline TSquareTable Jump{};
inline std::array<bool, MaxSquares + 1> OnEdge{};

// The bit layout of square sets. Cell (file, row) sits at x = (row - 1) * W + (file - 1) on a
// board widened to an odd width W by one or two ghost files, so that every playable cell has
// x of the same parity and bit x / 2 (plus one, keeping bit 0 for "no square") is dense. One
// step in a direction is then the same bit distance from every square, and a step off the
// left or right edge lands on a ghost file, which holds no playable square.
inline constexpr int BitLimit = 128;
inline std::array<std::uint8_t, MaxSquares + 1> BitOfSquare{}; // 0 for square 0
inline std::array<std::uint8_t, BitLimit> SquareOfBit{};       // 0 for bits that are no square
inline std::array<int, 4> StepBits{};                          // signed bit distance of a step
inline TSquareSet PlayableBits;                                // the bits of squares 1..SquareCount
inline std::array<TSquareSet, MaxSquares + 1> SquareBits{};    // [square]: its bit alone
inline bool NarrowLayout = true; // every bit of the board below 64: one machine word holds it
inline std::array<TSquareSet, 2> PromotionBits{}; // [side]: its crowning row
// [bit][direction]: the bit one step away (0 off the board), and every bit along the line.
inline std::array<std::array<std::uint8_t, 4>, BitLimit> NextBit{};
inline std::array<std::array<TSquareSet, 4>, BitLimit> LineBits{};
inline std::array<std::array<bool, 2>, MaxSquares + 1> PromotionRow{};
inline std::array<std::array<int, 2>, MaxSquares + 1> RowsAhead{};
inline std::array<int, MaxSquares + 1> EdgeDistance{};
inline std::array<bool, MaxSquares + 1> OnLongDiagonal{};
inline std::array<std::array<int, 2>, MaxSquares + 1> SquareCell{}; // (file, row) of a square
inline std::array<std::string, 2> SideNames{"White", "Black"};

// Builds the tables for the given board; coloringFlag is 1 with Coloring off, 0 with it on.
void BuildGeometry(int rows, int files, int coloringFlag);

// Fills the bit layout tables from the square tables; part of BuildGeometry.
void BuildBitLayout();

bool OnBoard(int file, int row);
int FirstFileOfRow(int row);

} // namespace quorvin
