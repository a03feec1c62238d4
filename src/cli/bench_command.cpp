// `quorvin-cli bench`: searches a fixed set of positions at fixed budgets with a fixed seed.
// The total node count is the engine's signature: any change of search behaviour changes it.
#include "bench_positions.h"
#include "cli_args.h"
#include "commands.h"
#include "mathematics.h"
#include "search.h"
#include "think.h"

#include <chrono>

namespace quorvin::cli {

TBenchResult RunBench(double budget, std::ostream* log) {
    TBenchResult total;
    TSearchState state;
    for (const TBenchPosition& item : BenchPositions()) {
        TGame game = item.Make();
        TPosition& p = game.CurrentPosition();
        SeedRandom(BenchSeed);
        p.SetLevel(9, true);
        p.Evaluate();
        p.Moves.Count = 0;
        p.ClassifyNode(false);
        p.Moves.Shuffle();
        p.Budget = budget;
        state.StartIteration();
        double avgDepth = 0.0, score = 0.0;
        long long nodes = 0;
        // Timed in microseconds: a position takes a few milliseconds only.
        const auto t0 = std::chrono::steady_clock::now();
        const int best = p.Search(state, 0, RootBound, budget, avgDepth, score, nodes);
        const long long us = std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now() - t0)
                                 .count();
        total.TimeUs += us;
        total.Nodes += nodes;
        if (log)
            *log << "position " << item.Name << " nodes " << nodes << " score "
                 << FixedText(score, 2) << " move " << (best ? MoveName(p, best) : "-") << " us "
                 << us << "\n";
    }
    return total;
}

int BenchCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, {"quiet"}, {"budget"});
    const double budget = static_cast<double>(args.Integer("budget", BenchBudget, 1, 1000000000));
    const TBenchResult r = RunBench(budget, args.Has("quiet") ? nullptr : &out);
    out << "bench nodes " << r.Nodes << " time_ms " << r.TimeUs / 1000 << " nps "
        << (r.TimeUs > 0 ? r.Nodes * 1000000 / r.TimeUs : r.Nodes) << "\n";
    return 0;
}

} // namespace quorvin::cli
