// Exact results of the endings of kings alone: one, two or three kings against a lone king,
// worked out backwards from the won positions for the current board and rule family. Three
// flying kings beat a lone king only with a method the search cannot see to its end (on
// 8 x 8 the lone king must be kept off the long diagonal and driven into a corner), and
// the draw rule of three kings against one gives them only a few moves to do it; the table
// knows, for every such position, whether the side to move wins or loses and in how many
// plies with the best play of both.
//
// Kings move alike for both colours, so one table serves whichever colour has the kings.
// The tables are built for boards of up to KingEndingsMaxSquares playable squares (every 8 x 8
// game), where they take a fraction of a second and under a megabyte.
#pragma once

#include "position.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quorvin {

inline constexpr int KingEndingsMaxSquares = 32;
inline constexpr int KingEndingsMaxKings = 3; // of the side with more kings
// A search builds the tables once its root has no more pieces than this.
inline constexpr int KingEndingsFromPieces = 10;

// The result for the side to move: a win or a loss after Plies plies, or a draw.
struct TKingEndingResult {
    enum class TKind : std::uint8_t { Draw, Win, Loss };
    TKind Kind = TKind::Draw;
    int Plies = 0;
};

class TKingEndings {
  public:
    // Builds the tables for the family of `sample` on the current board, unless they are
    // built for them already. False where the board is too large or the family has no kings.
    bool Build(const TPosition& sample);
    // Whether the tables are built for the family of `sample` on the current board.
    bool Fit(const TPosition& sample) const;
    // Whether a position is one the tables hold: kings alone, one of them on one side and at
    // most KingEndingsMaxKings on the other.
    static bool Covers(const TPosition& p) {
        const auto& c = p.Counts;
        if (c[White][Man] != 0 || c[Black][Man] != 0) return false;
        const int low = std::min(c[White][King], c[Black][King]);
        const int high = std::max(c[White][King], c[Black][King]);
        return low == 1 && high <= KingEndingsMaxKings;
    }
    // The result of a position the tables cover, for its side to move.
    TKingEndingResult Probe(const TPosition& p) const;

  private:
    bool Built = false;
    int Rows = 0, Files = 0, Coloring = 0;
    const std::type_info* Family = nullptr;
    int Squares = 0;
    // [kings - 1][index]: the result for the side to move, 0 for a draw, Plies + 1 for a win
    // and -(Plies + 1) for a loss.
    std::array<std::vector<std::int16_t>, KingEndingsMaxKings> Values;
    // [kings - 1]: the sets of that many squares (0-based, ascending) in the order of their rank.
    std::array<std::vector<std::array<std::uint8_t, KingEndingsMaxKings>>, KingEndingsMaxKings>
        Sets;
    std::array<std::array<int, KingEndingsMaxKings + 1>, KingEndingsMaxSquares + 1> Binomial{};

    int Rank(const std::array<std::uint8_t, KingEndingsMaxKings>& set, int kings) const;
    std::size_t IndexOf(int rank, int weak, bool strongToMove) const {
        return (static_cast<std::size_t>(rank) * static_cast<std::size_t>(Squares) +
                static_cast<std::size_t>(weak)) *
                   2 +
               (strongToMove ? 1 : 0);
    }
    // The value of a position the tables cover, read from the table of its number of kings.
    std::int16_t ValueOf(const TPosition& p) const;
    void BuildTable(int kings, TPosition& work, TPosition& child, bool flying);
};

} // namespace quorvin
