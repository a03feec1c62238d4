// Micro benchmarks of the engine's hot paths: making a move, generating moves and captures,
// perft and a budgeted search, on the presets' initial positions.
#include "game_settings.h"
#include "perft.h"
#include "rules.h"
#include "search.h"

#include <benchmark/benchmark.h>

using namespace quorvin;

namespace {
std::unique_ptr<TPosition> Initial(const char* preset) {
    const auto p = FindPreset(preset);
    ApplyBoard(p->Rules, p->Rows, p->Files, p->Coloring);
    auto position = CreatePosition(p->Rules);
    position->SetInitial();
    position->BuildValueTable(true);
    position->Evaluate();
    return position;
}

const char* const PresetNames[] = {"vorna",    "brazilian", "international",
                                   "canadian", "spanish",   "straight"};

void PlayMove(benchmark::State& state) {
    auto root = Initial(PresetNames[state.range(0)]);
    root->ClassifyNode(false);
    auto child = root->NewPosition();
    int i = 0;
    for (auto _ : state) {
        child->ResetForReuse();
        child->PlayMove(*root, i % root->Moves.Count + 1);
        benchmark::DoNotOptimize(child->Evaluation);
        ++i;
    }
    state.SetLabel(PresetNames[state.range(0)]);
}
BENCHMARK(PlayMove)->DenseRange(0, 5);

void ClassifyNode(benchmark::State& state) {
    auto root = Initial(PresetNames[state.range(0)]);
    for (auto _ : state) {
        root->ClearMoves();
        benchmark::DoNotOptimize(root->ClassifyNode(false));
    }
    state.SetLabel(PresetNames[state.range(0)]);
}
BENCHMARK(ClassifyNode)->DenseRange(0, 5);

void Perft(benchmark::State& state) {
    auto root = Initial("international");
    std::uint64_t leaves = 0;
    for (auto _ : state) leaves += Perft(*root, 5, false);
    state.counters["leaves/s"] =
        benchmark::Counter(static_cast<double>(leaves), benchmark::Counter::kIsRate);
}
BENCHMARK(Perft)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state) {
    auto root = Initial(PresetNames[state.range(0)]);
    root->ClassifyNode(false);
    long long nodes = 0;
    TSearchState search;
    for (auto _ : state) {
        double avg = 0, score = 0;
        root->Search(search, 0, RootBound, 100000, avg, score, nodes);
    }
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.SetLabel(PresetNames[state.range(0)]);
}
BENCHMARK(Search)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
