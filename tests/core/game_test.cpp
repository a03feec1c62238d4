// The game record: growing and trimming the record, the draw rules at their exact thresholds,
// the undo and redo walks over stopping points, and the per-side search budget.
#include "game.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace quorvin;
using namespace quorvin::test;

namespace {

using TMoveCycle = std::vector<std::pair<int, int>>;

// Kings on an 8 x 8 board that shuttle without ever meeting: the white king between 1 and 5,
// the black king between 29 and 25. Four plies bring the board back.
const TMoveCycle KingShuttle{{1, 5}, {29, 25}, {5, 1}, {25, 29}};
// The same shuttle from the same board with Black to move.
const TMoveCycle BlackFirstShuttle{{29, 25}, {1, 5}, {25, 29}, {5, 1}};

class GameTest : public ::testing::Test {
  protected:
    // Games are made with these options: two people playing, every draw rule in force.
    static inline TGameOptions Options;
    void SetUp() override {
        Options = {};
        Options.ComputerSide = {false, false};
    }

    // Changes one option of a game under way, as the window does when a setting changes.
    template <class F> static void Change(TGame& game, F change) {
        TGameOptions options = game.Options();
        change(options);
        game.SetOptions(options);
    }

    // A record whose first position holds the pieces given, its moves generated.
    static TGame Record(TRules rules, const std::string& pieces, int sideToMove) {
        const auto setup = SetupBoard(rules, 8, 8, false, pieces, sideToMove);
        TGame game(rules, Options);
        TPosition& first = game.CurrentPosition();
        first.CopyBoard(*setup);
        first.SetSideToMove(sideToMove);
        first.Evaluate();
        first.Moves.Reset(0, true);
        first.ClassifyNode(false);
        return game;
    }

    // A fresh record of the initial position, its moves generated.
    static TGame Initial(TRules rules) {
        BuildGeometry(8, 8, 1);
        TGame game(rules, Options);
        game.CurrentPosition().BuildValueTable(false);
        game.CurrentPosition().Evaluate();
        game.CurrentPosition().ClassifyNode(false);
        return game;
    }

    // Plays the move from-to as the game flow does: the new position's moves are generated.
    static void Play(TGame& game, int from, int to) {
        const TPosition& p = game.CurrentPosition();
        for (int i = 1; i <= p.Moves.Count; ++i)
            if (p.Moves.FromOf(i) == from && p.Moves.ToOf(i) == to) {
                game.PlayMove(i);
                game.CurrentPosition().ClassifyNode(false);
                return;
            }
        throw std::invalid_argument("no move " + std::to_string(from) + "-" + std::to_string(to));
    }

    static void PlayFirst(TGame& game, int plies) {
        for (int k = 0; k < plies; ++k) {
            game.PlayMove(1);
            game.CurrentPosition().ClassifyNode(false);
        }
    }

    static void PlayCycle(TGame& game, const TMoveCycle& cycle, int plies) {
        for (int k = 0; k < plies; ++k) {
            const auto [from, to] = cycle[static_cast<std::size_t>(k) % cycle.size()];
            Play(game, from, to);
        }
    }

    // Appends a position with the same board, the other side to move and `moves` moves in
    // its list, for walks that only look at whose turn it is and how many moves there are.
    static void Append(TGame& game, int moves) {
        const TPosition& before = game.CurrentPosition();
        const auto board = before.Clone();
        const int side = before.Opponent;
        TPosition& p = game.AddPosition();
        p.CopyBoard(*board);
        p.SetSideToMove(side);
        p.Evaluate();
        SetMoves(p, moves);
    }

    static void SetMoves(TPosition& p, int moves) {
        p.Moves.Reset(0, true);
        for (int k = 0; k < moves; ++k) p.Moves.AddSimple(1, 5);
    }

