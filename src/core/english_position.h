// Straight checkers: men capture forwards only, kings step one square, any complete capture
// sequence may be chosen (no majority rule), and Black moves first.
#pragma once

#include "spanish_position.h"

namespace quorvin {

inline constexpr TRuleSwitches StraightSwitches{.MenCaptureBackwards = false,
                                                .Kings = TKingMoves::Short,
                                                .MaxCapture = false,
                                                .FirstSide = Black};

class TEnglishPosition : public TSpanishPosition {
  public:
    TEnglishPosition() : TSpanishPosition(StraightSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    double KingValue() const override;
    double ManBonus(int square, int side) const override;
    double KingBonus(int square, int side) const override;

  protected:
    explicit TEnglishPosition(const TRuleSwitches& switches) : TSpanishPosition(switches) {}
};

} // namespace quorvin
