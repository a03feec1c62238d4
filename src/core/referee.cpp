// Judging the end of a game; see referee.h.
#include "referee.h"

namespace quorvin {

TOutcome JudgeCurrentPosition(TGame& game) {
    TPosition& p = game.CurrentPosition();
    TOutcome outcome;
    if (p.ClassifyNode(false) == NodeLost) {
        outcome.Kind = TOutcomeKind::Lost;
        outcome.Loser = p.SideToMove;
        return outcome;
    }
    outcome.Rule = game.DrawReached();
    if (outcome.Rule != TDrawRule::None) outcome.Kind = TOutcomeKind::Draw;
    return outcome;
}

TOutcome JudgeRecord(const TGame& game) {
    const auto last = game.Positions(game.Count() - 1).Clone();
    last->ResetForReuse();
    TOutcome outcome;
    if (last->ClassifyNode(false) == NodeLost) {
        outcome.Kind = TOutcomeKind::Lost;
        outcome.Loser = last->SideToMove;
        return outcome;
    }
    outcome.Rule = game.DrawReached(game.Count());
    if (outcome.Rule != TDrawRule::None) outcome.Kind = TOutcomeKind::Draw;
    return outcome;
}

std::string OutcomeMessage(const TOutcome& outcome,
                           const std::function<std::string(const std::string&)>& translate) {
    auto t = [&](const std::string& s) { return translate ? translate(s) : s; };
    switch (outcome.Kind) {
    case TOutcomeKind::Lost:
        return t("The game is finished.") + " " + SideNames[outcome.Loser] + " " + t("have lost.");
    case TOutcomeKind::Draw:
        switch (outcome.Rule) {
        case TDrawRule::Repetition:
            return t("Triple recurrence of the position. A drawn game.");
        case TDrawRule::QuietMoves:
            return t("32 moves without captures and crownes. A drawn game.");
        case TDrawRule::ThreeKings:
            return t("15 moves (3 kings vs 1). A drawn game.");
        case TDrawRule::None:
            break;
        }
        break;
    case TOutcomeKind::Playing:
        break;
    }
    return "";
}

std::string OutcomeName(const TOutcome& outcome) {
    switch (outcome.Kind) {
    case TOutcomeKind::Lost:
        return outcome.Loser == White ? "black" : "white";
    case TOutcomeKind::Draw:
        switch (outcome.Rule) {
        case TDrawRule::Repetition:
            return "draw:repetition";
        case TDrawRule::QuietMoves:
            return "draw:32-moves";
        case TDrawRule::ThreeKings:
            return "draw:3-kings";
        case TDrawRule::None:
            break;
        }
        break;
    case TOutcomeKind::Playing:
        break;
    }
    return "playing";
}

} // namespace quorvin
