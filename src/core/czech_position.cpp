// The evaluation terms of Czech draughts; see czech_position.h.
#include "czech_position.h"

namespace quorvin {

std::unique_ptr<TPosition> TCzechPosition::NewPosition() const {
    return std::make_unique<TCzechPosition>();
}

std::unique_ptr<TPosition> TCzechPosition::Clone() const {
    return std::make_unique<TCzechPosition>(*this);
}

// Men take only forwards, so a man cannot be taken from behind by another man; advanced men
// are safer than in international draughts and a home-row man guards against kings.
double TCzechPosition::ManBonus(int square, int side) const {
    const double bonus = TDraughtsPosition::ManBonus(square, side);
    const int ahead = RowsAhead[square][side];
    if (ahead == BoardRows - 1) return bonus + 0.05;
    return ahead <= 2 && !IsEndgame() ? bonus + 0.05 : bonus;
}

} // namespace quorvin
