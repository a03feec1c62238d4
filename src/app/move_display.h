// Replaying a move on the board after the game record has advanced: the piece leaves its
// square, hops from landing square to landing square while each taken piece is marked, the
// taken pieces vanish (together or one by one, animated or not) and a crowning is animated.
// The waits between the stages serve no events, so nothing disturbs the replay, and each
// frame is on screen at once because the board shows its drawing immediately.
#pragma once

#include "position.h"
#include "sounds.h"

#include <array>
#include <functional>

namespace quorvin {

class TBoardGrid;

// What the replay looks at: "Animation", "Capture one by one", the Vorna rules and "Mark
// blocked". Read from the settings at the start of every move.
struct TDisplayOptions {
    bool Animation = true;
    bool CaptureOneByOne = true;
    bool Vorna = false;
    bool MarkBlocked = false;

    static TDisplayOptions FromSettings();
};

class TMoveDisplay {
  public:
    using TSoundPlayer = std::function<void(TSound)>;

    TMoveDisplay(TBoardGrid& grid, TSoundPlayer playSound);

    // Shows move m, which led from `before` to `after`; `after` is what the board shows.
    void ShowMove(const TMove& m, const TPosition& before, const TPosition& after,
                  const TDisplayOptions& options);

  private:
    // Makes the taken pieces Captured[first..last] vanish together.
    void RemoveCaptured(const TMove& m, int first, int last);

    TBoardGrid& Grid;
    TSoundPlayer PlaySound;
    // The move being shown: its options and the boards before and after it.
    TDisplayOptions Options;
    TSquares OldBoard{};
    TSquares NewBoard{};
};

} // namespace quorvin
