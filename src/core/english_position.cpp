// Straight checkers; see english_position.h.
#include "english_position.h"

namespace quorvin {

std::unique_ptr<TPosition> TEnglishPosition::NewPosition() const {
    return std::make_unique<TEnglishPosition>();
}

std::unique_ptr<TPosition> TEnglishPosition::Clone() const {
    return std::make_unique<TEnglishPosition>(*this);
}

double TEnglishPosition::KingValue() const {
    return 1.6;
}

double TEnglishPosition::ManBonus(int square, int side) const {
    return TDraughtsPosition::ManBonus(square, side) / 3.0;
}

// A king is worth less on the two outer files at either side and on the opponent's two
// back rows, where it has few squares to go to.
double TEnglishPosition::KingBonus(int square, int side) const {
    return EdgeDistance[square] < 2 || RowsAhead[square][side] < 2 ? -0.2 : 0.0;
}

} // namespace quorvin
