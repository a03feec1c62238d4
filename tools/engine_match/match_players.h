// The engines of a match, each named by one argument:
//   hub:PROGRAM            a Hub engine, started as "PROGRAM hub" (quorvin-cli, Scan, ...)
//   dxp:HOST:PORT          a DamExchange follower listening there (Moby Dam, quorvin-cli dxp)
//   quorvin[:classic|master]  this program's own search, in the match tool's process
// and each turned into a player of the refereed games of dxp_referee.h.
#pragma once

#include "dxp_connection.h"
#include "dxp_referee.h"

#include <memory>
#include <ostream>
#include <string>

namespace quorvin::match {

struct TPlayerSettings {
    double MoveTime = 0.5;
    int InitTimeoutMs = 60000; // a Hub engine's init
    std::string Chat;          // sent to a DXP engine once connected, when not empty
    bool Verbose = false;      // DXP messages on the log
};

// A player and what it owns (a child process, a connection).
class TMatchPlayer {
  public:
    virtual ~TMatchPlayer() = default;
    virtual cli::TDxpGamePlayer& Player() = 0;
};

// Starts or connects the engine an argument names; throws std::runtime_error (a
// cli::TUsageError for an argument that names none) when it cannot.
std::unique_ptr<TMatchPlayer> MakeMatchPlayer(const std::string& spec, const std::string& label,
                                              const TPlayerSettings& settings, std::ostream& log);

} // namespace quorvin::match
