// Results and records of DamExchange games; see dxp_report.h.
#include "dxp_report.h"

#include "pdn.h"

namespace quorvin::cli {

std::string DxpOutcomeText(const TOutcome& outcome) {
    switch (outcome.Kind) {
    case TOutcomeKind::Lost:
        return outcome.Loser == White ? "white has no move" : "black has no move";
    case TOutcomeKind::Draw:
        switch (outcome.Rule) {
        case TDrawRule::Repetition:
            return "draw by threefold repetition";
        case TDrawRule::QuietMoves:
            return "draw by quiet king moves";
        case TDrawRule::ThreeKings:
            return "draw by three kings against one";
        case TDrawRule::None:
            break;
        }
        break;
    case TOutcomeKind::Playing:
        break;
    }
    return "the game goes on";
}

TGameResult ResultOfDxpEnd(TDxpEndReason reason, int sender) {
    const TGameResult senderWins =
        sender == White ? TGameResult::WhiteWins : TGameResult::BlackWins;
    const TGameResult senderLoses =
        sender == White ? TGameResult::BlackWins : TGameResult::WhiteWins;
    switch (reason) {
    case TDxpEndReason::GiveUp:
        return senderLoses;
    case TDxpEndReason::Draw:
        return TGameResult::Draw;
    case TDxpEndReason::Win:
        return senderWins;
    case TDxpEndReason::Unknown:
        break;
    }
    return TGameResult::Unknown;
}

TDxpEndReason DxpEndReasonFor(TGameResult result, int sender) {
    switch (result) {
    case TGameResult::Draw:
        return TDxpEndReason::Draw;
    case TGameResult::WhiteWins:
        return sender == White ? TDxpEndReason::Win : TDxpEndReason::GiveUp;
    case TGameResult::BlackWins:
        return sender == Black ? TDxpEndReason::Win : TDxpEndReason::GiveUp;
    case TGameResult::Unknown:
        break;
    }
    return TDxpEndReason::Unknown;
}

std::string DxpResultText(TGameResult result) {
    return TNotation().ResultText(result);
}

std::string DxpPdnGame(const TGame& game, const TDxpGameReport& report, const std::string& event,
                       int round) {
    TPdnHeader header;
    header.Event = event;
    header.Round = std::to_string(round);
    header.White = report.White;
    header.Black = report.Black;
    header.Result = report.Result;
    header.Extra.push_back({"Termination", report.Reason, 0});
    return FormatPdnGame(game, TNotation(), header, true);
}

} // namespace quorvin::cli
