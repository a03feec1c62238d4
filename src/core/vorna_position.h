// Vorna: men only, moving and capturing forwards; the longest capture is compulsory, taken
// pieces are not removed but change sides, and there is no crowning.
#pragma once

#include "position.h"

namespace quorvin {

inline constexpr TRuleSwitches VornaSwitches{.MenCaptureBackwards = false,
                                             .Kings = TKingMoves::AsMen,
                                             .MaxCapture = true,
                                             .TakenChangeSides = true,
                                             .Crowning = false};

class TVornaPosition : public TPosition {
  public:
    TVornaPosition() : TPosition(VornaSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    int MenPerSide() const override;
    double ManBonus(int square, int side) const override;
    double KingBonus(int square, int side) const override;
};

} // namespace quorvin
