// The think driver; see think.h.
#include "think.h"

#include "master_think.h"
#include "root_search.h"
#include "search.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <thread>

namespace quorvin {

void TPosition::SetLevel(int levelIndex, bool positional) {
    if (levelIndex >= 0 && levelIndex <= 2) {
        FixedDepth = true;
        DepthLimit = levelIndex;
    } else if (levelIndex >= 3 && levelIndex < LevelCount) {
        FixedDepth = false;
        TimeLimit = LevelTimeLimit[levelIndex];
    } else {
        FixedDepth = true;
        DepthLimit = 2;
    }
    BuildValueTable(positional);
}

std::string FixedText(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    // A value that rounds to zero reads as zero, without a sign.
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string ForecastText(double score, const std::function<std::string(const std::string&)>& tr) {
    auto t = [&](const std::string& s) { return tr ? tr(s) : s; };
    if (IsForced(score))
        return t(score > 0 ? "Victory" : "Defeat") + " " + t("in") + " " +
               std::to_string(std::lround(999 - std::abs(score))) + " " + t("half-move(s)");
    return t("Forecast:") + " " + FixedText(score, 1);
}

TSearchState& ThinkSearchState() {
    static TSearchState state;
    return state;
}

namespace {
// The window's levels under the root search: the fixed-depth levels search once, the timed
// ones deepen with the side's budget (AdaptBudget) while the time used so far and one more
// iteration as long as the last one stay within the level's time.
class TThinkControl final : public TRootControl {
  public:
    TThinkControl(TGame& game, TThinkObserver* observer, long long t0)
        : Game(game), Position(game.CurrentPosition()), Observer(observer),
          Side(Position.SideToMove), T0(t0) {}

    TThinkResult Result;

    bool Horizon(int number, TRootHorizon& horizon) override {
        if (number > 1 && Position.FixedDepth) return false;
        if (!Position.FixedDepth) Game.AdaptBudget();
        if (Observer) Observer->IterationStarted(Side, Position.Budget);
        horizon.FixedDepth = Position.FixedDepth;
        horizon.Depth = Position.DepthLimit;
        horizon.Budget = Position.Budget;
        return true;
    }

    bool IterationDone(const TRootIteration& it) override {
        // A broken-off iteration that searched no move to the end has no score of its own:
        // the one before stands.
        const double score = it.Complete || it.Best >= 1 ? it.Score : Result.Score;
        Result.Score = score;
        const long long t1 = it.StartMs, t2 = it.EndMs;
        Position.LastTime = static_cast<int>(t2 - t1);
        // A forced result keeps the next adaptation from raising the budget.
        if (IsForced(score)) Position.LastTime = std::max(Position.LastTime, Position.TimeLimit);
        if (Observer) {
            TThinkIteration report;
            report.Side = Side;
            report.Budget = Position.Budget;
            report.AverageDepth = it.MeanDepth;
            report.MinDepth = it.MinLeafDepth == INT_MAX ? 0 : it.MinLeafDepth;
            report.MaxDepth = it.MaxLeafDepth;
            report.TotalMs = t2 - T0;
            report.IterationMs = t2 - t1;
            report.Positions = it.Nodes;
            report.PositionsPerSecond = t2 == T0
                                            ? 0
                                            : std::llround(static_cast<double>(it.Nodes) * 1000.0 /
                                                           static_cast<double>(t2 - T0));
            report.Score = score;
            Observer->IterationDone(report);
        }
        return (t2 - T0) + (t2 - t1) <= Position.TimeLimit;
    }

  private:
    TGame& Game;
    TPosition& Position;
    TThinkObserver* Observer;
    int Side;
    long long T0;
};
} // namespace

void FinishThinking(const TThinkRequest& request, long long t0, TThinkResult& result) {
    TSearchState& state = ThinkSearchState();
    if (request.Observer) request.Observer->SearchFinished();
    while (TickCount() - t0 < request.MinimumMs) {
        if (state.PumpHook) state.PumpHook();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (state.StopRequested()) result.Move = 0;
    state.ClearStop();
}

TThinkResult ThinkMove(TGame& game, const TThinkRequest& request) {
    if (request.Level == MasterLevelIndex) return MasterThinkMove(game, request);
    TSearchState& state = ThinkSearchState();
    TPosition& p = game.CurrentPosition();
    TThinkObserver* observer = request.Observer;

    p.SetLevel(request.Level, request.Disposition);
    p.Evaluate();
    p.Moves.Shuffle();
    const long long t0 = TickCount();
    TThinkControl control(game, observer, t0);
    TThinkResult& result = control.Result;
    result.Move = 1;

    if (game.SingleMove() || game.RandomLevel()) {
        game.InheritBudget();
        if (observer) observer->NoSearch(p.SideToMove);
    } else {
        // Every iteration tries the moves in the shuffled order, which thus chooses among
        // equal moves.
        TRootSearch search(p, state);
        const TRootResult found = search.Run(control);
        result.Move = found.Move;
        result.Nodes = found.Nodes;
        result.Iterations = found.Iterations;
    }

    FinishThinking(request, t0, result);
    return result;
}

} // namespace quorvin
