// International draughts: men move forwards and capture in all four directions, kings fly,
// the sequence that takes the most pieces is compulsory. Spanish and Straight checkers
// derive from this class and change the rules only through its virtual switches.
#pragma once

#include "position.h"

namespace quorvin {

// Room of the capture search: alternatives at one level (a flying king on 12 x 12 can have
// far more landing squares than a man has directions) and squares on one path.
inline constexpr int MaxCaptureAlternatives = 48;
inline constexpr int MaxCaptureLevels = MaxCaptureLength + 1;

class TDraughtsPosition : public TPosition {
  public:
    std::uint8_t ManCaptureFirst = 0;
    std::uint8_t ManCaptureLast = 3;

    bool GenerateMoves(bool OnlyTest) override;
    bool GenerateCaptures() override;
    std::unique_ptr<TPosition> NewPosition() const override;
    std::unique_ptr<TPosition> Clone() const override;
    void RemovePiece(int square) override;
    void Crown(int square) override;
    double KingValue() const override;
    double ManBonus(int square, int side) const override;
    double KingBonus(int square, int side) const override;

    virtual void SetManCaptureDirections();
    virtual bool ShortKings() const;

    bool IsEndgame() const;
};

} // namespace quorvin
