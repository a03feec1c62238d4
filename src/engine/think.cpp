// The think driver; see think.h.
#include "think.h"

#include "search.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

namespace quorvin {

long long TickCount() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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

TThinkResult ThinkMove(TGame& game, const TThinkRequest& request) {
    TSearchState& state = ThinkSearchState();
    TPosition& p = game.CurrentPosition();
    TThinkObserver* observer = request.Observer;
    const int side = p.SideToMove;

    p.SetLevel(request.Level, request.Disposition);
    p.Evaluate();
    p.Moves.Shuffle();
    TThinkResult result;
    result.Move = 1;
    const long long t0 = TickCount();

    if (game.SingleMove() || game.RandomLevel()) {
        game.InheritBudget();
        if (observer) observer->NoSearch(side);
    } else {
        for (;;) {
            state.StartIteration();
            if (!p.FixedDepth) game.AdaptBudget();
            if (observer) observer->IterationStarted(side, p.Budget);
            const long long t1 = TickCount();
            double avgDepth = 0.0, score = 0.0;
            const int best = p.Search(state, 0, RootBound, p.Budget, avgDepth, score, result.Nodes);
            const long long t2 = TickCount();
            ++result.Iterations;
            // A search that found no move above a loss still answers with a legal move.
            result.Move = best >= 1 ? best : 1;
            result.Score = score;
            p.LastTime = static_cast<int>(t2 - t1);
            if (IsForced(score)) p.LastTime = std::max(p.LastTime, p.TimeLimit);

            if (observer) {
                TThinkIteration it;
                it.Side = side;
                it.Budget = p.Budget;
                it.AverageDepth = avgDepth;
                it.MinDepth = state.MinLeafDepth == INT_MAX ? 0 : state.MinLeafDepth;
                it.MaxDepth = state.MaxLeafDepth;
                it.TotalMs = t2 - t0;
                it.IterationMs = t2 - t1;
                it.Positions = result.Nodes;
                it.PositionsPerSecond =
                    t2 == t0 ? 0 : std::llround(result.Nodes * 1000.0 / double(t2 - t0));
                it.Score = score;
                observer->IterationDone(it);
            }

            if (state.StopRequested() || p.FixedDepth) break;
            if ((t2 - t0) + (t2 - t1) > p.TimeLimit) break;
            if (IsForced(score)) break;
        }
    }

    if (observer) observer->SearchFinished();
    while (TickCount() - t0 < request.MinimumMs) {
        if (state.PumpHook) state.PumpHook();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (state.StopRequested()) result.Move = 0;
    state.ClearStop();
    return result;
}

} // namespace quorvin
