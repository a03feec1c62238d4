// The game-tree search and the think driver: budgets, scores of won and lost lines,
// cut-offs, tie-breaking, levels, statistics and forecast texts.
#include "game.h"
#include "mathematics.h"
#include "rules.h"
#include "search.h"
#include "test_boards.h"
#include "think.h"

#include <gtest/gtest.h>

#include <regex>

using namespace quorvin;
using namespace quorvin::test;

namespace {
struct TSearchRun {
    int Best = -1;
    double Score = 0, AvgDepth = 0;
    long long Nodes = 0;
};

// The search state of the tests' searches; its leaf depths are those of the last search.
TSearchState State;

TSearchRun RunSearch(TPosition& p, bool fixed, int depthLimit, double budget,
                     double bound = RootBound) {
    p.Moves.Count = 0;
    p.ClassifyNode(false);
    p.FixedDepth = fixed;
    p.DepthLimit = depthLimit;
    State.StartIteration();
    TSearchRun r;
    r.Best = p.Search(State, 0, bound, budget, r.AvgDepth, r.Score, r.Nodes);
    return r;
}

// Records what the think driver reports.
struct TRecorder : TThinkObserver {
    std::vector<double> Budgets;
    std::vector<TThinkIteration> Iterations;
    int Unsearched = 0;
    void IterationStarted(int, double budget) override { Budgets.push_back(budget); }
    void IterationDone(const TThinkIteration& it) override { Iterations.push_back(it); }
    void NoSearch(int) override { ++Unsearched; }
};

TGame GameFrom(TRules rules, int rows, int files, const std::string& pieces, int side) {
    auto p = SetupBoard(rules, rows, files, false, pieces, side);
    TGame game(rules);
    TPosition& current = game.CurrentPosition();
    current.CopyBoard(*p);
    current.SetSideToMove(side);
    current.Evaluate();
    current.Moves.Count = 0;
    current.ClassifyNode(false);
    return game;
}
} // namespace

TEST(Search, WinOneHalfMoveAwayScores998) {
    auto p = SetupBoard(TRules::International, 8, 8, false, "w:10 b:14", White);
    const TSearchRun r = RunSearch(*p, true, 2, 0);
    EXPECT_DOUBLE_EQ(r.Score, 998.0);
    EXPECT_EQ(r.Best, 1);
    EXPECT_EQ(ForecastText(r.Score, nullptr), "Victory in 1 half-move(s)");
}

TEST(Search, LossTwoPliesDownScoresMinus997EvenAtDepthOne) {
    // Both White moves walk into a capture of White's last piece; the captures are searched
    // past the horizon.
    auto p = SetupBoard(TRules::International, 8, 8, false, "w:10 b:18", White);
    const TSearchRun r = RunSearch(*p, true, 1, 0);
    EXPECT_DOUBLE_EQ(r.Score, -997.0);
    EXPECT_EQ(ForecastText(r.Score, nullptr), "Defeat in 2 half-move(s)");
    EXPECT_EQ(State.MaxLeafDepth, 2);
}

TEST(Search, FixedDepthOneScoresTheNegatedStaticEvaluation) {
    auto p = SetupBoard(TRules::International, 10, 10, false, "w:3,8,12 b:47,44,39", White);
    p->BuildValueTable(true);
    p->Evaluate();
    p->Moves.Count = 0;
    p->ClassifyNode(false);
    double expected = -999;
    for (int i = 1; i <= p->Moves.Count; ++i) {
        auto child = p->NewPosition();
        child->PlayMove(*p, i);
        ASSERT_FALSE(child->GenerateCaptures()); // a quiet position: scored as it stands
        expected = std::max(expected, -child->Evaluation);
    }
    const TSearchRun r = RunSearch(*p, true, 1, 0);
    EXPECT_DOUBLE_EQ(r.Score, expected);
    EXPECT_DOUBLE_EQ(r.AvgDepth, 1.0);
    EXPECT_EQ(State.MinLeafDepth, 1);
}

TEST(Search, SingleMovePassesTheWholeBudget) {
    // One legal move: a budget of 1.5 reaches the child whole, so the search goes on below it.
    auto single = SetupBoard(TRules::International, 8, 8, false, "w:1 b:30,31", White);
    ASSERT_EQ(LegalMoves(*single).size(), 1u);
    RunSearch(*single, false, 0, 1.5);
    EXPECT_GE(State.MaxLeafDepth, 2);
    // Two legal moves: each gets 0.75 and is a leaf.
    auto two = SetupBoard(TRules::International, 8, 8, false, "w:2 b:30,31", White);
    ASSERT_EQ(LegalMoves(*two).size(), 2u);
    RunSearch(*two, false, 0, 1.5);
    EXPECT_EQ(State.MaxLeafDepth, 1);
}

