// Russian draughts (shashki): 8 x 8, White first; men capture forwards and backwards, kings
// fly, and any capture may be chosen, however many it takes. A man that reaches the crowning
// row during a capture is crowned at once and goes on taking as a king.
#pragma once

#include "draughts_position.h"

namespace quorvin {

inline constexpr TRuleSwitches RussianSwitches{.MaxCapture = false, .CrownMidCapture = true};

class TRussianPosition : public TDraughtsPosition {
  public:
    TRussianPosition() : TDraughtsPosition(RussianSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    double ManBonus(int square, int side) const override;
    double KingBonus(int square, int side) const override;

  protected:
    explicit TRussianPosition(const TRuleSwitches& switches) : TDraughtsPosition(switches) {}
};

} // namespace quorvin
