// Games this program referees: the game record is kept here and judged by the rules after
// every move, and each side is a player that answers with its moves: this program's own
// search, a DamExchange follower on the other end of a connection (this program being the
// initiator), or, in the match tool, a Hub engine. The record ends when a side has no move,
// a draw rule holds, a player's program ends the game, or a player can no longer play.
//
// A DXP follower is told of every move of its opponent, and a game is ended with it the way
// the protocol asks: the side to move sends the GAMEEND and the other confirms it, so when
// the follower is to move at the end the referee waits for its GAMEEND (or for its move, and
// then sends its own).
#pragma once

#include "dxp_connection.h"
#include "dxp_player.h"
#include "dxp_protocol.h"
#include "dxp_report.h"

#include "game.h"

#include <array>
#include <ostream>
#include <string>

namespace quorvin::cli {

// A player's answer when it is to move.
struct TDxpTurn {
    enum class TKind {
        Move,  // Index: the move, in the current position's Moves
        Ended, // the player's program ended the game; Result: what its GAMEEND said
        Gone,  // the player can play no more (connection closed, silent, broken)
    };
    TKind Kind = TKind::Move;
    int Index = 0;
    TGameResult Result = TGameResult::Unknown;
    std::string Note; // with Ended and Gone: what happened
};

class TDxpGamePlayer {
  public:
    virtual ~TDxpGamePlayer() = default;
    virtual std::string Name() const = 0;
    // A new game from the game's current position, this player on `side`; false, with a
    // note, when the player's program declines it.
    virtual bool Start(const TGame& game, int side, std::string& note) = 0;
    // The player's answer in the game's current position (its Moves filled).
    virtual TDxpTurn Play(TGame& game) = 0;
    // Move `index` of `before` was played, by this player (own) or its opponent.
    virtual void Played(const TPosition& before, int index, long long ms, bool own) = 0;
    // The game ended at the game's current position with this result.
    virtual void Finish(const TGame& game, TGameResult result) = 0;
    // Whether the player can play another game.
    virtual bool Alive() const { return true; }
};

// This program's search, through ChooseDxpMove.
class TDxpLocalPlayer final : public TDxpGamePlayer {
  public:
    TDxpLocalPlayer(std::string name, double moveTime, TDxpEngine engine)
        : PlayerName(std::move(name)), MoveTime(moveTime), Engine(engine) {}
    std::string Name() const override { return PlayerName; }
    bool Start(const TGame&, int, std::string&) override { return true; }
    TDxpTurn Play(TGame& game) override;
    void Played(const TPosition&, int, long long, bool) override {}
    void Finish(const TGame&, TGameResult) override {}

  private:
    std::string PlayerName;
    double MoveTime;
    TDxpEngine Engine;
};

struct TDxpPeerOptions {
    std::string Name;      // this program's name in the GAMEREQ
    double MoveTime = 1.0; // gives the GAMEREQ's thinking time: DxpAssumedMoves moves of it
    int ReplyMs = 30000;   // the longest wait for a message the peer owes, beyond MoveTime
    bool Verbose = false;  // every message sent and received goes to the log
};

// A DXP follower on a connection, with this program as the initiator.
class TDxpPeer final : public TDxpGamePlayer {
  public:
    TDxpPeer(TDxpConnection& connection, const TDxpPeerOptions& options, std::ostream& log);
    std::string Name() const override { return PeerName; }
    bool Start(const TGame& game, int side, std::string& note) override;
    TDxpTurn Play(TGame& game) override;
    void Played(const TPosition& before, int index, long long ms, bool own) override;
    void Finish(const TGame& game, TGameResult result) override;
    bool Alive() const override { return Connection.Open() && !StopAll; }

  private:
    TDxpConnection& Connection;
    TDxpPeerOptions Options;
    std::ostream& Log;
    std::string PeerName = "DXP peer";
    int Side = Black;
    bool Ended = false; // the GAMEEND of this game has been sent and answered
    bool StopAll = false;

    void Send(const TDxpMessage& message);
    // The next message, the unreadable ones logged and skipped; empty when the connection
    // closed or nothing came within the reply time (the connection is then closed).
    std::optional<TDxpMessage> Next(const char* waitingFor, TDxpError* unreadable = nullptr);
    // Answers what may come at any time (CHAT, BACKREQ); true when it was one of them.
    bool Aside(const TDxpMessage& message);
    // Sends this side's GAMEEND and waits for the answer.
    void EndGame(TDxpEndReason reason);
};

// Plays one game between players[White] and players[Black] from the game's current
// position; a game longer than maxPlies is stopped unfinished.
TDxpGameReport PlayDxpGame(const std::array<TDxpGamePlayer*, 2>& players, TGame& game,
                           int maxPlies);

// The minutes of a GAMEREQ for games of this many seconds a move (1..999).
int DxpMinutesFor(double moveTime);

} // namespace quorvin::cli
