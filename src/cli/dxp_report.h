// What a DamExchange game leaves behind: who played it, its result and how it ended, and
// its record as a PDN game. A result comes from the rules when the game reached its end on
// the board; otherwise from the GAMEEND a program sent, whose reason ("I give up", "draw",
// "I win") is the sender's own word; a game broken off is unknown ("*").
#pragma once

#include "dxp_protocol.h"

#include "game.h"
#include "notation.h"
#include "referee.h"

#include <string>

namespace quorvin::cli {

struct TDxpGameReport {
    std::string White = "?";
    std::string Black = "?";
    TGameResult Result = TGameResult::Unknown;
    std::string Reason; // how the game ended, for people
    int Plies = 0;
};

// "white has no move", "draw by threefold repetition", ...
std::string DxpOutcomeText(const TOutcome& outcome);

// The result a GAMEEND's reason gives when the side `sender` sent it.
TGameResult ResultOfDxpEnd(TDxpEndReason reason, int sender);
// The reason the side `sender` gives in a GAMEEND for a game with this result.
TDxpEndReason DxpEndReasonFor(TGameResult result, int sender);

// "2-0", "1-1", "0-2" or "*", as International draughts writes results.
std::string DxpResultText(TGameResult result);

// The PDN text of a finished game (the game's board must be the current geometry).
std::string DxpPdnGame(const TGame& game, const TDxpGameReport& report, const std::string& event,
                       int round);

} // namespace quorvin::cli
