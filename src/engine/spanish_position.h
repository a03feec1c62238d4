// Spanish checkers: international draughts in which men capture only forwards.
#pragma once

#include "draughts_position.h"

namespace quorvin {

class TSpanishPosition : public TDraughtsPosition {
  public:
    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    void SetManCaptureDirections() override;
};

} // namespace quorvin
