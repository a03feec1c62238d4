// Hub levels and the time they give a move; see hub_level.h.
#include "hub_level.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quorvin::cli {

namespace {
// The moves a clock is assumed to have to last when the level does not say.
constexpr int AssumedMovesToGo = 30;

double Seconds(const THubLine& line, const char* name) {
    const std::string text = line.Value(name).value_or("");
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value) || value < 0.0)
        throw THubError(std::string("level ") + name + " needs a number of seconds, not '" + text +
                        "'");
    return value;
}

int Count(const THubLine& line, const char* name, int lo, int hi) {
    const std::string text = line.Value(name).value_or("");
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < lo ||
        value > hi)
        throw THubError(std::string("level ") + name + " needs a whole number from " +
                        std::to_string(lo) + " to " + std::to_string(hi) + ", not '" + text + "'");
    return value;
}

long long Positions(const THubLine& line, const char* name) {
    const std::string text = line.Value(name).value_or("");
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 1)
        throw THubError(std::string("level ") + name +
                        " needs a whole number of positions above 0, not '" + text + "'");
    return value;
}

long long Milliseconds(double seconds) {
    return std::llround(std::min(seconds, 1e9) * 1000.0);
}
} // namespace

std::optional<THubLevel> ParseHubLevel(const THubLine& line) {
    THubLevel level;
    if (line.Has("infinite")) {
        level.Limit = THubLimit::Infinite;
    } else if (line.Has("depth")) {
        level.Limit = THubLimit::Depth;
        level.Depth = Count(line, "depth", 1, HubMaxDepth);
    } else if (line.Has("move-time")) {
        level.Limit = THubLimit::MoveTime;
        level.MoveTime = Seconds(line, "move-time");
    } else if (line.Has("nodes")) {
        level.Limit = THubLimit::Nodes;
        level.Nodes = Positions(line, "nodes");
    } else if (line.Has("time")) {
        level.Limit = THubLimit::Clock;
        level.Time = Seconds(line, "time");
        // moves=0 is read as no count at all, as some GUIs send it for sudden death.
        if (line.Has("moves")) level.Moves = Count(line, "moves", 0, 100000);
        if (line.Has("inc")) level.Increment = Seconds(line, "inc");
    } else {
        return std::nullopt;
    }
    return level;
}

THubTimeBudget HubTimeBudget(const THubLevel& level) {
    THubTimeBudget budget;
    switch (level.Limit) {
    case THubLimit::Depth:
    case THubLimit::Nodes:
    case THubLimit::Infinite:
        return budget;
    case THubLimit::MoveTime:
        // A little is kept back, so that the answer has crossed the pipe when the time is up.
        budget.Unlimited = false;
        budget.SoftMs = budget.HardMs =
            Milliseconds(level.MoveTime - std::min(0.05 * level.MoveTime, 0.05));
        return budget;
    case THubLimit::Clock:
        break;
    }
    // The increment is added before every move, so this move may use the clock and the
    // increment; a little is kept back against the delays of the pipes.
    budget.Unlimited = false;
    const double available = level.Time + level.Increment;
    const double usable = std::max(0.0, available - std::min(0.05 * available, 0.5));
    const int movesToGo = level.Moves > 0 ? level.Moves : AssumedMovesToGo;
    const double soft = std::min(level.Time / movesToGo + level.Increment, usable);
    budget.SoftMs = Milliseconds(soft);
    budget.HardMs = Milliseconds(std::min(3.0 * soft, usable));
    return budget;
}

} // namespace quorvin::cli
