// TPosition: one board state with its side to move, its legal moves, an incrementally kept
// evaluation and the search settings of the move about to be chosen. The board is held as
// square sets (each side's pieces and the kings) that move making updates. Move generation
// and move making are shared by all rule families, which differ in a few switches; each
// family derives from this class for its evaluation terms. Positions are never unmade:
// every game move and every search node is a new position made by PlayMove from its parent.
#pragma once

#include "geometry.h"
#include "move_list.h"
#include "search.h"

#include <array>
#include <memory>

namespace quorvin {

// ValueTable[square][side][kind]: what a piece is worth there; built before every search.
inline std::array<std::array<std::array<double, 2>, 2>, MaxSquares + 1> ValueTable{};

// Results of ClassifyNode.
inline constexpr int NodeHasMoves = 0;
inline constexpr int NodeQuiet = 1;
inline constexpr int NodeLost = 2;

// How kings move and capture under a family's rules.
enum class TKingMoves : std::uint8_t {
    AsMen,  // there are no kings: a piece marked as one moves and takes as a man
    Short,  // one square, jumping a neighbour
    Flying, // any distance along a line, landing anywhere behind the piece taken
};

// What tells the rule families apart in move generation and move making. The generators
// and PlayMove are shared and read these switches; the families add the evaluation terms.
struct TRuleSwitches {
    bool MenCaptureBackwards = true;
    TKingMoves Kings = TKingMoves::Flying;
    bool MaxCapture = true;        // the sequence that takes the most pieces is compulsory
    bool TakenChangeSides = false; // a taken piece stays and joins the capturer
    bool Crowning = true;
    int FirstSide = White;
    // A man that reaches the crowning row during a capture is crowned at once and goes on
    // taking as a king (Russian draughts).
    bool CrownMidCapture = false;
    // When a king can capture, a king must (Czech draughts).
    bool KingsCaptureFirst = false;
    bool MenTakeKings = true;
    // Among the captures the one to play is chosen by the most pieces taken, then a king's
    // capture over a man's, then the most kings taken, then the capture that meets a king
    // earliest (Italian draughts).
    bool CapturePrecedence = false;

    // Whether captures follow any rule beyond the first families': those families' capture
    // walk is compiled without them. Positions keep the answer in Special.
    constexpr bool SpecialCaptures() const {
        return CrownMidCapture || KingsCaptureFirst || !MenTakeKings || CapturePrecedence ||
               (!MaxCapture && Kings == TKingMoves::Flying);
    }
    bool Special = false;
};

// The contents of squares 0..MaxSquares (square 0 always empty), for a picture of a board.
using TSquares = std::array<TSquare, MaxSquares + 1>;

class TPosition {
  public:
    // The pieces of the side to move and of its opponent, and the kings among them, in the bit
    // layout of the geometry. Held by turn rather than by colour, so that making a move
    // swaps the two sets instead of indexing them by a side.
    TSquareSet Own;
    TSquareSet Enemy;
    TSquareSet Kings;
    double Evaluation = 0.0;
    std::array<std::array<std::uint8_t, 2>, 2> Counts{}; // [side][kind]
    std::uint8_t SideToMove = White;
    std::uint8_t Opponent = Black;
    bool FixedDepth = false;
    bool BudgetFresh = true;
    bool QuietKingMove = false;
    int DepthLimit = 0;
    int TimeLimit = 0;
    int LastTime = 0;
    double Budget = 0.0;
    TMoveList Moves;

    explicit TPosition(const TRuleSwitches& switches);
    virtual ~TPosition() = default;
    TPosition(const TPosition&) = default;
    TPosition& operator=(const TPosition&) = default;

    const TRuleSwitches& Switches() const { return Rules; }

