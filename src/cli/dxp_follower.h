// This program as a DamExchange follower: it waits for the initiator's GAMEREQ, accepts or
// declines it with a GAMEACC, then plays its side with MOVE messages until one side ends the
// game with a GAMEEND, which the other confirms with one of its own. One game runs at a time
// and the initiator may ask for the next once the last has ended.
//
// The session only handles messages and plays its turns; RunDxpFollower carries them over a
// connection. What the protocol does not allow is answered the way it asks and written to the
// log, never thrown: a GAMEREQ that cannot be read or played is declined (GAMEACC code 2, or 1
// for another protocol version), a move that is unreadable or illegal ends the game (GAMEEND
// without a result), a take-back request is answered as not supported, and anything else out of
// place is ignored with a CHAT saying why. A game ends by the rules as well: the follower ends
// it with a GAMEEND on its own turn when it has no move or a draw rule holds.
#pragma once

#include "dxp_connection.h"
#include "dxp_player.h"
#include "dxp_protocol.h"
#include "dxp_report.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace quorvin::cli {

struct TDxpFollowerOptions {
    std::string Name;               // the name in the GAMEACC
    std::optional<double> MoveTime; // seconds a move; empty: the GAMEREQ's time shared out
    TDxpEngine Engine = TDxpEngine::Classic;
};

class TDxpFollower {
  public:
    using TSend = std::function<void(const TDxpMessage&)>;
    using TFinished = std::function<void(const TGame&, const TDxpGameReport&)>;

    // send carries a message to the initiator; finished receives every game that ends; the
    // log gets a line for every message that is out of place. The board must be the current
    // geometry (UseDxpBoard).
    TDxpFollower(const TDxpFollowerOptions& options, TSend send, TFinished finished,
                 std::ostream& log);

    // Handles one message from the initiator, as received (without its '\0').
    void Handle(std::string_view text);
    // A game runs and this program is to move in it.
    bool OurTurn() const;
    // Plays this program's turn: its move, or the GAMEEND when the game is over by the rules.
    void Move();
    // The connection has gone: a game that runs ends unfinished.
    void ConnectionLost();
    // The initiator wants no further game.
    bool Stopped() const { return Stop; }

  private:
    enum class TPhase { Idle, Playing, Ending }; // Ending: our GAMEEND awaits its answer

    TDxpFollowerOptions Options;
    TSend Send;
    TFinished Finished;
    std::ostream& Log;
    TPhase Phase = TPhase::Idle;
    std::optional<TGame> Game;
    int OurSide = White;
    std::string PeerName;
    double MoveSeconds = 1.0;
    TDxpGameReport Report;
    bool Stop = false;

    void Complain(const std::string& what);
    void GameRequest(const TDxpGameReq& request);
    void PeerMove(const TDxpMove& move);
    void GameEnd(const TDxpGameEnd& end);
    // Ends the game from this side: sends the GAMEEND and waits for its answer.
    void EndGame(TGameResult result, const std::string& reason);
    void Finish();
};

// Carries the follower's conversation over one connection until the connection closes or
// the initiator stops; messages sent and received go to the log too when verbose.
void RunDxpFollower(TDxpConnection& connection, const TDxpFollowerOptions& options,
                    const TDxpFollower::TFinished& finished, std::ostream& log, bool verbose);

} // namespace quorvin::cli
