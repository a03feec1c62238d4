// One engine of a Hub match: the child process, its handshake, and a move asked for in the
// position of a game. Anything the engine says that the protocol does not allow at that
// point, an illegal move, or silence past the time-out, is a protocol error, which ends the
// match.
#pragma once

#include "hub_client.h"
#include "hub_notation.h"

#include "game.h"

#include <stdexcept>
#include <string>

namespace quorvin::match {

struct TProtocolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct TEngineMove {
    int Index = 0;    // in the current position's Moves
    long long Ms = 0; // from the go to the done
    int Infos = 0;    // info lines before the done
};

class TMatchEngine {
  public:
    // Starts `program hub`, completes the handshake and sets the variant. Throws
    // TProtocolError.
    TMatchEngine(const std::string& name, const std::string& program, std::string_view variant);

    const std::string& Name() const { return EngineName; }
    const std::string& Id() const { return IdLine; }

    void NewGame();
    // The engine's move in the game's current position (Moves filled), given as the initial
    // position and the moves played since, under "level move-time=". Throws TProtocolError.
    TEngineMove Play(const cli::THubBoard& board, const std::string& initial,
                     const std::string& moves, const TGame& game, double moveTime);
    // A ping answered by a pong and nothing else.
    void Ping();
    // Sends quit and answers the engine's exit status (-1 when it had to be killed).
    int Quit();

  private:
    std::string EngineName;
    cli::THubClient Client;
    std::string IdLine;

    void Send(const std::string& line);
    // The next line, or TProtocolError after timeoutMs or at the end of the output; an error
    // line is a protocol error too.
    std::string Receive(int timeoutMs, const std::string& waitingFor);
};

} // namespace quorvin::match