    // Fills Moves with the simple moves; with OnlyTest it may stop at the first one found.
    bool GenerateMoves(bool OnlyTest);
    // Fills Moves with the legal captures under the family's obligations.
    bool GenerateCaptures();
    // A new, empty position of the same class.
    virtual std::unique_ptr<TPosition> NewPosition() const = 0;
    // A copy of this position, of the same class.
    virtual std::unique_ptr<TPosition> Clone() const = 0;
    virtual int MenPerSide() const;
    virtual double KingValue() const;
    virtual double ManBonus(int square, int side) const = 0;
    virtual double KingBonus(int square, int side) const = 0;

    // Empties the move list, so that the next ClassifyNode lists the moves afresh: after an
    // edit of the board.
    void ClearMoves() { Moves.Count = 0; }

    // Makes this position the result of move Index of Parent.
    void PlayMove(const TPosition& parent, int index);
    // PlayMove and ClassifyNode for a board whose sets fit in the word W (one machine word on
    // narrow boards), for loops that choose W once for a whole tree. ClassifyIn is defined in
    // move_generation.h; ClassifyFresh is ClassifyIn for a position PlayMove has just made,
    // whose move list, left from an earlier position, is always generated anew.
    template <class W> void PlayMoveIn(const TPosition& parent, int index);
    // PlayMoveIn with or without crowning during a capture, so that the families without it
    // make their moves as they always have.
    template <class W, bool CrownOnTheWay>
    [[gnu::always_inline]] void MakeMove(const TPosition& parent, int index);
    template <class W>
    [[gnu::noinline]] void MakeMoveCrowningOnTheWay(const TPosition& parent, int index) {
        MakeMove<W, true>(parent, index);
    }
    template <class W> int ClassifyIn(bool horizon);
    template <class W> int ClassifyFresh(bool horizon);
    // The number of legal moves. Captures are listed in Moves; simple moves are only
    // counted, and Moves is left without them.
    int CountMoves();
    template <class W> int CountMovesIn();
    void SetInitial();
    void Evaluate();
    // Fills the process-wide value table (not this position) with the values of this rule
    // family; every search starts by doing so.
    void BuildValueTable(bool positional);
    int ClassifyNode(bool horizon);
    bool SameAs(const TPosition& other) const;

    // The contents of square s (1..SquareCount), and setting them. Put leaves the counts and
    // the evaluation alone: a caller that edits a position calls Evaluate afterwards.
    TSquare At(int s) const {
        const int bit = BitOfSquare[s];
        if (!Occupied().Has(bit)) return EmptySquare;
        const int side = Own.Has(bit) ? SideToMove : Opponent;
        return TSquare{0, static_cast<std::uint8_t>(side),
                       static_cast<std::uint8_t>(Kings.Has(bit))};
    }
    void Put(int s, TSquare q);
    TSquares Squares() const;
    // Takes every piece off, or sets the pieces of another position of the same board.
    void ClearBoard() { Own = Enemy = Kings = {}; }
    void CopyBoard(const TPosition& other);

    bool IsEmpty(int s) const { return !Occupied().Has(BitOfSquare[s]); }
    TSquareSet Occupied() const { return Own | Enemy; }
    TSquareSet EmptySquares() const { return PlayableBits & ~Occupied(); }

    // Sets the side to move, keeping Opponent and the pieces' colours in step.
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
    int Search(TSearchState& state, int depth, double bound, double budget, double& avgDepth,
               double& score, long long& nodes);

  private:
    TRuleSwitches Rules;

    // Whether a capture passed the crowning row: a man reaches it only by jumping a piece on
    // the row before it, and leaves it only the same way.
    static bool CrossedCrowningRow(const TMoveList& list, int index, int captures, int mover) {
        for (int k = 1; k <= captures; ++k)
            if (RowsAhead[list.CapturedOf(index, k)][mover] == 1) return true;
        return false;
    }

