// The rule-independent part of a position: initial arrangement, move making with the
// incremental evaluation, the value table and node classification.
#include "position.h"

#include "mathematics.h"

#include <cmath>
#include <stdexcept>

namespace quorvin {

TPosition::TPosition(const TRuleSwitches& switches) : Rules(switches) {
    Moves.Reset(0, true);
}

int TPosition::MenPerSide() const {
    if (BoardRows % 2 == 1)
        return static_cast<int>(std::lround(SquareCount / 2.0 - BoardFiles / 4.0));
    return (SquareCount - BoardFiles) / 2;
}

double TPosition::KingValue() const {
    return 3.0;
}

void TPosition::SetSideToMove(int side) {
    SideToMove = static_cast<std::uint8_t>(side);
    Opponent = quorvin::Opponent[side];
}

void TPosition::Put(int s, TSquare q) {
    const int bit = BitOfSquare[s];
    Pieces[White].Remove(bit);
    Pieces[Black].Remove(bit);
    Kings.Remove(bit);
    if (q.Empty) return;
    Pieces[q.Side & 1].Add(bit);
    if (q.Kind == King) Kings.Add(bit);
}

TSquares TPosition::Squares() const {
    TSquares squares;
    squares.fill(EmptySquare);
    for (int s = 1; s <= SquareCount; ++s) squares[s] = At(s);
    return squares;
}

void TPosition::SetInitial() {
    SetSideToMove(Rules.FirstSide);
    int w = MenPerSide();
    int b = MenPerSide();
    if (BoardFiles % 2 == 1 && BoardRows % 4 == 0) {
        if (BoardColoringFlag == 1)
            ++w;
        else
            ++b;
    }
    Pieces = {};
    Kings = {};
    for (int s = 1; s <= SquareCount; ++s) {
        if (s <= w) Pieces[White].Add(BitOfSquare[s]);
        if (s > SquareCount - b) Pieces[Black].Add(BitOfSquare[s]);
    }
    Moves.Reset(0, true);
    Evaluate();
}

// Squares are summed in ascending order, the order every evaluation has always used, so that
// scores come out the same to the last bit.
void TPosition::Evaluate() {
    Evaluation = 0.0;
    Counts = {};
    for (int s = 1; s <= SquareCount; ++s) {
        const TSquare q = At(s);
        if (q.Empty) continue;
        ++Counts[q.Side][q.Kind];
        if (q.Side == SideToMove)
            Evaluation += ValueTable[s][SideToMove][q.Kind];
        else
            Evaluation -= ValueTable[s][Opponent][q.Kind];
    }
}

bool TPosition::Consistent(double tolerance) const {
    std::array<std::array<std::uint8_t, 2>, 2> counts{};
    double eval = 0.0;
    for (int s = 1; s <= SquareCount; ++s) {
        const TSquare q = At(s);
        if (q.Empty) continue;
        ++counts[q.Side][q.Kind];
        eval += (q.Side == SideToMove ? 1 : -1) * ValueTable[s][q.Side][q.Kind];
    }
    const bool sets = (Pieces[White] & Pieces[Black]).None() &&
                      (Occupied() & ~PlayableBits).None() && (Kings & ~Occupied()).None();
    return sets && counts == Counts && std::abs(eval - Evaluation) <= tolerance &&
           Opponent == 1 - SideToMove;
}

void TPosition::BuildValueTable(bool positional) {
    const double king = KingValue();
    for (int s = 1; s <= SquareCount; ++s)
        for (int side = 0; side < 2; ++side) {
            ValueTable[s][side][Man] = positional ? 1.0 + ManBonus(s, side) : 1.0;
            ValueTable[s][side][King] = positional ? king + KingBonus(s, side) : king;
        }
}

void TPosition::PlayMove(const TPosition& parent, int index) {
    Pieces = parent.Pieces;
    Kings = parent.Kings;
    Counts = parent.Counts;
    Evaluation = -parent.Evaluation;
    Opponent = parent.SideToMove;
    SideToMove = parent.Opponent;

    const TMoveList& list = parent.Moves;
    const int mover = Opponent;
    const int from = list.FromOf(index), to = list.ToOf(index);
    const int captures = list.CaptureCountOf(index);
    const TSquareSet fromSet = SquareBits[from], toSet = SquareBits[to];
    const bool king = (Kings & fromSet).Any();
    QuietKingMove = captures == 0 && king;
    Evaluation += ValueTable[from][mover][king];
    // A capture may end where it started: the piece is lifted first, then put down.
    Pieces[mover] = (Pieces[mover] & ~fromSet) | toSet;
    int kind = king ? King : Man;
    if (king) {
        Kings = (Kings & ~fromSet) | toSet;
    } else if (Rules.Crowning && (PromotionBits[mover] & toSet).Any()) {
        Kings |= toSet;
        --Counts[mover][Man];
        ++Counts[mover][King];
        kind = King;
    }
    Evaluation -= ValueTable[to][mover][kind];
    for (int k = 1; k <= captures; ++k) TakePiece(list.CapturedOf(index, k));
#ifdef QUORVIN_CHECKS
    if (!Consistent(1e-6)) throw std::logic_error("PlayMove broke the position's invariants");
#endif
}

// A piece of the side to move is taken. Under most rules it leaves the board; where taken
// pieces change sides it stays, and its value moves from the loser's side to the capturer's.
void TPosition::TakePiece(int square) {
    const TSquareSet taken = SquareBits[square];
    const int loser = SideToMove, winner = Opponent;
    const int kind = (Kings & taken).Any() ? King : Man;
    Pieces[loser] &= ~taken;
    --Counts[loser][kind];
    if (Rules.TakenChangeSides) {
        Evaluation -= ValueTable[square][loser][kind] + ValueTable[square][winner][kind];
        Pieces[winner] |= taken;
        ++Counts[winner][kind];
    } else {
        Evaluation -= ValueTable[square][loser][kind];
        Kings &= ~taken;
    }
}

int TPosition::ClassifyNode(bool horizon) {
    if (Moves.Count > 0) return NodeHasMoves;
    if (GenerateCaptures()) return NodeHasMoves;
    if (!horizon && GenerateMoves(false)) return NodeHasMoves;
    if (horizon && GenerateMoves(true)) return NodeQuiet;
    return NodeLost;
}

bool TPosition::SameAs(const TPosition& other) const {
    return Pieces == other.Pieces && Kings == other.Kings;
}

} // namespace quorvin