TEST(Search, CutOffWhenTheScoreReachesTheBound) {
    // With material values every move scores 0: a bound of 0 is reached by the first move.
    auto p = SetupBoard(TRules::International, 8, 8, false, "w:1,2,3 b:30,31,32", White);
    const TSearchRun cut = RunSearch(*p, true, 1, 0, 0.0);
    EXPECT_EQ(cut.Best, 0);
    EXPECT_DOUBLE_EQ(cut.Score, 0.0);
    EXPECT_EQ(cut.Nodes, 2); // the root and its first child
    // Just above the scores, every move is searched and the first of the equals is kept.
    const TSearchRun all = RunSearch(*p, true, 1, 0, 0.001);
    EXPECT_EQ(all.Best, 1);
    EXPECT_EQ(all.Nodes, 1 + p->Moves.Count);
}

TEST(Search, StopRequestedReturnsAtOnce) {
    auto p = SetupBoard(TRules::International, 8, 8, false, "w:1,2,3 b:30,31,32", White);
    p->ClassifyNode(false);
    TSearchState state;
    state.RequestStop();
    double avg = -5, score = -5;
    long long nodes = 0;
    EXPECT_EQ(p->Search(state, 0, RootBound, 1e6, avg, score, nodes), 1);
    EXPECT_EQ(nodes, 0);
    EXPECT_EQ(score, -5);
    state.ClearStop();
    EXPECT_GE(p->Search(state, 0, RootBound, 1000, avg, score, nodes), 1);
    EXPECT_GT(nodes, 0);
}

TEST(Search, PumpHookEveryTwoThousandPositions) {
    static int calls = 0;
    calls = 0;
    State.PumpHook = [] { ++calls; };
    UseBoard(10, 10, false);
    auto p = CreatePosition(TRules::International);
    p->SetInitial();
    p->BuildValueTable(false);
    const TSearchRun r = RunSearch(*p, false, 0, 20000);
    State.PumpHook = nullptr;
    EXPECT_GT(r.Nodes, 4000);
    EXPECT_EQ(calls, static_cast<int>((r.Nodes - 1) / PumpInterval) + 1);
}

TEST(Think, SetLevelTable) {
    UseBoard(8, 8, false);
    auto p = CreatePosition(TRules::International);
    p->SetLevel(0, false);
    EXPECT_TRUE(p->FixedDepth);
    EXPECT_EQ(p->DepthLimit, 0);
    p->SetLevel(2, false);
    EXPECT_EQ(p->DepthLimit, 2);
    p->SetLevel(3, false);
    EXPECT_FALSE(p->FixedDepth);
    EXPECT_EQ(p->TimeLimit, 10);
    p->SetLevel(12, false);
    EXPECT_EQ(p->TimeLimit, 10000);
    p->SetLevel(-1, false);
    EXPECT_TRUE(p->FixedDepth);
    EXPECT_EQ(p->DepthLimit, 2);
    p->SetLevel(1, false);
    EXPECT_DOUBLE_EQ(ValueTable[5][White][King], 3.1); // no men, so the endgame value
}

TEST(Think, SingleMoveIsAnsweredWithoutSearch) {
    TGame game = GameFrom(TRules::International, 8, 8, "w:1 b:30,31", White);
    TRecorder recorder;
    TThinkRequest request;
    request.Level = 9;
    request.Observer = &recorder;
    request.MinimumMs = 100;
    const long long t0 = TickCount();
    const TThinkResult r = ThinkMove(game, request);
    EXPECT_GE(TickCount() - t0, 100);
    EXPECT_EQ(r.Move, 1);
    EXPECT_EQ(r.Iterations, 0);
    EXPECT_EQ(r.Nodes, 0);
    EXPECT_TRUE(recorder.Iterations.empty());
    EXPECT_EQ(recorder.Unsearched, 1);
}

TEST(Think, AtRandomPlaysTheFirstShuffledMove) {
    UseBoard(10, 10, false);
    TGame game(TRules::International);
    game.CurrentPosition().ClassifyNode(false);
    SeedRandom(99);
    TThinkRequest request;
    request.Level = 0;
    const TThinkResult r = ThinkMove(game, request);
    EXPECT_EQ(r.Iterations, 0);
    const TMove chosen = game.CurrentPosition().Moves.GetMove(r.Move);
    // The same seed and the same shuffle give the same first move.
    TGame again(TRules::International);
    again.CurrentPosition().ClassifyNode(false);
    SeedRandom(99);
    again.CurrentPosition().Moves.Shuffle();
    const TMove first = again.CurrentPosition().Moves.GetMove(1);
    EXPECT_EQ(r.Move, 1);
    EXPECT_EQ(chosen.From, first.From);
    EXPECT_EQ(chosen.To, first.To);
}