    [[noreturn]] static void ThrowBrokenInvariants();
    // The search below the public entry, in the board's word W: a node's score and average
    // leaf depth come back in registers, and the counters live in the search state.
    // Fresh: the node was just made by PlayMove, and its old move list means nothing.
    template <class W, bool Fresh>
    TNodeValue SearchNode(TSearchState& state, int depth, double bound, double budget);
    template <class W>
    TNodeValue SearchMoves(TSearchState& state, int depth, double bound, double budget);
};

// Move making is defined here, so that the search and perft can inline it.
// Everything is read from the parent and the move first and worked out in locals, then
// stored once: stores into a position could otherwise alias the move list's bytes and make
// the compiler read them again. The evaluation is updated in the same order of operations as
// ever, so that scores agree to the last bit.
inline void TPosition::PlayMove(const TPosition& parent, int index) {
    if (NarrowLayout)
        PlayMoveIn<std::uint64_t>(parent, index);
    else
        PlayMoveIn<TBits>(parent, index);
}

// W is the word the board's sets fit in; on a narrow board the upper halves stay zero.
template <class W> inline void TPosition::PlayMoveIn(const TPosition& parent, int index) {
    // Only a capture can crown on the way.
    if (Rules.CrownMidCapture && parent.Moves.CaptureLength() > 0) [[unlikely]]
        MakeMoveCrowningOnTheWay<W>(parent, index);
    else
        MakeMove<W, false>(parent, index);
}

template <class W, bool CrownOnTheWay>
inline void TPosition::MakeMove(const TPosition& parent, int index) {
    using S = TSquareSetOf<W>;
    const TMoveList& list = parent.Moves;
    const int from = list.FromOf(index), to = list.ToOf(index);
    const int captures = list.CaptureCountOf(index);
    const int mover = parent.SideToMove, loser = parent.Opponent;
    const S fromSet(SquareBits[from]), toSet(SquareBits[to]);
    S own(parent.Own), enemy(parent.Enemy), kings(parent.Kings);
    auto counts = parent.Counts;
    const bool king = (kings & fromSet).Any();
    double evaluation = -parent.Evaluation;
    evaluation += ValueTable[from][mover][king];
    // Lifting the piece and putting it down; nothing changes when a capture ends where it
    // started.
    const S moved = fromSet ^ toSet;
    own ^= moved;
    int kind = king ? King : Man;
    if (king) {
        kings ^= moved;
    } else if (Rules.Crowning && (S(PromotionBits[mover]) & toSet).Any()) {
        kings |= toSet;
        --counts[mover][Man];
        ++counts[mover][King];
        kind = King;
    }
    evaluation -= ValueTable[to][mover][kind];
    // Taken pieces leave the board, or, where taken pieces change sides, stay and join the
    // capturer, their value moving from the loser's side to the capturer's.
    for (int k = 1; k <= captures; ++k) {
        const int square = list.CapturedOf(index, k);
        const S taken(SquareBits[square]);
        const int takenKind = (kings & taken).Any() ? King : Man;
        enemy &= ~taken;
        --counts[loser][takenKind];
        if (Rules.TakenChangeSides) {
            evaluation -=
                ValueTable[square][loser][takenKind] + ValueTable[square][mover][takenKind];
            own |= taken;
            ++counts[mover][takenKind];
        } else {
            evaluation -= ValueTable[square][loser][takenKind];
            kings &= ~taken;
        }
    }
    // A man that passed the crowning row during its capture ends it as a king, under the
    // rules that crown it there: its value becomes a king's.
    if constexpr (CrownOnTheWay)
        if (kind == Man && CrossedCrowningRow(list, index, captures, mover)) {
            kings |= toSet;
            --counts[mover][Man];
            ++counts[mover][King];
            evaluation += ValueTable[to][mover][Man] - ValueTable[to][mover][King];
        }

    // The opponent is to move now.
    Own = TSquareSet(enemy);
    Enemy = TSquareSet(own);
    Kings = TSquareSet(kings);
    Counts = counts;
    Evaluation = evaluation;
    SideToMove = static_cast<std::uint8_t>(loser);
    Opponent = static_cast<std::uint8_t>(mover);
    QuietKingMove = captures == 0 && king;
#ifdef QUORVIN_CHECKS
    if (!Consistent(1e-6)) ThrowBrokenInvariants();
#endif
}

} // namespace quorvin
