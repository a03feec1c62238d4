// The evaluation terms of Russian draughts; see russian_position.h.
#include "russian_position.h"

namespace quorvin {

std::unique_ptr<TPosition> TRussianPosition::NewPosition() const {
    return std::make_unique<TRussianPosition>();
}

std::unique_ptr<TPosition> TRussianPosition::Clone() const {
    return std::make_unique<TRussianPosition>(*this);
}

// A man one step from the crowning row is nearly a king: a capture through the row crowns
// it on the way.
double TRussianPosition::ManBonus(int square, int side) const {
    const double bonus = TDraughtsPosition::ManBonus(square, side);
    return RowsAhead[square][side] == 1 ? bonus + 0.15 : bonus;
}

// On the small board a flying king on the long diagonal ("bolshak") holds the game; the
// double diagonals next to it come second.
double TRussianPosition::KingBonus(int square, int side) const {
    if (OnLongDiagonal[square]) return 0.3;
    return TDraughtsPosition::KingBonus(square, side) + (EdgeDistance[square] == 0 ? -0.05 : 0.0);
}

} // namespace quorvin
