// Spanish checkers: international draughts in which men capture only forwards.
#pragma once

#include "draughts_position.h"

namespace quorvin {

inline constexpr TRuleSwitches SpanishSwitches{.MenCaptureBackwards = false};

class TSpanishPosition : public TDraughtsPosition {
  public:
    TSpanishPosition() : TDraughtsPosition(SpanishSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;

  protected:
    explicit TSpanishPosition(const TRuleSwitches& switches) : TDraughtsPosition(switches) {}
};

} // namespace quorvin
