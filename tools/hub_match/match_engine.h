// One engine of a Hub match: the child process, its handshake, and a move asked for in the
// position of a game. An error line, an illegal move, or silence past the time-out is a
// protocol error, which ends the match. What the protocol allows an engine is taken: lines
// it does not know (ignored), no variant parameter (an engine of International draughts
// only), lines of its own between init and ready, and a long init.
#pragma once

#include "hub_client.h"
#include "hub_notation.h"
#include "hub_protocol.h"

#include "game.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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
    using TParams = std::vector<std::pair<std::string, std::string>>;

    // Starts `program hub`, completes the handshake, sets the variant and the parameters
    // (each of which the engine must offer) and waits up to initTimeoutMs for the engine to
    // be ready. Throws TProtocolError.
    TMatchEngine(const std::string& name, const std::string& program, std::string_view variant,
                 int initTimeoutMs, const TParams& params = {});

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
    // A line split into its arguments, or TProtocolError.
    cli::THubLine Parse(const std::string& text) const;
};

} // namespace quorvin::match
