// `quorvin-cli bench`: searches a fixed set of positions at fixed budgets with a fixed seed.
// The total node count is the engine's signature: any change of search behaviour changes it.
// `bench --master` searches the same positions with the master search to a fixed depth, each
// with an empty table, and prints the master's own signature.
#include "bench_positions.h"
#include "cli_args.h"
#include "commands.h"
#include "master_search.h"
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

TBenchResult RunMasterBench(int depth, std::ostream* log) {
    TBenchResult total;
    TSearchState state;
    TMasterSearch search(MasterBenchHashMiB);
    for (const TBenchPosition& item : BenchPositions()) {
        TGame game = item.Make();
        TPosition& p = game.CurrentPosition();
        p.Moves.Count = 0;
        p.ClassifyNode(false);
        search.Clear();
        TMasterLimits limits;
        limits.Depth = depth;
        const auto t0 = std::chrono::steady_clock::now();
        const TMasterResult r = search.Think(game, limits, state, {}, false);
        const long long us = std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now() - t0)
                                 .count();
        total.TimeUs += us;
        total.Nodes += r.Nodes;
        if (log)
            *log << "position " << item.Name << " nodes " << r.Nodes << " score "
                 << FixedText(MasterScoreAsMen(r.Score), 2) << " move "
                 << (r.Move ? MoveName(p, r.Move) : "-") << " us " << us << "\n";
    }
    return total;
}

int BenchCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, {"quiet", "master"}, {"budget", "depth"});
    const bool master = args.Has("master");
    if (master && args.Has("budget")) throw TUsageError("--budget is for the described search");
    if (!master && args.Has("depth")) throw TUsageError("--depth is for the master search");
    std::ostream* log = args.Has("quiet") ? nullptr : &out;
    const TBenchResult r =
        master
            ? RunMasterBench(
                  static_cast<int>(args.Integer("depth", MasterBenchDepth, 1, MasterMaxDepth)), log)
            : RunBench(static_cast<double>(args.Integer("budget", BenchBudget, 1, 1000000000)),
                       log);
    out << "bench nodes " << r.Nodes << " time_ms " << r.TimeUs / 1000 << " nps "
        << (r.TimeUs > 0 ? r.Nodes * 1000000 / r.TimeUs : r.Nodes) << "\n";
    return 0;
}

} // namespace quorvin::cli