TEST(Think, FixedDepthLevelsRunOneIteration) {
    for (int level : {1, 2}) {
        UseBoard(8, 8, false);
        TGame game(TRules::International);
        game.CurrentPosition().ClassifyNode(false);
        TRecorder recorder;
        TThinkRequest request;
        request.Level = level;
        request.Observer = &recorder;
        const TThinkResult r = ThinkMove(game, request);
        EXPECT_EQ(r.Iterations, 1);
        ASSERT_EQ(recorder.Budgets.size(), 1u);
        EXPECT_EQ(recorder.Budgets[0], 0.0); // a fixed depth needs no budget
        ASSERT_EQ(recorder.Iterations.size(), 1u);
        const TThinkIteration& it = recorder.Iterations[0];
        EXPECT_EQ(it.Side, White);
        EXPECT_EQ(it.Positions, r.Nodes);
        EXPECT_LE(it.MinDepth, it.MaxDepth);
        EXPECT_GE(it.AverageDepth, it.MinDepth);
        EXPECT_LE(it.AverageDepth, it.MaxDepth);
        EXPECT_GE(it.TotalMs, it.IterationMs);
        EXPECT_EQ(it.Score, r.Score);
        EXPECT_EQ(ForecastText(it.Score, nullptr), "Forecast: 0.0");
    }
}

TEST(Think, ForcedWinEndsTheTimedRunAtOnce) {
    // Two captures of Black's last piece: either wins at once.
    TGame game = GameFrom(TRules::International, 8, 8, "w:10,11 b:14", White);
    TRecorder recorder;
    TThinkRequest request;
    request.Level = 12; // ten seconds a move, but the win is found in the first iteration
    request.Observer = &recorder;
    const long long t0 = TickCount();
    const TThinkResult r = ThinkMove(game, request);
    EXPECT_LT(TickCount() - t0, 2000);
    EXPECT_EQ(r.Iterations, 1);
    EXPECT_EQ(game.CurrentPosition().Moves.GetMove(r.Move).CaptureCount, 1);
    // The iteration counts as taking the level's whole time, so that the side's next search
    // does not start from a larger budget.
    EXPECT_EQ(game.CurrentPosition().LastTime, 10000);
    ASSERT_EQ(recorder.Iterations.size(), 1u);
    EXPECT_EQ(ForecastText(recorder.Iterations[0].Score,
                           [](const std::string& s) { return s == "Victory" ? "Sieg" : s; }),
              "Sieg in 1 half-move(s)");
}

TEST(Think, TimedLevelGrowsItsBudgetAndKeepsItForTheSide) {
    UseBoard(10, 10, false);
    TGame game(TRules::International);
    game.CurrentPosition().ClassifyNode(false);
    TThinkRequest request;
    request.Level = 5; // 50 ms
    const TThinkResult r = ThinkMove(game, request);
    EXPECT_GE(r.Iterations, 1);
    EXPECT_GE(r.Move, 1);
    const double budget = game.CurrentPosition().Budget;
    EXPECT_GE(budget, 100.0);
    EXPECT_FALSE(game.CurrentPosition().BudgetFresh);
    // Two plies later the same side starts from the budget it ended with.
    game.PlayMove(r.Move);
    game.CurrentPosition().ClassifyNode(false);
    game.PlayMove(1);
    game.CurrentPosition().ClassifyNode(false);
    game.CurrentPosition().SetLevel(5, false);
    game.InheritBudget();
    EXPECT_DOUBLE_EQ(game.CurrentPosition().Budget, budget);
}

TEST(Think, ForecastTexts) {
    EXPECT_EQ(ForecastText(996.0, nullptr), "Victory in 3 half-move(s)");
    EXPECT_EQ(ForecastText(-998.0, nullptr), "Defeat in 1 half-move(s)");
    EXPECT_EQ(ForecastText(1.0, nullptr), "Forecast: 1.0");
    EXPECT_EQ(ForecastText(-0.04, nullptr), "Forecast: 0.0");
    EXPECT_EQ(ForecastText(-2.26, nullptr), "Forecast: -2.3");
    EXPECT_EQ(ForecastText(499.4, nullptr), "Forecast: 499.4");
    // A loss 500 plies from the root is the first that no longer reads as forced.
    EXPECT_EQ(ForecastText(500.0, nullptr), "Victory in 499 half-move(s)");
    EXPECT_EQ(ForecastText(-499.0, nullptr), "Forecast: -499.0");
    EXPECT_EQ(FixedText(12.345, 2), "12.35");
}
