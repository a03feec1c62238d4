// The root search driver: an iteration is the engine's own search from the root, move for
// move and position for position; a broken-off search keeps its best move; a forced result
// ends the deepening; a waiting search waits. (Draws at the root are the Hub engine's, and
// its tests play them.)
#include "mathematics.h"
#include "root_search.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

using namespace quorvin;
using namespace quorvin::test;

namespace {
// Iterations at the horizons of Plan (the last one repeated), as many as MaxIterations;
// records what the driver reports.
struct TRecorder : TRootControl {
    std::vector<TRootHorizon> Plan;
    int MaxIterations = 1;
    bool Wait = false;
    int Proceeds = 0, ProceedLimit = 1 << 30;
    std::vector<TRootIteration> Done;

    bool Proceed() override { return ++Proceeds <= ProceedLimit; }
    bool Horizon(int number, TRootHorizon& horizon) override {
        horizon = Plan[std::min<std::size_t>(static_cast<std::size_t>(number), Plan.size()) - 1];
        return number <= MaxIterations;
    }
    bool IterationDone(const TRootIteration& it) override {
        Done.push_back(it);
        return true;
    }
    bool Waits() override { return Wait; }
};

int PumpCalls = 0;
TSearchState* Stopping = nullptr;
long long StopAfter = 0;
void CountPump() {
    ++PumpCalls;
    if (Stopping && Stopping->Nodes >= StopAfter) Stopping->RequestStop();
}

// A position ready to search, as the think driver prepares one.
std::unique_ptr<TPosition> Ready(std::unique_ptr<TPosition> p) {
    p->BuildValueTable(true);
    p->Evaluate();
    p->Moves.Count = 0;
    p->ClassifyNode(false);
    p->Moves.Shuffle();
    return p;
}

std::unique_ptr<TPosition> Initial(const char* preset) {
    const TPreset board = *FindPreset(preset);
    UseBoard(board.Rows, board.Files, board.Coloring);
    auto p = CreatePosition(board.Rules);
    p->SetInitial();
    return Ready(std::move(p));
}

} // namespace

TEST(RootSearch, AnIterationIsTheEnginesSearchFromTheRoot) {
    // Initial positions, and middle games with kings on the canadian board.
    const std::vector<std::pair<const char*, int>> cases{
        {"international", 0}, {"vorna", 0},    {"straight", 0}, {"canadian", 0},
        {"canadian", 1},      {"canadian", 2}, {"canadian", 3}};
    const std::vector<TRootHorizon> horizons{{true, 1, 0},    {true, 3, 0},    {true, 5, 0},
                                             {false, 0, 2e3}, {false, 0, 3e4}, {false, 0, 2e5}};
    for (const auto& [preset, scatter] : cases)
        for (const TRootHorizon& h : horizons) {
            const std::string context = std::string(preset) + " " + std::to_string(scatter) +
                                        " depth " + std::to_string(h.Depth) + " budget " +
                                        std::to_string(h.Budget);
            SeedRandom(static_cast<std::uint64_t>(scatter));
            std::unique_ptr<TPosition> made = Initial(preset);
            if (scatter > 0) {
                made->SetSideToMove(scatter % 2);
                Scatter(*made, 20, 20, 3, 3);
                made = Ready(std::move(made));
                if (made->Moves.Count == 0) continue;
            }
            TPosition& root = *made;
            TSearchState engine;
            engine.PumpHook = CountPump;
            PumpCalls = 0;
            root.FixedDepth = h.FixedDepth;
            root.DepthLimit = h.Depth;
            double meanDepth = 0, score = 0;
            long long nodes = 0;
            const int best = root.Search(engine, 0, RootBound, h.Budget, meanDepth, score, nodes);
            const int enginePumps = PumpCalls;

            TSearchState state;
            state.PumpHook = CountPump;
            PumpCalls = 0;
            TRecorder control;
            control.Plan = {h};
            TRootSearch search(root, state);
            const TRootResult result = search.Run(control);
            ASSERT_EQ(control.Done.size(), 1u) << context;
            const TRootIteration& it = control.Done[0];
            EXPECT_TRUE(it.Complete) << context;
            EXPECT_EQ(it.Best, best) << context;
            EXPECT_EQ(result.Move, best) << context;
            EXPECT_EQ(it.Score, score) << context;
            EXPECT_EQ(it.MeanDepth, meanDepth) << context;
            EXPECT_EQ(it.Nodes, nodes) << context;
            EXPECT_EQ(it.MinLeafDepth, engine.MinLeafDepth) << context;
            EXPECT_EQ(it.MaxLeafDepth, engine.MaxLeafDepth) << context;
            EXPECT_EQ(PumpCalls, enginePumps) << context;
        }
}

