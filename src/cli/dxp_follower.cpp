// The DamExchange follower; see dxp_follower.h.
#include "dxp_follower.h"

#include "dxp_board.h"

#include "pdn.h"
#include "root_search.h"

#include <algorithm>

namespace quorvin::cli {

namespace {
// Below this a search is hardly one iteration deep.
constexpr double ShortestMove = 0.01;

int SecondsOf(long long ms) {
    return static_cast<int>(std::min(9999LL, (ms + 500) / 1000));
}
} // namespace

TDxpFollower::TDxpFollower(const TDxpFollowerOptions& options, TSend send, TFinished finished,
                           std::ostream& log)
    : Options(options), Send(std::move(send)), Finished(std::move(finished)), Log(log) {}

void TDxpFollower::Complain(const std::string& what) {
    Log << "dxp: " << what << "\n" << std::flush;
    Send(TDxpChat{what});
}

void TDxpFollower::Handle(std::string_view text) {
    TDxpMessage message;
    try {
        message = ParseDxpMessage(text);
    } catch (const TDxpError& e) {
        Log << "dxp: unreadable message \"" << text << "\": " << e.what() << "\n" << std::flush;
        if (e.Header == 'R') {
            // The GAMEREQ of another version reads wrongly from its first field on.
            const bool otherVersion = text.size() >= 3 && text.substr(1, 2) != "01";
            Send(TDxpGameAcc{Options.Name, otherVersion ? TDxpAcceptance::WrongVersion
                                                        : TDxpAcceptance::Declined});
        } else if (e.Header == 'M' && Phase == TPhase::Playing && !OurTurn()) {
            Send(TDxpChat{e.what()});
            EndGame(TGameResult::Unknown, PeerName + " sent an unreadable move");
        } else {
            Send(TDxpChat{e.what()});
        }
        return;
    }
    if (const auto* m = std::get_if<TDxpGameReq>(&message)) {
        GameRequest(*m);
    } else if (const auto* m = std::get_if<TDxpMove>(&message)) {
        PeerMove(*m);
    } else if (const auto* m = std::get_if<TDxpGameEnd>(&message)) {
        GameEnd(*m);
    } else if (const auto* m = std::get_if<TDxpChat>(&message)) {
        Log << "dxp: chat from " << (PeerName.empty() ? "the initiator" : PeerName) << ": "
            << m->Text << "\n"
            << std::flush;
    } else if (std::holds_alternative<TDxpBackReq>(message)) {
        Log << "dxp: take-back request answered: not supported\n" << std::flush;
        Send(TDxpBackAcc{TDxpBackAnswer::NotSupported});
    } else {
        Complain(std::string(DxpMessageName(message)) + " is not sent to a follower; ignored");
    }
}

void TDxpFollower::GameRequest(const TDxpGameReq& request) {
    if (Phase != TPhase::Idle) {
        Log << "dxp: GAMEREQ during a game declined\n" << std::flush;
        Send(TDxpGameAcc{Options.Name, TDxpAcceptance::Declined});
        return;
    }
    if (request.Version != DxpVersion) {
        Log << "dxp: GAMEREQ of protocol version " << request.Version << " declined\n"
            << std::flush;
        Send(TDxpGameAcc{Options.Name, TDxpAcceptance::WrongVersion});
        return;
    }
    try {
        Game = DxpStartGame(request);
    } catch (const TDxpError& e) {
        Log << "dxp: " << e.what() << "; declined\n" << std::flush;
        Send(TDxpGameAcc{Options.Name, TDxpAcceptance::Declined});
        return;
    }
    OurSide = SideOfDxpColour(request.FollowerColour);
    PeerName = request.Initiator.empty() ? "the initiator" : request.Initiator;
    const int moves = request.Moves > 0 ? request.Moves : DxpAssumedMoves;
    MoveSeconds = Options.MoveTime.value_or(
        std::max(ShortestMove, request.Minutes * 60.0 / static_cast<double>(moves)));
    Report = TDxpGameReport();
    Report.White = OurSide == White ? Options.Name : PeerName;
    Report.Black = OurSide == Black ? Options.Name : PeerName;
    Phase = TPhase::Playing;
    Send(TDxpGameAcc{Options.Name, TDxpAcceptance::Accepted});
}

bool TDxpFollower::OurTurn() const {
    return Phase == TPhase::Playing && Game->CurrentPosition().SideToMove == OurSide;
}

void TDxpFollower::Move() {
    if (!OurTurn()) return;
    TGame& game = *Game;
    const TOutcome outcome = JudgeCurrentPosition(game);
    if (outcome.Kind != TOutcomeKind::Playing) {
        EndGame(PdnResult(outcome), DxpOutcomeText(outcome));
        return;
    }
    const long long start = TickCount();
    const int index = ChooseDxpMove(game, MoveSeconds, Options.Engine);
    const TPosition& p = game.CurrentPosition();
    Send(DxpMoveOf(p, index, SecondsOf(TickCount() - start)));
    game.PlayMove(index);
    ++Report.Plies;
}

void TDxpFollower::PeerMove(const TDxpMove& move) {
    if (Phase != TPhase::Playing || OurTurn()) {
        Complain("MOVE " + DxpMoveText(move) + " while none was expected; ignored");
        return;
    }
    TGame& game = *Game;
    // A game over by the rules on the initiator's turn is ended as soon as it is ours.
    const TOutcome outcome = JudgeCurrentPosition(game);
    if (outcome.Kind != TOutcomeKind::Playing) {
        EndGame(PdnResult(outcome), DxpOutcomeText(outcome));
        return;
    }
    int index = 0;
    try {
        index = FindDxpMove(game.CurrentPosition(), move);
    } catch (const TDxpError& e) {
        Log << "dxp: " << e.what() << "; the game is ended\n" << std::flush;
        Send(TDxpChat{e.what()});
        EndGame(TGameResult::Unknown, PeerName + " played an illegal move, " + DxpMoveText(move));
        return;
    }
    game.PlayMove(index);
    ++Report.Plies;
}

void TDxpFollower::GameEnd(const TDxpGameEnd& end) {
    Stop = Stop || end.StopAll;
    if (Phase == TPhase::Ending) { // the answer to ours
        Finish();
        return;
    }
    if (Phase == TPhase::Idle) {
        if (!end.StopAll) Log << "dxp: GAMEEND outside a game; ignored\n" << std::flush;
        return;
    }
    if (OurTurn())
        Log << "dxp: GAMEEND on this program's turn; the game ends all the same\n" << std::flush;
    Send(TDxpGameEnd{TDxpEndReason::Unknown, end.StopAll});
    // The board's verdict before the initiator's word.
    const TOutcome outcome = JudgeCurrentPosition(*Game);
    if (outcome.Kind != TOutcomeKind::Playing) {
        Report.Result = PdnResult(outcome);
        Report.Reason = DxpOutcomeText(outcome);
    } else {
        const int sender = Opponent[OurSide];
        Report.Result = ResultOfDxpEnd(end.Reason, sender);
        static constexpr const char* Says[] = {"ended the game", "gave up", "claimed a draw",
                                               "claimed the win"};
        Report.Reason = PeerName + " " + Says[static_cast<int>(end.Reason)];
    }
    Finish();
}

void TDxpFollower::EndGame(TGameResult result, const std::string& reason) {
    Report.Result = result;
    Report.Reason = reason;
    Phase = TPhase::Ending;
    Send(TDxpGameEnd{DxpEndReasonFor(result, OurSide), false});
}

void TDxpFollower::ConnectionLost() {
    if (Phase == TPhase::Idle) return;
    if (Phase == TPhase::Playing) Report.Reason = "the connection closed during the game";
    Log << "dxp: the connection closed during a game\n" << std::flush;
    Finish();
}

void TDxpFollower::Finish() {
    Phase = TPhase::Idle;
    if (Finished) Finished(*Game, Report);
    Game.reset();
}

void RunDxpFollower(TDxpConnection& connection, const TDxpFollowerOptions& options,
                    const TDxpFollower::TFinished& finished, std::ostream& log, bool verbose) {
    auto send = [&](const TDxpMessage& message) {
        const std::string text = FormatDxpMessage(message);
        if (verbose) log << "dxp > " << text << "\n" << std::flush;
        // A peer that has gone is noticed by the next read.
        connection.Send(text);
    };
    TDxpFollower follower(options, send, finished, log);
    while (!follower.Stopped()) {
        if (follower.OurTurn()) {
            follower.Move();
            continue;
        }
        const TDxpConnection::TReceived received = connection.Receive(-1);
        if (received.Status != TDxpConnection::TStatus::Message) {
            follower.ConnectionLost();
            return;
        }
        if (verbose) log << "dxp < " << received.Text << "\n" << std::flush;
        follower.Handle(received.Text);
    }
}

} // namespace quorvin::cli
