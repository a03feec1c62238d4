// Pool checkers (American pool): Russian draughts' board, men and flying kings, and free
// choice among captures, but Black moves first and a man that passes the crowning row during
// a capture goes on as a man; it is crowned only when its move ends there.
#pragma once

#include "russian_position.h"

namespace quorvin {

inline constexpr TRuleSwitches PoolSwitches{.MaxCapture = false, .FirstSide = Black};

class TPoolPosition : public TRussianPosition {
  public:
    TPoolPosition() : TRussianPosition(PoolSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    double ManBonus(int square, int side) const override;
};

} // namespace quorvin
