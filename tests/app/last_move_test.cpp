// Recognising the last move from the positions before and after it: simple moves, captures,
// Vorna's turned-over pieces, a king's capture back to its own square, positions without
// generated moves, positions that are not one move apart, and the record's cursor.
#include "app_test_support.h"
#include "game.h"
#include "last_move.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace quorvin::test {
namespace {

struct TPlaced {
    int File, Row;
    TSquare What;
};

class LastMoveTest : public testing::Test {
  protected:
    void SetUp() override { ResetApp(TRules::International, 8, 8); }
    void TearDown() override { ResetApp(); }

    // A position with these pieces and its legal moves generated.
    static std::unique_ptr<TPosition> With(std::initializer_list<TPlaced> pieces, int side) {
        auto p = EmptyPosition();
        for (const TPlaced& q : pieces) {
            const int s = SquareOf(q.File, q.Row);
            EXPECT_NE(s, 0) << q.File << "," << q.Row;
            p->Put(s, q.What);
        }
        p->SetSideToMove(side);
        p->ClearMoves();
        p->Evaluate();
        p->ClassifyNode(false);
        return p;
    }
    static std::unique_ptr<TPosition> After(const TPosition& before, int index) {
        auto next = before.NewPosition();
        next->PlayMove(before, index);
        return next;
    }
    // The same position without its generated moves.
    static std::unique_ptr<TPosition> WithoutMoves(const TPosition& p) {
        auto copy = p.Clone();
        copy->ResetForReuse();
        EXPECT_EQ(copy->Moves.Count, 0);
        return copy;
    }
};

TEST_F(LastMoveTest, EverySimpleMoveOfTheOpeningIsRecognised) {
    TGame game(TRules::International);
    TPosition& start = game.CurrentPosition();
    start.ClassifyNode(false);
    ASSERT_EQ(start.Moves.Count, 7);
    for (int i = 1; i <= start.Moves.Count; ++i) {
        const TMove m = start.Moves.GetMove(i);
        const auto next = After(start, i);
        EXPECT_EQ(MoveBetween(start, *next), (TLastMove{m.From, m.To})) << "move " << i;
        EXPECT_EQ(MoveBetween(*WithoutMoves(start), *next), (TLastMove{m.From, m.To}))
            << "move " << i;
    }
}

TEST_F(LastMoveTest, ACaptureIsMarkedAtItsStartAndItsLastLanding) {
    const auto before =
        With({{1, 1, WhiteMan}, {2, 2, BlackMan}, {2, 4, BlackMan}, {8, 8, BlackMan}}, White);
    ASSERT_EQ(before->Moves.Count, 1);
    ASSERT_EQ(before->Moves.GetMove(1).CaptureCount, 2);
    const auto after = After(*before, 1);
    const TLastMove expected{SquareOf(1, 1), SquareOf(1, 5)};
    EXPECT_EQ(MoveBetween(*before, *after), expected);
    EXPECT_EQ(MoveBetween(*WithoutMoves(*before), *after), expected);
}

TEST_F(LastMoveTest, AKingCaptureBackToItsOwnSquareMarksThatSquareOnce) {
    const auto before = With(
        {{1, 3, WhiteKing}, {2, 4, BlackMan}, {4, 4, BlackMan}, {4, 2, BlackMan}, {2, 2, BlackMan}},
        White);
    ASSERT_GE(before->Moves.Count, 1);
    const TMove m = before->Moves.GetMove(1);
    ASSERT_EQ(m.CaptureCount, 4);
    ASSERT_EQ(m.From, m.To);
    const auto after = After(*before, 1);
    const TLastMove found = MoveBetween(*before, *after);
    EXPECT_EQ(found, (TLastMove{SquareOf(1, 3), SquareOf(1, 3)}));
    EXPECT_TRUE(found.Contains(SquareOf(1, 3)));
    EXPECT_FALSE(found.Contains(SquareOf(2, 4)));
    // The boards alone cannot tell where such a move started: nothing is marked then.
    EXPECT_TRUE(MoveBetween(*WithoutMoves(*before), *after).Empty());
}

TEST_F(LastMoveTest, AVornaCaptureTurnsPiecesOverWithoutConfusingTheSquares) {
    ResetApp(TRules::Vorna, 8, 8);
    const auto before = With({{3, 3, WhiteMan}, {4, 4, BlackMan}, {8, 8, BlackMan}}, White);
    ASSERT_GE(before->Moves.Count, 1);
    const TMove m = before->Moves.GetMove(1);
    ASSERT_GT(m.CaptureCount, 0);
    const auto after = After(*before, 1);
    // The taken man is now White where it stood.
    const TSquare taken = after->At(m.Captured[1]);
    ASSERT_FALSE(taken.Empty);
    ASSERT_EQ(taken.Side, White);
    EXPECT_EQ(MoveBetween(*before, *after), (TLastMove{m.From, m.To}));
    EXPECT_EQ(MoveBetween(*WithoutMoves(*before), *after), (TLastMove{m.From, m.To}));
}

TEST_F(LastMoveTest, PositionsThatAreNotOneMoveApartHaveNoLastMove) {
    TGame game(TRules::International);
    TPosition& start = game.CurrentPosition();
    start.ClassifyNode(false);
    EXPECT_TRUE(MoveBetween(start, start).Empty());
    const auto one = After(start, 1);
    one->ClassifyNode(false);
    const auto two = After(*one, 1);
    EXPECT_TRUE(MoveBetween(start, *two).Empty());
    // The move does not fit the side that was to move.
    EXPECT_TRUE(MoveBetween(*one, *one).Empty());
    EXPECT_TRUE(MoveBetween(*two, start).Empty());
}

TEST_F(LastMoveTest, TheRecordsLastMoveFollowsItsCursor) {
    TGameOptions people; // every position is a stopping point of Undo
    people.ComputerSide = {false, false};
    TGame game(TRules::International, people);
    EXPECT_TRUE(LastMoveOf(game).Empty());
    game.CurrentPosition().ClassifyNode(false);
    const TMove first = game.CurrentPosition().Moves.GetMove(2);
    game.PlayMove(2);
    game.CurrentPosition().ClassifyNode(false);
    const TMove second = game.CurrentPosition().Moves.GetMove(1);
    game.PlayMove(1);
    EXPECT_EQ(LastMoveOf(game), (TLastMove{second.From, second.To}));

    game.Undo();
    ASSERT_EQ(game.Current(), 2);
    EXPECT_EQ(LastMoveOf(game), (TLastMove{first.From, first.To}));
    game.UndoAll();
    EXPECT_TRUE(LastMoveOf(game).Empty());
    game.RedoAll();
    EXPECT_EQ(LastMoveOf(game), (TLastMove{second.From, second.To}));
}

} // namespace
} // namespace quorvin::test
