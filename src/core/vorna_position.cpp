// The evaluation terms of Vorna.
#include "vorna_position.h"

#include <cmath>

namespace quorvin {

std::unique_ptr<TPosition> TVornaPosition::NewPosition() const {
    return std::make_unique<TVornaPosition>();
}

std::unique_ptr<TPosition> TVornaPosition::Clone() const {
    return std::make_unique<TVornaPosition>(*this);
}

int TVornaPosition::MenPerSide() const {
    if (BoardRows % 2 == 1)
        return static_cast<int>(std::nearbyint(SquareCount / 2.0 - 3.0 * BoardFiles / 4.0));
    return (SquareCount - BoardFiles) / 2;
}

double TVornaPosition::ManBonus(int square, int side) const {
    return static_cast<double>(RowsAhead[square][side]) / BoardRows +
           static_cast<double>(EdgeDistance[square]) / BoardFiles;
}

double TVornaPosition::KingBonus(int, int) const {
    return 0.0;
}

} // namespace quorvin
