// Italian draughts (dama italiana): 8 x 8 with the board turned (Coloring on), White first;
// men capture forwards only and never take kings; kings move and capture one square in any
// direction. Of the captures the one to play is chosen by the most pieces taken, then a
// king's capture over a man's, then the most kings taken, then the one that meets a king
// earliest; after that the choice is free.
#pragma once

#include "english_position.h"

namespace quorvin {

inline constexpr TRuleSwitches ItalianSwitches{.MenCaptureBackwards = false,
                                               .Kings = TKingMoves::Short,
                                               .MaxCapture = false,
                                               .MenTakeKings = false,
                                               .CapturePrecedence = true};

class TItalianPosition : public TEnglishPosition {
  public:
    TItalianPosition() : TEnglishPosition(ItalianSwitches) {}

    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    double KingValue() const override;
};

} // namespace quorvin
