// The search limits a Hub "level" command sets, and the time a search may take under them.
// A depth limit is a full-width search of that many plies (captures always followed to the
// end), deepened one ply at a time; every other form limits the time, or the positions
// visited, of the engine's usual search, whose leaf budget grows from one iteration to the
// next.
#pragma once

#include "hub_protocol.h"

#include <optional>

namespace quorvin::cli {

enum class THubLimit { Depth, MoveTime, Clock, Nodes, Infinite };

struct THubLevel {
    THubLimit Limit = THubLimit::MoveTime;
    int Depth = 0;         // with Depth: plies
    double MoveTime = 1.0; // with MoveTime: seconds for this move
    int Moves = 0;         // with Clock: moves to play in Time; 0 for the rest of the game
    double Time = 0.0;     // with Clock: seconds left on the clock
    double Increment = 0.0;
    long long Nodes = 0; // with Nodes: the positions the search may visit
};

inline constexpr int HubMaxDepth = 100;

// Reads the arguments of a "level" line: "depth=", "move-time=", "nodes=",
// "[moves=] time= [inc=]" or "infinite". Empty when the line holds none of them: a form this
// engine does not know is ignored, as the protocol asks. Throws THubError on an unreadable
// value of a form it knows.
std::optional<THubLevel> ParseHubLevel(const THubLine& line);

// How long a search may run, in milliseconds from the moment its clock starts. The search
// starts no iteration it expects to end after Soft, and breaks off at Hard.
struct THubTimeBudget {
    bool Unlimited = true; // depth, node and infinite searches run until done or stopped
    long long SoftMs = 0;
    long long HardMs = 0;
};

THubTimeBudget HubTimeBudget(const THubLevel& level);

} // namespace quorvin::cli
