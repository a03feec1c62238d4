// Deciding whether the game in the record has ended at its current position: the side to
// move without a legal move has lost; then the draw rules, in their fixed order. The window
// and the command line's self-play ask the same question the same way.
#pragma once

#include "game.h"

#include <functional>
#include <string>

namespace quorvin {

enum class TOutcomeKind { Playing, Lost, Draw };

struct TOutcome {
    TOutcomeKind Kind = TOutcomeKind::Playing;
    int Loser = White;                // with Lost
    TDrawRule Rule = TDrawRule::None; // with Draw
};

// Fills the current position's Moves (ClassifyNode) and judges it.
TOutcome JudgeCurrentPosition(TGame& game);

// The result of the whole record, judged at its last position whatever the cursor, and
// without touching the record's positions: a game record being saved or written out.
TOutcome JudgeRecord(const TGame& game);

// The message shown for an ended game; words pass through translate (identity if empty).
std::string OutcomeMessage(const TOutcome& outcome,
                           const std::function<std::string(const std::string&)>& translate);

// Short names for logs: "white", "black", "draw:repetition", "draw:32-moves", "draw:3-kings".
std::string OutcomeName(const TOutcome& outcome);

} // namespace quorvin