TEST(RootSearch, ABrokenOffSearchKeepsTheMovesSearchedToTheEnd) {
    auto root = Initial("international");
    auto run = [&](TSearchState& state, TRecorder& control) {
        control.Plan = {{false, 0, 1e3}, {false, 0, 3e5}};
        control.MaxIterations = 2;
        TRootSearch search(*root, state);
        search.SetBestFirst(true);
        return search.Run(control);
    };
    TSearchState state;
    TRecorder whole;
    run(state, whole);
    ASSERT_EQ(whole.Done.size(), 2u);
    const long long first = whole.Done[0].Nodes, second = whole.Done[1].Nodes - first;
    ASSERT_GT(second, 20 * PumpInterval);
    // Broken off in the second iteration, early (before its first move, the best of the
    // first iteration, is searched to the end) and late (after some moves are).
    state.PumpHook = CountPump;
    Stopping = &state;
    for (long long stop : {first + 1, first + second * 3 / 4}) {
        StopAfter = stop;
        TRecorder broken;
        const TRootResult result = run(state, broken);
        state.ClearStop();
        ASSERT_EQ(broken.Done.size(), 2u) << stop;
        const TRootIteration& last = broken.Done[1];
        EXPECT_FALSE(last.Complete);
        EXPECT_TRUE(result.Searched);
        if (stop == first + 1) {
            EXPECT_EQ(last.Best, 0);
            EXPECT_EQ(result.Move, broken.Done[0].Best);
        } else {
            EXPECT_GE(last.Best, 1);
            EXPECT_EQ(result.Move, last.Best);
        }
    }
    Stopping = nullptr;

    // Broken off before any move was searched: the move that scores best as it stands.
    state.RequestStop();
    TRecorder none;
    none.Plan = {{true, 1, 0}};
    TRootSearch again(*root, state);
    const TRootResult unsearched = again.Run(none);
    state.ClearStop();
    EXPECT_TRUE(none.Done.empty());
    EXPECT_FALSE(unsearched.Searched);
    int expected = 0;
    double best = LossScore - 1;
    for (int i = 1; i <= root->Moves.Count; ++i)
        if (-again.Child(i).Evaluation > best) {
            best = -again.Child(i).Evaluation;
            expected = i;
        }
    EXPECT_EQ(unsearched.Move, expected);
}

TEST(RootSearch, AForcedResultEndsTheDeepeningAndAWaitingSearchWaits) {
    auto root = Ready(SetupBoard(TRules::International, 8, 8, false, "w:10,11 b:14", White));
    for (bool wait : {false, true}) {
        TSearchState state;
        TRecorder control;
        control.Plan = {{true, 2, 0}};
        control.MaxIterations = 100;
        control.Wait = wait;
        control.ProceedLimit = 20;
        TRootSearch search(*root, state);
        search.Run(control);
        ASSERT_EQ(control.Done.size(), 1u) << wait;
        EXPECT_TRUE(IsForced(control.Done[0].Score));
        // Without waiting the search ends at once; waiting, only Proceed ends it.
        EXPECT_EQ(control.Proceeds, wait ? 21 : 2) << wait;
    }
}
