// Refereed games and their players; see dxp_referee.h.
#include "dxp_referee.h"

#include "dxp_board.h"

#include "pdn.h"
#include "root_search.h"

#include <algorithm>
#include <cmath>

namespace quorvin::cli {

namespace {
int SecondsOf(long long ms) {
    return static_cast<int>(std::min(9999LL, (ms + 500) / 1000));
}

bool IsInitial(const TPosition& p) {
    const TGame fresh(TRules::International);
    const TPosition& initial = fresh.CurrentPosition();
    return p.SideToMove == initial.SideToMove && p.SameAs(initial);
}

// What a follower's GAMEEND says, for the report.
std::string EndWords(const std::string& who, TDxpEndReason reason) {
    static constexpr const char* Says[] = {"ended the game", "gave up", "claimed a draw",
                                           "claimed the win"};
    return who + " " + Says[static_cast<int>(reason)];
}
} // namespace

int DxpMinutesFor(double moveTime) {
    const double minutes = std::ceil(moveTime * DxpAssumedMoves / 60.0);
    return static_cast<int>(std::clamp(minutes, 1.0, 999.0));
}

TDxpTurn TDxpLocalPlayer::Play(TGame& game) {
    TDxpTurn turn;
    turn.Index = ChooseDxpMove(game, MoveTime, Engine);
    return turn;
}

TDxpPeer::TDxpPeer(TDxpConnection& connection, const TDxpPeerOptions& options, std::ostream& log)
    : Connection(connection), Options(options), Log(log) {}

void TDxpPeer::Send(const TDxpMessage& message) {
    const std::string text = FormatDxpMessage(message);
    if (Options.Verbose) Log << "dxp > " << text << "\n" << std::flush;
    // A peer that has gone is noticed by the next read.
    Connection.Send(text);
}

std::optional<TDxpMessage> TDxpPeer::Next(const char* waitingFor, TDxpError* unreadable) {
    const int timeout = Options.ReplyMs + static_cast<int>(std::lround(Options.MoveTime * 1000.0));
    for (;;) {
        const TDxpConnection::TReceived in = Connection.Receive(timeout);
        if (in.Status == TDxpConnection::TStatus::Closed) {
            Log << "dxp: " << PeerName << " closed the connection while this side waited for "
                << waitingFor << "\n"
                << std::flush;
            Connection.Close();
            return std::nullopt;
        }
        if (in.Status == TDxpConnection::TStatus::TimedOut) {
            Log << "dxp: " << PeerName << " sent nothing for " << timeout / 1000
                << " s while this side waited for " << waitingFor << "; the connection is closed\n"
                << std::flush;
            Connection.Close();
            return std::nullopt;
        }
        if (Options.Verbose) Log << "dxp < " << in.Text << "\n" << std::flush;
        try {
            return ParseDxpMessage(in.Text);
        } catch (const TDxpError& e) {
            Log << "dxp: unreadable message \"" << in.Text << "\": " << e.what() << "\n"
                << std::flush;
            Send(TDxpChat{e.what()});
            if (unreadable && e.Header == 'M') {
                *unreadable = e;
                return std::nullopt;
            }
        }
    }
}

bool TDxpPeer::Aside(const TDxpMessage& message) {
    if (const auto* chat = std::get_if<TDxpChat>(&message)) {
        Log << "dxp: chat from " << PeerName << ": " << chat->Text << "\n" << std::flush;
        return true;
    }
    if (std::holds_alternative<TDxpBackReq>(message)) {
        Log << "dxp: take-back request answered: not supported\n" << std::flush;
        Send(TDxpBackAcc{TDxpBackAnswer::NotSupported});
        return true;
    }
    return false;
}

bool TDxpPeer::Start(const TGame& game, int side, std::string& note) {
    Ended = false;
    Side = side;
    TDxpGameReq request;
    request.Initiator = Options.Name;
    request.FollowerColour = DxpColourOf(side);
    request.Minutes = DxpMinutesFor(Options.MoveTime);
    const TPosition& start = game.CurrentPosition();
    if (!IsInitial(start)) request.Setup = DxpSetupOf(start);
    Send(request);
    for (;;) {
        const std::optional<TDxpMessage> message = Next("GAMEACC");
        if (!message) {
            note = "did not answer the GAMEREQ";
            return false;
        }
        if (Aside(*message)) continue;
        if (const auto* acc = std::get_if<TDxpGameAcc>(&*message)) {
            if (!acc->Follower.empty()) PeerName = acc->Follower;
            if (acc->Code == TDxpAcceptance::Accepted) return true;
            // Code 2 declines this game only.
            StopAll = acc->Code != TDxpAcceptance::Declined;
            note = "declined the game (GAMEACC code " +
                   std::to_string(static_cast<int>(acc->Code)) + ")";
            return false;
        }
        Log << "dxp: " << DxpMessageName(*message)
            << " while this side waited for GAMEACC; ignored\n"
            << std::flush;
    }
}

TDxpTurn TDxpPeer::Play(TGame& game) {
    TDxpTurn turn;
    for (;;) {
        TDxpError unreadable(0, "");
        const std::optional<TDxpMessage> message = Next("a MOVE", &unreadable);
        const TDxpMove* move = message ? std::get_if<TDxpMove>(&*message) : nullptr;
        if (!message && unreadable.Header != 'M') {
            turn.Kind = TDxpTurn::TKind::Gone;
            turn.Note = PeerName + " left the game";
            return turn;
        }
        if (message && Aside(*message)) continue;
        if (!message || move) {
            // A move that cannot be read or played ends the game, on this side's turn now.
            std::string problem = unreadable.what();
            if (move) {
                try {
                    turn.Index = FindDxpMove(game.CurrentPosition(), *move);
                    return turn;
                } catch (const TDxpError& e) {
                    problem = e.what();
                    Log << "dxp: " << problem << "; the game is ended\n" << std::flush;
                    Send(TDxpChat{problem});
                }
            }
            EndGame(TDxpEndReason::Unknown);
            turn.Kind = TDxpTurn::TKind::Ended;
            turn.Note = PeerName + ": " + problem;
            return turn;
        }
        if (const auto* end = std::get_if<TDxpGameEnd>(&*message)) {
            Send(TDxpGameEnd{TDxpEndReason::Unknown, end->StopAll});
            StopAll = end->StopAll;
            Ended = true;
            turn.Kind = TDxpTurn::TKind::Ended;
            turn.Result = ResultOfDxpEnd(end->Reason, Side);
            turn.Note = EndWords(PeerName, end->Reason);
            return turn;
        }
        Log << "dxp: " << DxpMessageName(*message)
            << " while this side waited for a MOVE; ignored\n"
            << std::flush;
        Send(TDxpChat{std::string(DxpMessageName(*message)) + " out of place; ignored"});
    }
}

void TDxpPeer::Played(const TPosition& before, int index, long long ms, bool own) {
    if (!own && Connection.Open()) Send(DxpMoveOf(before, index, SecondsOf(ms)));
}

void TDxpPeer::Finish(const TGame& game, TGameResult result) {
    if (Ended || !Connection.Open()) return;
    // Only the side to move may end a game: when that is the follower, its GAMEEND, or the
    // move it plays instead, comes first.
    if (game.CurrentPosition().SideToMove == Side) {
        for (bool waiting = true; waiting;) {
            TDxpError unreadable(0, "");
            const std::optional<TDxpMessage> message = Next("the end of the game", &unreadable);
            if (!message) {
                if (unreadable.Header != 'M') return;
                break;
            }
            if (Aside(*message)) continue;
            if (const auto* end = std::get_if<TDxpGameEnd>(&*message)) {
                Send(TDxpGameEnd{TDxpEndReason::Unknown, end->StopAll});
                StopAll = end->StopAll;
                Ended = true;
                return;
            }
            waiting = !std::holds_alternative<TDxpMove>(*message);
            if (waiting)
                Log << "dxp: " << DxpMessageName(*message)
                    << " while this side waited for the end of the game; ignored\n"
                    << std::flush;
        }
    }
    EndGame(DxpEndReasonFor(result, Opponent[Side]));
}

void TDxpPeer::EndGame(TDxpEndReason reason) {
    Send(TDxpGameEnd{reason, false});
    for (;;) {
        const std::optional<TDxpMessage> message = Next("the answer to GAMEEND");
        if (!message) return;
        if (Aside(*message)) continue;
        if (const auto* end = std::get_if<TDxpGameEnd>(&*message)) {
            StopAll = end->StopAll;
            Ended = true;
            return;
        }
        Log << "dxp: " << DxpMessageName(*message)
            << " while this side waited for the answer to GAMEEND; ignored\n"
            << std::flush;
    }
}

TDxpGameReport PlayDxpGame(const std::array<TDxpGamePlayer*, 2>& players, TGame& game,
                           int maxPlies) {
    TDxpGameReport report;
    std::array<bool, 2> started{};
    for (const int side : {White, Black}) {
        std::string note;
        started[side] = players[side]->Start(game, side, note);
        if (!started[side]) {
            report.Reason = players[side]->Name() + " " + note;
            for (const int s : {White, Black})
                if (started[s]) players[s]->Finish(game, report.Result);
            report.White = players[White]->Name();
            report.Black = players[Black]->Name();
            return report;
        }
    }
    report.White = players[White]->Name();
    report.Black = players[Black]->Name();
    for (;;) {
        const TOutcome outcome = JudgeCurrentPosition(game);
        if (outcome.Kind != TOutcomeKind::Playing) {
            report.Result = PdnResult(outcome);
            report.Reason = DxpOutcomeText(outcome);
            break;
        }
        if (report.Plies >= maxPlies) {
            report.Reason = "stopped after " + std::to_string(maxPlies) + " plies";
            break;
        }
        const TPosition& before = game.CurrentPosition();
        const int side = before.SideToMove;
        const long long start = TickCount();
        const TDxpTurn turn = players[side]->Play(game);
        if (turn.Kind != TDxpTurn::TKind::Move) {
            report.Result = turn.Result;
            report.Reason = turn.Note;
            break;
        }
        const long long ms = TickCount() - start;
        for (const int s : {White, Black}) players[s]->Played(before, turn.Index, ms, s == side);
        game.PlayMove(turn.Index);
        ++report.Plies;
    }
    for (const int side : {White, Black}) players[side]->Finish(game, report.Result);
    return report;
}

} // namespace quorvin::cli
