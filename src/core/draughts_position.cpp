// The evaluation terms of international draughts.
#include "draughts_position.h"

#include <cmath>

namespace quorvin {

std::unique_ptr<TPosition> TDraughtsPosition::NewPosition() const {
    return std::make_unique<TDraughtsPosition>();
}

std::unique_ptr<TPosition> TDraughtsPosition::Clone() const {
    return std::make_unique<TDraughtsPosition>(*this);
}

bool TDraughtsPosition::IsEndgame() const {
    if (Counts[White][King] + Counts[Black][King] > 0) return true;
    return Counts[White][Man] + Counts[Black][Man] <= 0.75 * MenPerSide();
}

double TDraughtsPosition::KingValue() const {
    return IsEndgame() ? 3.1 : 2.9;
}

double TDraughtsPosition::KingBonus(int square, int) const {
    return OnLongDiagonal[square] ? 0.2 : 0.0;
}

double TDraughtsPosition::ManBonus(int square, int side) const {
    const int r = RowsAhead[square][side];
    const int e = EdgeDistance[square];
    const int b = BoardRows - 1 - r;
    if (r == 1) return e == 0 ? 0.4 : 0.8;
    if (r == 2) return e == 0 ? 0.1 : (e == 1 ? 0.2 : 0.4);
    const bool endgame = IsEndgame();
    double v = 0.0;
    if (endgame) v = r <= 3 ? 0.09 : 0.09 / std::pow(1.5, r - 3);
    if (endgame)
        v += e <= 1 ? 0.03 : -0.03;
    else if (e == 1)
        v -= 0.01;
    else if (e >= 2)
        v += 0.03;
    if (!endgame && b <= 1 && e == 0) v -= 0.1;
    if (b == 0 && e == (BoardFiles - 1) / 2) v += 0.1;
    if (r == 3 && e == 2) v += 0.1;
    return v;
}

} // namespace quorvin
