// The evaluation terms of Pool checkers; see pool_position.h.
#include "pool_position.h"

namespace quorvin {

std::unique_ptr<TPosition> TPoolPosition::NewPosition() const {
    return std::make_unique<TPoolPosition>();
}

std::unique_ptr<TPosition> TPoolPosition::Clone() const {
    return std::make_unique<TPoolPosition>(*this);
}

// No crowning on the way through the row, so a man next to it is worth what it is in
// international draughts; the men guarding the home row's corners count a little more,
// since kings come only by moves that end on the far row.
double TPoolPosition::ManBonus(int square, int side) const {
    const double bonus = TDraughtsPosition::ManBonus(square, side);
    const bool homeRow = RowsAhead[square][side] == BoardRows - 1;
    return homeRow && EdgeDistance[square] <= 1 ? bonus + 0.05 : bonus;
}

} // namespace quorvin
