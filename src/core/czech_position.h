// Czech draughts: 8 x 8, White first; men capture forwards only, kings fly, and when a king
// can capture a king must, otherwise any capture may be chosen.
#pragma once

#include "draughts_position.h"

namespace quorvin {

inline constexpr TRuleSwitches CzechSwitches{
    .MenCaptureBackwards = false, .MaxCapture = false, .KingsCaptureFirst = true};

class TCzechPosition : public TDraughtsPosition {
  public:
    TCzechPosition() : TDraughtsPosition(CzechSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    double ManBonus(int square, int side) const override;
};

} // namespace quorvin
