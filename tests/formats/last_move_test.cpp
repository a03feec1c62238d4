// The last move from the game record: the start and last landing of simple moves, captures,
// Vorna's captures that turn pieces over and a king's capture back to its own square; the
// mark following the record's cursor, also when the move was chosen from a shuffled list and
// the list was generated anew since; a record loaded from PDN; and no move where the record
// keeps none.
#include "game.h"
#include "last_move.h"
#include "mathematics.h"
#include "pdn.h"
#include "rules.h"
#include "setup_rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorvin;
using namespace quorvin::test;

namespace {

struct TPlaced {
    int File, Row;
    TSquare What;
};

// Two people play: every position is a stopping point of Undo and Redo.
TGameOptions People() {
    TGameOptions options;
    options.ComputerSide = {false, false};
    return options;
}

// A record on an 8 x 8 board whose first position holds these pieces, its moves generated.
TGame Record(TRules rules, const std::vector<TPlaced>& pieces, int side) {
    UseBoard(8, 8, false);
    TGame game(rules, People());
    TPosition& p = game.CurrentPosition();
    p.ClearBoard();
    for (const TPlaced& q : pieces) {
        const int s = SquareOf(q.File, q.Row);
        EXPECT_NE(s, 0) << q.File << "," << q.Row;
        p.Put(s, q.What);
    }
    p.SetSideToMove(side);
    FinishEditedPosition(p);
    p.ClassifyNode(false);
    return game;
}

TLastMove Between(int fromFile, int fromRow, int toFile, int toRow) {
    return {SquareOf(fromFile, fromRow), SquareOf(toFile, toRow)};
}

TLastMove Of(const TMove& m) {
    return {m.From, m.To};
}

struct TCaptureCase {
    const char* What;
    TRules Rules;
    std::vector<TPlaced> Pieces; // White to move, and its first move is played
    int Taken;
    int FromFile, FromRow, ToFile, ToRow;
};

TEST(LastMove, ACaptureIsMarkedAtItsStartAndItsLastLanding) {
    const std::vector<TCaptureCase> cases{
        {"a man's double capture",
         TRules::International,
         {{1, 1, WhiteMan}, {2, 2, BlackMan}, {2, 4, BlackMan}, {8, 8, BlackMan}},
         2,
         1,
         1,
         1,
         5},
        {"a king's capture back to its own square",
         TRules::International,
         {{1, 3, WhiteKing},
          {2, 4, BlackMan},
          {4, 4, BlackMan},
          {4, 2, BlackMan},
          {2, 2, BlackMan}},
         4,
         1,
         3,
         1,
         3},
        {"a Vorna capture that turns the taken man over",
         TRules::Vorna,
         {{3, 3, WhiteMan}, {4, 4, BlackMan}, {8, 8, BlackMan}},
         1,
         3,
         3,
         5,
         5},
    };
    for (const TCaptureCase& c : cases) {
        TGame game = Record(c.Rules, c.Pieces, White);
        ASSERT_GE(game.CurrentPosition().Moves.Count, 1) << c.What;
        ASSERT_EQ(game.CurrentPosition().Moves.GetMove(1).CaptureCount, c.Taken) << c.What;
        EXPECT_TRUE(LastMoveOf(game).Empty()) << c.What;
        game.PlayMove(1);
        const TLastMove mark = LastMoveOf(game);
        EXPECT_EQ(mark, Between(c.FromFile, c.FromRow, c.ToFile, c.ToRow)) << c.What;
        EXPECT_TRUE(mark.Contains(SquareOf(c.ToFile, c.ToRow))) << c.What;
        EXPECT_FALSE(mark.Contains(SquareOf(c.FromFile + 1, c.FromRow + 1))) << c.What;
    }
}

TEST(LastMove, EverySimpleMoveOfTheOpeningIsMarked) {
    UseBoard(8, 8, false);
    TGame start(TRules::International, People());
    start.CurrentPosition().ClassifyNode(false);
    ASSERT_EQ(start.CurrentPosition().Moves.Count, 7);
    for (int i = 1; i <= 7; ++i) {
        TGame game(TRules::International, People());
        game.CurrentPosition().ClassifyNode(false);
        const TMove m = game.CurrentPosition().Moves.GetMove(i);
        game.PlayMove(i);
        EXPECT_EQ(LastMoveOf(game), Of(m)) << "move " << i;
        // The mark agrees with the boards: the start emptied, the landing taken.
        EXPECT_FALSE(game.PreviousPosition().At(m.From).Empty);
        EXPECT_TRUE(game.CurrentPosition().At(m.From).Empty);
        EXPECT_FALSE(game.CurrentPosition().At(m.To).Empty);
    }
}

TEST(LastMove, TheMarkFollowsTheCursorToTheMovePlayedFromAShuffledList) {
    UseBoard(8, 8, false);
    TGame game(TRules::International, People());
    TPosition& start = game.CurrentPosition();
    start.ClassifyNode(false);
    const TMoveList generated = start.Moves;
    // The think driver shuffles the list before it chooses; the chosen index then names
    // another move of the list as the generators make it.
    SeedRandom(5);
    start.Moves.Shuffle();
    int index = 0;
    for (int k = 1; k <= start.Moves.Count && index == 0; ++k)
        if (start.Moves.FromOf(k) != generated.FromOf(k) ||
            start.Moves.ToOf(k) != generated.ToOf(k))
            index = k;
    ASSERT_NE(index, 0) << "the shuffle left the list as it was";
    const TMove first = start.Moves.GetMove(index);
    game.PlayMove(index);
    game.CurrentPosition().ClassifyNode(false);
    const TMove second = game.CurrentPosition().Moves.GetMove(1);
    game.PlayMove(1);
    EXPECT_EQ(LastMoveOf(game), Of(second));

    game.Undo();
    ASSERT_EQ(game.Current(), 2);
    EXPECT_EQ(LastMoveOf(game), Of(first));
    game.UndoAll();
    EXPECT_TRUE(LastMoveOf(game).Empty());
    // Back at the start the list is generated anew, in the generators' order.
    game.CurrentPosition().ResetForReuse();
    game.CurrentPosition().ClassifyNode(false);
    ASSERT_NE(Of(game.CurrentPosition().Moves.GetMove(index)), Of(first));
    game.Redo();
    EXPECT_EQ(LastMoveOf(game), Of(first));
    game.RedoAll();
    EXPECT_EQ(LastMoveOf(game), Of(second));

    // The record finds the move played in the list as it is now.
    const TPlayedMove* played = game.MoveLeadingTo(1);
    ASSERT_NE(played, nullptr);
    EXPECT_EQ(played->Index, index);
    const int now = IndexOfPlayed(game.Positions(0).Moves, *played);
    ASSERT_NE(now, 0);
    EXPECT_NE(now, index);
    EXPECT_EQ(Of(game.Positions(0).Moves.GetMove(now)), Of(first));
}

TEST(LastMove, ARecordLoadedFromPdnShowsItsLastMove) {
    const std::vector<TPdnGameText> games =
        ParsePdn("[GameType \"20\"]\n1. 32-28 19-23 2. 28x19 14x23 *\n");
    ASSERT_EQ(games.size(), 1u);
    const TLoadedGame loaded = LoadPdnGame(games.front());
    ASSERT_FALSE(loaded.Error);
    ASSERT_TRUE(loaded.Game);
    const TNotation& n = loaded.Notation;
    EXPECT_EQ(LastMoveOf(*loaded.Game), (TLastMove{n.SquareNamed("14"), n.SquareNamed("23")}));
}

TEST(LastMove, PositionsTheRecordKeepsNoMoveForAreUnmarked) {
    UseBoard(8, 8, false);
    TGame game(TRules::International, People());
    game.CurrentPosition().ClassifyNode(false);
    game.PlayMove(1);
    ASSERT_FALSE(LastMoveOf(game).Empty());
    // A position made by AddPosition comes with no move.
    const auto board = game.CurrentPosition().Clone();
    game.AddPosition().CopyBoard(*board);
    EXPECT_TRUE(LastMoveOf(game).Empty());
    // A position that becomes the first of the record, as a set-up position does, loses its
    // move.
    game.Undo();
    ASSERT_FALSE(LastMoveOf(game).Empty());
    game.DropHistory();
    EXPECT_TRUE(LastMoveOf(game).Empty());
}

} // namespace
