// The master search behind the think driver; see master_think.h.
#include "master_think.h"

#include "root_search.h"

#include <cmath>

namespace quorvin {

TMasterSearch& MasterThinkSearch() {
    static TMasterSearch search;
    return search;
}

TThinkResult MasterThinkMove(TGame& game, const TThinkRequest& request,
                             const TMasterLimits& limits) {
    TSearchState& state = ThinkSearchState();
    TPosition& p = game.CurrentPosition();
    TThinkObserver* observer = request.Observer;
    // The game's own evaluation keeps the value table of a positional search.
    p.BuildValueTable(true);
    p.Evaluate();
    p.Moves.Shuffle();
    const long long t0 = TickCount();
    const int side = p.SideToMove;
    game.InheritBudget();

    TThinkResult result;
    result.Move = 1;
    if (game.SingleMove()) {
        if (observer) observer->NoSearch(side);
    } else {
        long long lastMs = 0;
        if (observer) observer->IterationStarted(side, 1);
        const auto report = [&](const TMasterIteration& it) {
            if (!observer) return;
            TThinkIteration done;
            done.Side = side;
            done.Budget = it.Depth;
            done.AverageDepth = it.MeanLeafDepth;
            done.MinDepth = it.MinLeafDepth;
            done.MaxDepth = it.SelectiveDepth;
            done.TotalMs = it.Ms;
            done.IterationMs = it.Ms - lastMs;
            done.Positions = it.Nodes;
            done.PositionsPerSecond = it.Ms > 0 ? std::llround(static_cast<double>(it.Nodes) *
                                                               1000.0 / static_cast<double>(it.Ms))
                                                : 0;
            done.Score = MasterScoreAsMen(it.Score);
            lastMs = it.Ms;
            observer->IterationDone(done);
            if (it.Depth < limits.Depth) observer->IterationStarted(side, it.Depth + 1);
        };
        const TMasterResult found = MasterThinkSearch().Think(game, limits, state, report, false);
        result.Move = found.Move;
        result.Score = MasterScoreAsMen(found.Score);
        result.Nodes = found.Nodes;
        result.Iterations = found.Depth;
    }

    FinishThinking(request, t0, result);
    return result;
}

TThinkResult MasterThinkMove(TGame& game, const TThinkRequest& request) {
    TMasterLimits limits;
    limits.MoveTimeMs = MasterLevelTimeMs;
    return MasterThinkMove(game, request, limits);
}

} // namespace quorvin