    // A record of positions with these move counts; the first has White to move.
    static TGame Walk(const std::vector<int>& moves) {
        TGame game = Initial(TRules::International);
        SetMoves(game.CurrentPosition(), moves[0]);
        for (std::size_t k = 1; k < moves.size(); ++k) Append(game, moves[k]);
        return game;
    }
};

// --- the record itself ---

TEST_F(GameTest, NewRecordHoldsTheInitialPositionAlone) {
    TGame game = Initial(TRules::International);
    EXPECT_EQ(game.Count(), 1);
    EXPECT_EQ(game.Current(), 1);
    EXPECT_FALSE(game.CanUndo());
    EXPECT_FALSE(game.CanRedo());
    EXPECT_THROW(game.PreviousPosition(), std::out_of_range);
    EXPECT_THROW(game.SameSideBefore(), std::out_of_range);
    EXPECT_THROW(game.Positions(1), std::out_of_range);
    EXPECT_EQ(game.MoveLeadingTo(0), nullptr);
    EXPECT_THROW(game.MoveLeadingTo(1), std::out_of_range);
    EXPECT_EQ(game.CurrentPosition().Counts[White][Man], 12);
    EXPECT_EQ(game.CurrentPosition().Counts[Black][Man], 12);
    EXPECT_EQ(game.CurrentPosition().SideToMove, White);

    EXPECT_EQ(Initial(TRules::Straight).CurrentPosition().SideToMove, Black);
}

TEST_F(GameTest, PlayMoveAppendsThePositionTheMoveMakes) {
    TGame game = Initial(TRules::International);
    const TMove move = game.CurrentPosition().Moves.GetMove(2);
    game.PlayMove(2);
    ASSERT_EQ(game.Count(), 2);
    ASSERT_EQ(game.Current(), 2);
    const TPosition& now = game.CurrentPosition();
    EXPECT_EQ(&game.PreviousPosition(), &game.Positions(0));
    EXPECT_EQ(now.SideToMove, Black);
    EXPECT_TRUE(now.At(move.From).Empty);
    EXPECT_FALSE(now.At(move.To).Empty);
    EXPECT_EQ(now.Moves.Count, 0); // generated when the game flow classifies it
    // The record keeps the move with the position it led to.
    ASSERT_NE(game.MoveLeadingTo(1), nullptr);
    EXPECT_EQ(game.MoveLeadingTo(1)->Index, 2);
    EXPECT_TRUE(SameMove(game.MoveLeadingTo(1)->Move, move));
    EXPECT_EQ(game.MoveLeadingTo(0), nullptr);

    // A move the position does not have leaves the record alone.
    EXPECT_THROW(game.PlayMove(0), std::out_of_range);
    EXPECT_THROW(game.PlayMove(1), std::out_of_range);
    EXPECT_EQ(game.Count(), 2);
}

TEST_F(GameTest, NewMoveAfterUndoDiscardsTheUndonePositions) {
    TGame game = Initial(TRules::International);
    PlayFirst(game, 3);
    const auto undone = game.Positions(2).Clone();
    game.Undo();
    game.Undo();
    EXPECT_EQ(game.Current(), 2);
    EXPECT_EQ(game.Count(), 4);
    EXPECT_TRUE(game.CanRedo());

    const int last = game.CurrentPosition().Moves.Count;
    const TMove replacing = game.CurrentPosition().Moves.GetMove(last);
    game.PlayMove(last);
    ASSERT_NE(game.MoveLeadingTo(2), nullptr);
    EXPECT_EQ(game.MoveLeadingTo(2)->Index, last);
    EXPECT_TRUE(SameMove(game.MoveLeadingTo(2)->Move, replacing));
    EXPECT_EQ(game.Count(), 3);
    EXPECT_EQ(game.Current(), 3);
    EXPECT_FALSE(game.CanRedo());
    EXPECT_FALSE(game.Positions(2).SameAs(*undone));
    EXPECT_EQ(game.CurrentPosition().SideToMove, White);
}

TEST_F(GameTest, ContinuePlayKeepsTheCurrentPositionAlone) {
    TGame game = Initial(TRules::International);
    PlayFirst(game, 4);
    game.Undo();
    game.Undo();
    const TPosition* kept = &game.CurrentPosition();
    ASSERT_NE(game.MoveLeadingTo(2), nullptr);

    game.DropHistory();
    EXPECT_EQ(game.Current(), 1);
    EXPECT_EQ(game.Count(), 3); // the redo tail stays
    EXPECT_EQ(&game.Positions(0), kept);
    EXPECT_FALSE(game.CanUndo());
    // The first position follows no move; the redo tail keeps its moves.
    EXPECT_EQ(game.MoveLeadingTo(0), nullptr);
    EXPECT_NE(game.MoveLeadingTo(1), nullptr);

    game.TruncateRedo();
    EXPECT_EQ(game.Count(), 1);
    EXPECT_EQ(&game.CurrentPosition(), kept);
}

TEST_F(GameTest, QuestionsAboutTheCurrentPosition) {
    TGame game = Initial(TRules::International);
    Change(game, [](TGameOptions& o) { o.ComputerSide = {false, true}; }); // Black
    EXPECT_FALSE(game.ComputerToMove());
    PlayFirst(game, 1);
    EXPECT_TRUE(game.ComputerToMove());
    Change(game, [](TGameOptions& o) { o.ComputerSide = {true, false}; }); // White
    EXPECT_FALSE(game.ComputerToMove());
    Change(game, [](TGameOptions& o) { o.ComputerSide = {false, false}; });
    EXPECT_FALSE(game.ComputerToMove());

    SetMoves(game.CurrentPosition(), 1);
    EXPECT_TRUE(game.SingleMove());
    SetMoves(game.CurrentPosition(), 2);
    EXPECT_FALSE(game.SingleMove());

    TPosition& p = game.CurrentPosition();
    p.FixedDepth = true;
    p.DepthLimit = 0;
    EXPECT_TRUE(game.RandomLevel());
    p.DepthLimit = 1;
    EXPECT_FALSE(game.RandomLevel());
    p.FixedDepth = false;
    p.DepthLimit = 0;
    EXPECT_FALSE(game.RandomLevel());
}

// --- draw rules ---

TEST_F(GameTest, RepetitionCountsOnlyPositionsWithTheSameSideToMove) {
    TGame game = Record(TRules::International, "W:1 B:29", White);
    PlayCycle(game, KingShuttle, 4);
    EXPECT_TRUE(game.CurrentPosition().SameAs(game.Positions(0)));
    EXPECT_FALSE(game.RepetitionDraw()); // second occurrence
    for (int k = 0; k < 3; ++k) {
        PlayCycle(game, {KingShuttle[static_cast<std::size_t>(k)]}, 1);
        EXPECT_FALSE(game.RepetitionDraw()) << "ply " << game.Current() - 1;
    }
    Play(game, 25, 29);
    EXPECT_TRUE(game.RepetitionDraw()); // third occurrence, with positions between

    Change(game, [](TGameOptions& o) { o.TripleRepetitionDraw = false; });
    EXPECT_FALSE(game.RepetitionDraw());
}

TEST_F(GameTest, RepetitionWithTheOtherSideToMoveIsNoDraw) {
    // The flying king goes round a triangle 1-5-10-1, so the board comes back with the
    // other side to move.
    TGame game = Record(TRules::International, "W:1 B:29", White);
    PlayCycle(game, {{1, 5}, {29, 25}, {5, 10}, {25, 29}, {10, 1}}, 5);
    EXPECT_TRUE(game.CurrentPosition().SameAs(game.Positions(0)));
    EXPECT_EQ(game.CurrentPosition().SideToMove, Black);
    PlayCycle(game, BlackFirstShuttle, 4);
    // Three times the same board, but only twice with Black to move.
    EXPECT_TRUE(game.CurrentPosition().SameAs(game.Positions(0)));
    EXPECT_TRUE(game.CurrentPosition().SameAs(game.Positions(5)));
    EXPECT_FALSE(game.RepetitionDraw());
}

TEST_F(GameTest, QuietKingMovesDrawAtTheSixtyFourthPly) {
    TGame game = Record(TRules::International, "W:1 B:29", White);
    PlayCycle(game, KingShuttle, 63);
    EXPECT_FALSE(game.QuietMovesDraw());
    PlayCycle(game, {KingShuttle[63 % 4]}, 1);
    EXPECT_TRUE(game.QuietMovesDraw());

    Change(game, [](TGameOptions& o) { o.QuietMovesDraw = false; });
    EXPECT_FALSE(game.QuietMovesDraw());
}

TEST_F(GameTest, AManMoveStartsTheQuietRunAgain) {
    TGame game = Record(TRules::International, "W:1 w:4 B:29", White);
    PlayCycle(game, KingShuttle, 20);
    Play(game, 4, 8);
    PlayCycle(game, BlackFirstShuttle, 63);
    EXPECT_FALSE(game.QuietMovesDraw());
    PlayCycle(game, {BlackFirstShuttle[63 % 4]}, 1);
    EXPECT_TRUE(game.QuietMovesDraw());
}

TEST_F(GameTest, TheFirstPositionNeverCountsForAQuietRun) {
    TGame game = Record(TRules::International, "W:1 B:29", White);
    game.Positions(0).QuietKingMove = true;
    PlayCycle(game, KingShuttle, 63);
    EXPECT_FALSE(game.QuietMovesDraw());
}

TEST_F(GameTest, ThreeKingsAgainstOneDrawAtTheThirtiethPly) {
    TGame game = Record(TRules::International, "W:1,2,3 B:29", White);
    PlayCycle(game, KingShuttle, 29);
    EXPECT_FALSE(game.ThreeKingsDraw());
    PlayCycle(game, {KingShuttle[29 % 4]}, 1);
    EXPECT_TRUE(game.ThreeKingsDraw());

    Change(game, [](TGameOptions& o) { o.ThreeKingsDraw = false; });
    EXPECT_FALSE(game.ThreeKingsDraw());
}

TEST_F(GameTest, OneKingAgainstThreeDrawsToo) {
    TGame game = Record(TRules::International, "W:1 B:29,30,31", White);
    PlayCycle(game, KingShuttle, 29);
    EXPECT_FALSE(game.ThreeKingsDraw());
    PlayCycle(game, {KingShuttle[29 % 4]}, 1);
    EXPECT_TRUE(game.ThreeKingsDraw());
}

TEST_F(GameTest, OtherKingEndingsAreNoRun) {
    TGame threeTwo = Record(TRules::International, "W:1,2,3 B:29,16", White);
    PlayCycle(threeTwo, KingShuttle, 40);
    EXPECT_FALSE(threeTwo.ThreeKingsDraw());

    TGame twoTwo = Record(TRules::International, "W:1,2 B:29,31", White);
    PlayCycle(twoTwo, KingShuttle, 40);
    EXPECT_FALSE(twoTwo.ThreeKingsDraw());

    TGame withMan = Record(TRules::International, "W:1,2,3 B:29 b:31", White);
    PlayCycle(withMan, KingShuttle, 40);
    EXPECT_FALSE(withMan.ThreeKingsDraw());
}

// Three one-square kings can beat one; three flying kings cannot.
TEST_F(GameTest, ThreeKingsRuleAppliesWhereKingsFly) {
    for (const TRules rules : {TRules::Straight, TRules::Italian, TRules::Russian, TRules::Czech}) {
        TGame game = Record(rules, "W:1,2,3 B:29", White);
        PlayCycle(game, KingShuttle, 40);
        ASSERT_TRUE(game.Options().ThreeKingsDraw);
        const bool flying = rules == TRules::Russian || rules == TRules::Czech;
        EXPECT_EQ(game.ThreeKingsDraw(), flying) << static_cast<int>(rules);
        // The quiet-moves rule still counts the same kings.
        PlayCycle(game, KingShuttle, 24);
        EXPECT_TRUE(game.QuietMovesDraw());
    }
}

TEST_F(GameTest, DrawRulesAreAskedInTheGameFlowsOrder) {
    TGame game = Record(TRules::International, "W:1 B:29", White);
    PlayCycle(game, KingShuttle, 64);
    EXPECT_EQ(game.DrawReached(), TDrawRule::Repetition);
    Change(game, [](TGameOptions& o) { o.TripleRepetitionDraw = false; });
    EXPECT_EQ(game.DrawReached(), TDrawRule::QuietMoves);
    Change(game, [](TGameOptions& o) { o.QuietMovesDraw = false; });
    EXPECT_EQ(game.DrawReached(), TDrawRule::None);

    // Vorna does not play the quiet-moves rule, whatever its option says: a record under
    // Vorna rules with the same positions counts the run but reaches no draw.
    Options.TripleRepetitionDraw = false;
    TGame vorna(TRules::Vorna, Options);
    vorna.CurrentPosition().CopyBoard(game.Positions(0));
    for (int i = 1; i < game.Count(); ++i) {
        TPosition& p = vorna.AddPosition();
        p.CopyBoard(game.Positions(i));
        p.QuietKingMove = game.Positions(i).QuietKingMove;
    }
    EXPECT_TRUE(vorna.QuietMovesDraw());
    EXPECT_EQ(vorna.DrawReached(), TDrawRule::None);

    TGame kings = Record(TRules::International, "W:1,2,3 B:29", White);
    PlayCycle(kings, KingShuttle, 30);
    Change(kings, [](TGameOptions& o) { o.TripleRepetitionDraw = false; });
    EXPECT_EQ(kings.DrawReached(), TDrawRule::ThreeKings);
}

// --- undo and redo ---

TEST_F(GameTest, UndoAndRedoSkipTheComputersPositions) {
    Options.ComputerSide = {false, true};
    TGame game = Walk({7, 7, 7, 7, 7}); // White to move at 0, 2, 4
    ASSERT_EQ(game.Current(), 5);

    game.Undo();
    EXPECT_EQ(game.Current(), 3); // two plies back, White to move again
    game.Undo();
    EXPECT_EQ(game.Current(), 1);
    EXPECT_FALSE(game.CanUndo());
    game.Undo();
    EXPECT_EQ(game.Current(), 1);

    game.Redo();
    EXPECT_EQ(game.Current(), 3);
    game.Redo();
    EXPECT_EQ(game.Current(), 5);
    EXPECT_FALSE(game.CanRedo());
    game.Redo();
    EXPECT_EQ(game.Current(), 5);
}

TEST_F(GameTest, UndoStopsAtTheFirstPositionEvenOnTheComputersTurn) {
    Options.ComputerSide = {true, false};
    TGame game = Walk({7, 7, 7, 7});
    game.Undo();
    EXPECT_EQ(game.Current(), 2); // Black to move
    game.Undo();
    EXPECT_EQ(game.Current(), 1); // White, the computer's, but there is no further back
    game.Redo();
    EXPECT_EQ(game.Current(), 2);
    game.Redo();
    EXPECT_EQ(game.Current(), 4);
}

TEST_F(GameTest, RedoEndsAtTheLastPositionEvenOnTheComputersTurn) {
    Options.ComputerSide = {false, true};
    TGame game = Walk({7, 7, 7, 7}); // the last position has Black, the computer, to move
    game.UndoAll();
    game.Redo();
    EXPECT_EQ(game.Current(), 3);
    game.Redo();
    EXPECT_EQ(game.Current(), 4);
}

TEST_F(GameTest, AutoSingleMoveSkipsForcedPositions) {
    const std::vector<int> moves{2, 1, 1, 3, 2};
    TGame game = Walk(moves);

    game.Undo();
    EXPECT_EQ(game.Current(), 4);
    game.Undo();
    EXPECT_EQ(game.Current(), 3); // without the option a single move is a stopping point

    Change(game, [](TGameOptions& o) { o.AutoSingleMove = true; });
    game.Undo();
    EXPECT_EQ(game.Current(), 1); // the two forced positions are passed
    game.Redo();
    EXPECT_EQ(game.Current(), 4);
    game.Redo();
    EXPECT_EQ(game.Current(), 5);
}

TEST_F(GameTest, ComputerSideAndSingleMovesTogether) {
    Options.ComputerSide = {false, true};
    Options.AutoSingleMove = true;
    // White to move at 0 (choice), 2 (forced), 4 (choice); Black, the computer, between.
    TGame game = Walk({3, 4, 1, 4, 3});
    game.Undo();
    EXPECT_EQ(game.Current(), 1);
    game.Redo();
    EXPECT_EQ(game.Current(), 5);
}

TEST_F(GameTest, UndoAllAndRedoAllGoToTheEnds) {
    Options.ComputerSide = {true, false};
    Options.AutoSingleMove = true;
    TGame game = Walk({1, 1, 2, 1, 2, 1, 1});
    game.UndoAll();
    EXPECT_EQ(game.Current(), 1);
    EXPECT_EQ(game.Count(), 7);
    game.RedoAll();
    EXPECT_EQ(game.Current(), 7);
    game.RedoAll();
    EXPECT_EQ(game.Current(), 7);
    game.UndoAll();
    game.UndoAll();
    EXPECT_EQ(game.Current(), 1);
}

TEST_F(GameTest, SetCurrentPutsTheCursorOnAnyPositionAndKeepsTheRecord) {
    Options.ComputerSide = {false, true};
    TGame game = Walk({7, 7, 7, 7, 7});
    game.SetCurrent(2); // Black, the computer, to move: no walk goes on from there
    EXPECT_EQ(game.Current(), 2);
    EXPECT_EQ(game.Count(), 5);
    EXPECT_FALSE(game.AtStoppingPoint());
    game.Redo(); // from there on as Redo does, to White's next choice
    EXPECT_EQ(game.Current(), 3);
    EXPECT_TRUE(game.AtStoppingPoint());
    game.SetCurrent(5);
    EXPECT_EQ(game.Current(), 5);
    game.SetCurrent(1);
    EXPECT_EQ(game.Current(), 1);
    EXPECT_THROW(game.SetCurrent(0), std::out_of_range);
    EXPECT_THROW(game.SetCurrent(6), std::out_of_range);
    EXPECT_EQ(game.Current(), 1);
    EXPECT_EQ(game.Count(), 5);
}

TEST_F(GameTest, StoppingPointsFollowTheOptions) {
    TGame game = Walk({1, 2});
    game.SetCurrent(1);
    EXPECT_TRUE(game.AtStoppingPoint()); // one move, but not played by itself
    Change(game, [](TGameOptions& o) { o.AutoSingleMove = true; });
    EXPECT_FALSE(game.AtStoppingPoint());
    game.SetCurrent(2);
    EXPECT_TRUE(game.AtStoppingPoint());
    Change(game, [](TGameOptions& o) { o.ComputerSide = {false, true}; });
    EXPECT_FALSE(game.AtStoppingPoint()); // Black is the computer's
}

// --- the search budget ---

TEST_F(GameTest, BudgetOfTheWorkedExample) {
    // Level "1.0 sec/move": a side's first move starts from 10000, an iteration of 250 ms
    // doubles it, the next of 500 ms ends the move, and the side's next move starts from
    // 20000 raised by the square root of 2.
    TGame game = Initial(TRules::International);
    TPosition& first = game.CurrentPosition();
    first.TimeLimit = 1000;
    game.AdaptBudget();
    EXPECT_DOUBLE_EQ(first.Budget, 10000.0);
    EXPECT_EQ(first.LastTime, 1000);
    EXPECT_FALSE(first.BudgetFresh);
    first.LastTime = 250;
    game.AdaptBudget();
    EXPECT_DOUBLE_EQ(first.Budget, 20000.0);
    first.LastTime = 500;

    PlayFirst(game, 1);
    game.CurrentPosition().TimeLimit = 1000;
    game.AdaptBudget(); // Black's first move: its own chain starts from 10000
    EXPECT_DOUBLE_EQ(game.CurrentPosition().Budget, 10000.0);
    game.CurrentPosition().LastTime = 3000;

    PlayFirst(game, 1);
    game.CurrentPosition().TimeLimit = 1000;
    game.AdaptBudget();
    EXPECT_NEAR(game.CurrentPosition().Budget, 20000.0 * std::sqrt(2.0), 1e-6);
    EXPECT_EQ(std::lround(game.CurrentPosition().Budget), 28284);

    PlayFirst(game, 1);
    game.CurrentPosition().TimeLimit = 1000;
    game.AdaptBudget(); // too slow: Black's budget falls by the full ratio
    EXPECT_NEAR(game.CurrentPosition().Budget, 10000.0 / 3.0, 1e-9);
}

TEST_F(GameTest, InheritBudgetCopiesTheSameSidesBudget) {
    TGame game = Initial(TRules::International);
    game.CurrentPosition().TimeLimit = 200;
    game.InheritBudget();
    EXPECT_DOUBLE_EQ(game.CurrentPosition().Budget, 10000.0);
    EXPECT_EQ(game.CurrentPosition().LastTime, 200);
    EXPECT_TRUE(game.CurrentPosition().BudgetFresh); // only adapting uses the budget up
    game.CurrentPosition().Budget = 777.0;
    game.CurrentPosition().LastTime = 33;

    PlayFirst(game, 1);
    game.CurrentPosition().TimeLimit = 500;
    game.InheritBudget();
    EXPECT_DOUBLE_EQ(game.CurrentPosition().Budget, 10000.0);
    EXPECT_EQ(game.CurrentPosition().LastTime, 500);

    PlayFirst(game, 1);
    game.InheritBudget();
    EXPECT_DOUBLE_EQ(game.CurrentPosition().Budget, 777.0);
    EXPECT_EQ(game.CurrentPosition().LastTime, 33);
}

TEST_F(GameTest, AdaptBudgetStaysWithinItsBounds) {
    TGame game = Initial(TRules::International);
    TPosition& p = game.CurrentPosition();
    p.BudgetFresh = false;
    p.TimeLimit = 1000;

    p.Budget = 10000.0;
    p.LastTime = 0; // no measurable time: counted as 1/18
    game.AdaptBudget();
    EXPECT_NEAR(p.Budget, 10000.0 * std::sqrt(18000.0), 1e-6);

    p.Budget = 9e14;
    p.LastTime = 1;
    game.AdaptBudget();
    EXPECT_DOUBLE_EQ(p.Budget, 1e15);

    p.Budget = 150.0;
    p.LastTime = 100000;
    game.AdaptBudget();
    EXPECT_DOUBLE_EQ(p.Budget, 100.0);

    p.Budget = 5000.0; // not fresh: no inheritance before adapting
    p.LastTime = 1000;
    game.AdaptBudget();
    EXPECT_DOUBLE_EQ(p.Budget, 5000.0);
}

} // namespace
