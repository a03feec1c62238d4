// Board drawing timings on a 12 x 12 board in its initial arrangement with a king and two
// highlighted squares: the full render after ClearTileCache, which loads and blends every
// tile again, and the repaint with warm caches, where every cell is one copy of a tile. The
// "Shown" variants draw a visible board, so every drawing also goes through the window.
#include "data_module.h"
#include "draw.h"
#include "game_settings.h"
#include "rules.h"
#include "settings.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

using namespace quorvin;

namespace {

struct TBoard {
    std::unique_ptr<TPosition> Position;
    std::unique_ptr<TBoardGrid> Grid;

    TBoard(int cell, bool shown) {
        OverrideProgramFolder(QStringLiteral(QUORVIN_BUILD_DIR));
        Settings().RestoreDefaults();
        ApplyBoard(TRules::International, 12, 12, false);
        Position = CreatePosition(TRules::International);
        Position->SetInitial();
        Position->Put(5, WhiteKing);
        Grid = std::make_unique<TBoardGrid>();
        Grid->SetPositionSource([this] { return Position.get(); });
        Grid->SetHighlightTest([](int s) { return s == 33 || s == 39; });
        Grid->SetLayout(12, 12, cell);
        if (shown) {
            Grid->show();
            QApplication::processEvents();
        }
    }
};

void FullRenderAfterClear(benchmark::State& state, bool shown) {
    TBoard board(int(state.range(0)), shown);
    for (auto _ : state) board.Grid->ClearTileCache();
    state.counters["tiles"] =
        double(board.Grid->Tiles().ComposeCount) / double(state.iterations() + 1);
}

void WarmRepaint(benchmark::State& state, bool shown) {
    TBoard board(int(state.range(0)), shown);
    board.Grid->ClearTileCache();
    for (auto _ : state) board.Grid->RepaintGrid();
}

void WarmRedrawBoard(benchmark::State& state) {
    TBoard board(int(state.range(0)), true);
    board.Grid->ClearTileCache();
    for (auto _ : state) board.Grid->RedrawBoard();
}

void WarmDrawSquare(benchmark::State& state) {
    TBoard board(int(state.range(0)), true);
    board.Grid->ClearTileCache();
    for (auto _ : state) board.Grid->DrawSquare(33);
}

void BlendOneTile(benchmark::State& state) {
    TBoard board(40, false);
    TTileCaches caches;
    for (auto _ : state) {
        caches.Clear();
        caches.ComposeTile(caches.PieceTiles[1][1][1], "Used0.jpg", "Select0.gif", "BlackKing.gif",
                           true);
    }
}

} // namespace

BENCHMARK_CAPTURE(FullRenderAfterClear, Hidden, false)
    ->Arg(40)
    ->Arg(120)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRenderAfterClear, Shown, true)
    ->Arg(40)
    ->Arg(120)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WarmRepaint, Hidden, false)->Arg(40)->Arg(120)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WarmRepaint, Shown, true)->Arg(40)->Arg(120)->Unit(benchmark::kMillisecond);
BENCHMARK(WarmRedrawBoard)->Arg(40)->Arg(120)->Unit(benchmark::kMillisecond);
BENCHMARK(WarmDrawSquare)->Arg(40)->Arg(120)->Unit(benchmark::kMicrosecond);
BENCHMARK(BlendOneTile)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
