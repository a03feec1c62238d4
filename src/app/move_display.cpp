// The move replay; see move_display.h.
#include "move_display.h"

#include "draw.h"
#include "settings.h"
#include "tile_cache.h"
#include "waits.h"

namespace quorvin {

namespace {

constexpr int HopMs = 450;        // between two hops of a capture
constexpr int FrameMs = 50;       // between two frames of an animation
constexpr int StillStageMs = 450; // a removal or crowning shown without animation

} // namespace

TDisplayOptions TDisplayOptions::FromSettings() {
    const TSettings& s = Settings();
    TDisplayOptions o;
    o.Animation = s.Checked(TSetting::Animation);
    o.CaptureOneByOne = s.Checked(TSetting::CaptureOneByOne);
    o.Vorna = s.IsVornaRules();
    o.MarkBlocked = s.Checked(TSetting::MarkBlocked);
    return o;
}

TMoveDisplay::TMoveDisplay(TBoardGrid& grid, TSoundPlayer playSound)
    : Grid(grid), PlaySound(std::move(playSound)) {}

void TMoveDisplay::ShowMove(const TMove& m, const TPosition& before, const TPosition& after,
                            const TDisplayOptions& options) {
    Options = options;
    NewBoard = after.Squares();
    OldBoard = before.Squares();
    // The moving piece keeps its old look until the crowning stage.
    const TSquare mover = OldBoard[m.From];

    if (m.CaptureCount == 0) {
        Grid.DrawSquare(m.From);
        Grid.DrawPiece(m.To, mover, false);
        PlaySound(TSound::Move);
    } else {
        for (int k = 1; k <= m.CaptureCount; ++k) {
            if (k > 1) Pause(HopMs);
            Grid.DrawPiece(m.Path[std::size_t(k - 1)], EmptySquare, false);
            Grid.DrawPiece(m.Path[std::size_t(k)], mover, false);
            const int taken = m.Captured[std::size_t(k)];
            Grid.DrawPiece(taken, OldBoard[std::size_t(taken)], true);
            PlaySound(TSound::Move);
        }
        if (Options.CaptureOneByOne) {
            for (int k = 1; k <= m.CaptureCount; ++k) RemoveCaptured(m, k, k);
        } else {
            RemoveCaptured(m, 1, m.CaptureCount);
        }
    }

    if (NewBoard[m.To].Kind != mover.Kind) {
        if (Options.Animation) {
            for (int n = 1; n <= FrameCount; ++n) {
                Grid.DrawCrownFrame(m.To, n);
                Pause(FrameMs);
            }
        } else {
            Pause(StillStageMs);
        }
        Grid.DrawSquare(m.To);
        PlaySound(TSound::Move);
    }

    // A Vorna move can block or free pieces anywhere on the board.
    if (Options.Vorna && Options.MarkBlocked) Grid.RedrawBoard();
}

void TMoveDisplay::RemoveCaptured(const TMove& m, int first, int last) {
    auto taken = [&](int j) { return int(m.Captured[std::size_t(j)]); };
    if (Options.Animation) {
        for (int n = 1; n <= FrameCount; ++n) {
            for (int j = first; j <= last; ++j) {
                if (Options.Vorna)
                    Grid.DrawChangeFrame(taken(j), n);
                else
                    Grid.DrawShrinkFrame(taken(j), n, OldBoard[std::size_t(taken(j))]);
            }
            Pause(FrameMs);
        }
    } else {
        Pause(StillStageMs);
    }
    for (int j = first; j <= last; ++j) Grid.DrawSquare(taken(j));
    PlaySound(TSound::Capture);
}

} // namespace quorvin
