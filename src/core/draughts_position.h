// International draughts: men move forwards and capture in all four directions, kings fly,
// the sequence that takes the most pieces is compulsory. Spanish and Straight checkers
// derive from this class and change its switches and evaluation terms.
#pragma once

#include "position.h"

namespace quorvin {

inline constexpr TRuleSwitches InternationalSwitches{};

class TDraughtsPosition : public TPosition {
  public:
    TDraughtsPosition() : TPosition(InternationalSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    double KingValue() const override;
    double ManBonus(int square, int side) const override;
    double KingBonus(int square, int side) const override;

    bool IsEndgame() const;

  protected:
    explicit TDraughtsPosition(const TRuleSwitches& switches) : TPosition(switches) {}
};

} // namespace quorvin
