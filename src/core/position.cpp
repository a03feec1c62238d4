// The rule-independent part of a position: initial arrangement, move making with the
// incremental evaluation, the value table and node classification.
#include "position.h"

#include "mathematics.h"

#include <cmath>
#include <stdexcept>

namespace quorvin {

TPosition::TPosition(const TRuleSwitches& switches) : Rules(switches) {
    Rules.Special = Rules.SpecialCaptures();
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
    if (side != SideToMove) std::swap(Own, Enemy);
    SideToMove = static_cast<std::uint8_t>(side);
    Opponent = quorvin::Opponent[side];
}

void TPosition::Put(int s, TSquare q) {
    const int bit = BitOfSquare[s];
    Own.Remove(bit);
    Enemy.Remove(bit);
    Kings.Remove(bit);
    if (q.Empty) return;
    (q.Side == SideToMove ? Own : Enemy).Add(bit);
    if (q.Kind == King) Kings.Add(bit);
}

void TPosition::CopyBoard(const TPosition& other) {
    const bool same = other.SideToMove == SideToMove;
    Own = same ? other.Own : other.Enemy;
    Enemy = same ? other.Enemy : other.Own;
    Kings = other.Kings;
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
    ClearBoard();
    for (int s = 1; s <= SquareCount; ++s) {
        if (s <= w) Put(s, WhiteMan);
        if (s > SquareCount - b) Put(s, BlackMan);
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
    const bool sets =
        (Own & Enemy).None() && (Occupied() & ~PlayableBits).None() && (Kings & ~Occupied()).None();
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

void TPosition::ThrowBrokenInvariants() {
    throw std::logic_error("PlayMove broke the position's invariants");
}

bool TPosition::SameAs(const TPosition& other) const {
    const bool same = other.SideToMove == SideToMove;
    return Own == (same ? other.Own : other.Enemy) && Enemy == (same ? other.Enemy : other.Own) &&
           Kings == other.Kings;
}

} // namespace quorvin
