// The master search under Hub levels; see hub_master.h.
#include "hub_master.h"

#include "root_search.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace quorvin::cli {

namespace {
constexpr std::size_t PvLimit = 40;

// While the engine ponders, the search has no limit of its own; from the ponder-hit on, this
// clock gives it the level's time and then asks it to stop. The search calls Update through
// the search state's pump hook, which takes no argument, hence the thread-local pointer.
class TPonderClock {
  public:
    TPonderClock(THubSignals& signals, const THubLevel& level)
        : Signals(signals), Budget(HubTimeBudget(level)) {}
    void Update() {
        if (Start < 0 && Signals.PonderHit.load()) Start = TickCount();
        if (Start >= 0 && !Budget.Unlimited && TickCount() - Start >= Budget.HardMs)
            Signals.State.RequestStop();
    }
    bool Hit() const { return Start >= 0; }

  private:
    THubSignals& Signals;
    THubTimeBudget Budget;
    long long Start = -1;
};

thread_local TPonderClock* ActivePonderClock = nullptr;

void UpdatePonderClock() {
    if (ActivePonderClock) ActivePonderClock->Update();
}

// The Hub names of a line of move indices from the root.
std::vector<std::string> LineNames(const TPosition& root, const THubBoard& board,
                                   const std::vector<int>& line) {
    std::vector<std::string> names;
    std::unique_ptr<TPosition> position = root.Clone();
    for (const int index : line) {
        if (names.size() >= PvLimit || index < 1 || index > position->Moves.Count) break;
        names.push_back(board.MoveName(*position, index));
        auto next = root.NewPosition();
        next->PlayMove(*position, index);
        if (next->ClassifyNode(false) != NodeHasMoves) break;
        position = std::move(next);
    }
    return names;
}
} // namespace

TMasterLimits HubMasterLimits(const THubLevel& level) {
    TMasterLimits limits;
    switch (level.Limit) {
    case THubLimit::Depth:
        limits.Depth = level.Depth;
        break;
    case THubLimit::Nodes:
        limits.Nodes = level.Nodes;
        break;
    case THubLimit::MoveTime:
        limits.MoveTimeMs = std::max(1LL, HubTimeBudget(level).HardMs);
        break;
    case THubLimit::Clock:
        limits.ClockMs = std::llround(std::min(level.Time, 1e9) * 1000.0);
        limits.IncrementMs = std::llround(std::min(level.Increment, 1e9) * 1000.0);
        limits.MovesToGo = level.Moves;
        break;
    case THubLimit::Infinite:
        break;
    }
    return limits;
}

THubSearchResult RunHubMasterSearch(TMasterSearch& search, TGame& game, const THubBoard& board,
                                    const THubSearchRequest& request, THubSignals& signals,
                                    const std::function<void(const THubIteration&)>& report) {
    TPosition& root = game.CurrentPosition();
    if (root.Moves.Count == 0) root.ClassifyNode(false);
    const bool ponder = request.Mode == THubGoMode::Ponder;
    const bool analyse = request.Mode == THubGoMode::Analyze;
    TMasterLimits limits = HubMasterLimits(request.Level);
    // Pondering searches until the ponder-hit starts the clock, or until stop.
    if (ponder) {
        limits.MoveTimeMs = 0;
        limits.ClockMs = -1;
    }

    TPonderClock clock(signals, request.Level);
    ActivePonderClock = ponder ? &clock : nullptr;
    signals.State.PumpHook = ponder ? UpdatePonderClock : nullptr;

    const auto infoOf = [&](const TMasterIteration& it) {
        THubIteration info;
        info.Depth = it.Depth;
        info.MeanDepth = it.MeanLeafDepth;
        info.Score = MasterScoreAsMen(it.Score);
        info.Nodes = it.Nodes;
        info.Ms = it.Ms;
        info.Pv = LineNames(root, board, it.Pv);
        if (report) report(info);
    };
    const TMasterResult found =
        search.Think(game, limits, signals.State, infoOf, !analyse && !ponder);

    // An analysis, and pondering before the ponder-hit, end only on stop (or the ponder-hit):
    // a search with nothing left to do waits for it.
    const bool unlimited = request.Level.Limit == THubLimit::Infinite;
    while (!signals.State.StopRequested() && (unlimited || (ponder && !clock.Hit()))) {
        clock.Update();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    signals.State.PumpHook = nullptr;
    ActivePonderClock = nullptr;

    THubSearchResult result;
    result.Move = board.MoveName(root, found.Move);
    if (found.Searched && found.Pv.size() >= 2) {
        const std::vector<std::string> line = LineNames(root, board, found.Pv);
        if (line.size() >= 2) result.Ponder = line[1];
    }
    return result;
}

} // namespace quorvin::cli
