// TPosition: one board state with its side to move, its legal moves, an incrementally kept
// evaluation and the search settings of the move about to be chosen. Abstract: each rule
// family derives from it and supplies move generation, capture removal, crowning and the
// positional terms. Positions are never unmade: every game move and every search node is a
// new position made by PlayMove from its parent.
#pragma once

#include "geometry.h"
#include "move_list.h"

#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace quorvin {

// ValueTable[square][side][kind]: what a piece is worth there; built before every search.
inline std::array<std::array<std::array<double, 2>, 2>, MaxSquares + 1> ValueTable{};

// Results of ClassifyNode.
inline constexpr int NodeHasMoves = 0;
inline constexpr int NodeQuiet = 1;
inline constexpr int NodeLost = 2;

// A set of squares as bits: square s is bit s % 64 of Word[s / 64].
struct TSquareSet {
    std::array<std::uint64_t, 2> Word{};

    // Whether f(square) holds for some member; members are tried from the highest square
    // down when descending, else from the lowest up.
    template <class F> bool Any(bool descending, F f) const {
        if (descending) {
            for (int w = 1; w >= 0; --w)
                for (std::uint64_t bits = Word[w]; bits != 0;) {
                    const int top = 63 - std::countl_zero(bits);
                    if (f(w * 64 + top)) return true;
                    bits &= ~(std::uint64_t{1} << top);
                }
            return false;
        }
        for (int w = 0; w < 2; ++w)
            for (std::uint64_t bits = Word[w]; bits != 0; bits &= bits - 1)
                if (f(w * 64 + std::countr_zero(bits))) return true;
        return false;
    }
};

// Squares 0..MaxSquares plus padding, so that the board is scanned sixteen squares at a time.
inline constexpr int BoardCells = MaxSquares + 8;

class TPosition {
  public:
    alignas(64) std::array<TSquare, BoardCells> Board{};
    double Evaluation = 0.0;
    std::array<std::array<std::uint8_t, 2>, 2> Counts{}; // [side][kind]
    std::uint8_t SideToMove = White;
    std::uint8_t Opponent = Black;
    TMoveList Moves;
    bool FixedDepth = false;
    int DepthLimit = 0;
    double Budget = 0.0;
    int TimeLimit = 0;
    int LastTime = 0;
    bool BudgetFresh = true;
    bool QuietKingMove = false;

    TPosition();
    virtual ~TPosition() = default;
    TPosition(const TPosition&) = default;
    TPosition& operator=(const TPosition&) = default;

    // Fills Moves with the simple moves; with OnlyTest it may stop at the first one found.
    virtual bool GenerateMoves(bool OnlyTest) = 0;
    // Fills Moves with the legal captures under the family's obligations.
    virtual bool GenerateCaptures() = 0;
    // A new, empty position of the same class.
    virtual std::unique_ptr<TPosition> NewPosition() const = 0;
    // A copy of this position, of the same class.
    virtual std::unique_ptr<TPosition> Clone() const = 0;
    // Takes a captured piece off (the side to move is the side that loses it).
    virtual void RemovePiece(int square) = 0;
    virtual void Crown(int square);
    virtual int MenPerSide() const;
    virtual double KingValue() const;
    virtual double ManBonus(int square, int side) const = 0;
    virtual double KingBonus(int square, int side) const = 0;
    virtual TSquare FirstMover() const;
    virtual bool MaxCaptureRule() const;

    // The piece that could jump over a neighbour into the vacated square may now capture.
    // Written without branches: whether a mark is due depends on the pieces around and is
    // hard to predict, and an off-board jump only touches the sentinel's mark, which is set.
    void MarkVacated(int s) {
        for (int d = 0; d < 4; ++d) {
            const int j = Jump[s][d];
            Board[j].Mark |= static_cast<std::uint8_t>(IsEnemyPair(j, Neighbour[s][d]));
        }
    }
    // The pieces of the side to move that can jump over the arrival may now capture it. On
    // an edge there is no such piece: the square beyond is off the board, where the sentinel
    // is never empty. An empty square that gets a mark does no harm: marks are read only on
    // pieces, and a piece arriving brings its own.
    int MarkArrived(int s) {
        for (int d = 0; d < 4; ++d) {
            const int n = Neighbour[s][d];
            const std::uint32_t beyond = Word(Neighbour[s][OppositeDir[d]]);
            Board[n].Mark |=
                static_cast<std::uint8_t>(~((Word(n) >> 16) ^ SideToMove) & (beyond >> 8) & 1u);
        }
        Board[s].Mark = 1;
        return s;
    }
    void MarkAllPieces();

    // Makes this position the result of move Index of Parent.
    void PlayMove(const TPosition& parent, int index);
    void SetInitial();
    void Evaluate();
    // Fills the process-wide value table (not this position) with the values of this rule
    // family; every search starts by doing so.
    void BuildValueTable(bool positional);
    int ClassifyNode(bool horizon);
    bool SameAs(const TPosition& other) const;

    // The contents of square s (1..SquareCount), and setting them. Put leaves the counts and
    // the evaluation alone: a caller that edits a position calls Evaluate afterwards.
    TSquare At(int s) const { return Board[s]; }
    void Put(int s, TSquare q) {
        Board[s] = q;
        Board[s].Mark = 1;
    }

    bool IsOwnPiece(int s) const { return !Board[s].Empty && Board[s].Side == SideToMove; }
    bool IsOpponentPiece(int s) const { return !Board[s].Empty && Board[s].Side == Opponent; }
    // Both occupied (Empty bytes 0) and of different sides; computed without branches.
    bool IsEnemyPair(int a, int b) const {
        const std::uint32_t x = Word(a), y = Word(b);
        return (~((x | y) >> 8) & ((x ^ y) >> 16) & 1u) != 0;
    }
    bool IsEmpty(int s) const { return Board[s].Empty != 0; }
    // Square s's record as a little-endian word: Mark, Empty, Side, Kind from the low byte.
    std::uint32_t Word(int s) const {
        std::uint32_t w;
        std::memcpy(&w, &Board[s], sizeof w);
        return w;
    }
    // The squares 1..SquareCount whose record, read as a little-endian word (Mark, Empty,
    // Side, Kind), equals pattern in the bits of mask. The generators start from these sets
    // instead of testing every square one by one.
    TSquareSet Matching(std::uint32_t mask, std::uint32_t pattern) const;
    // Pieces of the side to move, and those of them that carry a capture mark.
    TSquareSet OwnPieces() const {
        return Matching(0x00FFFF00u, static_cast<std::uint32_t>(SideToMove) << 16);
    }
    TSquareSet MarkedOwnPieces() const {
        return Matching(0x00FFFFFFu, 1u | static_cast<std::uint32_t>(SideToMove) << 16);
    }

    // Sets the side to move, keeping the sentinel square and Opponent in step.
    void SetSideToMove(int side);
    // Empties the move list and the search state, for a position object being reused.
    void ResetForReuse() {
        Moves.Reset(0, true);
        BudgetFresh = true;
        FixedDepth = false;
    }
    // True when Counts and Evaluation agree with a full recomputation.
    bool Consistent(double tolerance = 1e-9) const;

    // Turns a level index (0..12) and the Disposition switch into search settings and
    // builds the value table; see think.cpp.
    void SetLevel(int levelIndex, bool positional);
    // The game-tree search; see search.cpp.
    int Search(int depth, double bound, double budget, double& avgDepth, double& score,
               long long& nodes);

  private:
    int SearchMoves(int depth, double bound, double budget, double& avgDepth, double& score,
                    long long& nodes);
};

} // namespace quorvin
