// The Vorna blocked-man test: forward neighbours that are empty or free, enemies with a free
// square behind them, chains of blocked men, and freedom that arrives from squares numbered
// above the man's (which a single pass over the board would miss).
#include "blocked_men.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

class BlockedMenTest : public testing::Test {
  protected:
    // Vorna's own board: 8 rows of 10 files; White moves towards row 8.
    void SetUp() override {
        UseBoard(8, 10, false);
        Position = CreatePosition(TRules::Vorna);
        Position->ClearBoard();
        Position->SetSideToMove(White);
    }
    void Put(int file, int row, TSquare piece) {
        const int s = SquareOf(file, row);
        ASSERT_NE(s, 0) << file << "," << row << " is not playable";
        Position->Put(s, piece);
    }
    bool Free(int file, int row) const { return IsFree(*Position, SquareOf(file, row)); }

    std::unique_ptr<TPosition> Position;
};

TEST_F(BlockedMenTest, EmptySquaresAreFreeAndTheOffBoardSquareIsNot) {
    EXPECT_TRUE(Free(3, 1));
    EXPECT_TRUE(Free(10, 8));
    EXPECT_FALSE(IsFree(*Position, 0));
}

TEST_F(BlockedMenTest, AManWithAnEmptySquareAheadIsFree) {
    Put(1, 1, WhiteMan);
    Put(10, 8, BlackMan);
    EXPECT_TRUE(Free(1, 1));
    EXPECT_TRUE(Free(10, 8));
}

TEST_F(BlockedMenTest, AManOnTheFarRowIsBlocked) {
    Put(2, 8, WhiteMan);
    Put(3, 1, BlackMan);
    EXPECT_FALSE(Free(2, 8));
    EXPECT_FALSE(Free(3, 1));
}

TEST_F(BlockedMenTest, OwnBlockedMenAheadBlockAMan) {
    Put(2, 8, WhiteMan); // blocked: no square ahead
    Put(4, 8, WhiteMan); // likewise
    Put(1, 7, WhiteMan); // only (2, 8) ahead
    Put(3, 7, WhiteMan); // (2, 8) and (4, 8)
    Put(2, 6, WhiteMan); // (1, 7) and (3, 7)
    EXPECT_FALSE(Free(1, 7));
    EXPECT_FALSE(Free(3, 7));
    EXPECT_FALSE(Free(2, 6));
}

TEST_F(BlockedMenTest, AFreePieceAheadFreesAMan) {
    Put(2, 8, WhiteMan);
    Put(1, 7, WhiteMan);
    Put(2, 6, WhiteMan);
    EXPECT_FALSE(Free(1, 7));
    // (2, 6) has (1, 7), blocked, and (3, 7), empty.
    EXPECT_TRUE(Free(2, 6));
    Put(3, 7, WhiteMan); // free: (4, 8) is empty
    EXPECT_TRUE(Free(2, 6));
    // A free enemy ahead frees a man as well: the Black man on (4, 8) can move to (5, 7).
    Put(4, 8, BlackMan);
    EXPECT_TRUE(Free(4, 8));
    EXPECT_TRUE(Free(3, 7));
}

TEST_F(BlockedMenTest, AnEnemyAheadBlocksOnlyWhenTheSquareBehindItIsNotFree) {
    // Black men on their far row, and men resting on them, are blocked.
    for (int file : {1, 3, 5, 7}) Put(file, 1, BlackMan);
    Put(4, 2, BlackMan);
    Put(6, 2, BlackMan);
    Put(5, 3, BlackMan);
    Put(4, 4, BlackMan);
    // The White man faces (1, 3) with the edge behind it and (3, 3) with (4, 4) behind it;
    // those two Black men can only move by taking it, onto blocked men.
    Put(2, 2, WhiteMan);
    Put(1, 3, BlackMan);
    Put(3, 3, BlackMan);
    EXPECT_FALSE(Free(4, 4));
    EXPECT_FALSE(Free(1, 3));
    EXPECT_FALSE(Free(3, 3));
    EXPECT_FALSE(Free(2, 2));

    // With (4, 4) empty the White man can take (3, 3), so it is free; and a free piece ahead,
    // even an enemy, frees the Black men in turn.
    Put(4, 4, EmptySquare);
    EXPECT_TRUE(Free(2, 2));
    EXPECT_TRUE(Free(1, 3));
    EXPECT_TRUE(Free(3, 3));
    EXPECT_FALSE(Free(4, 2));
}

TEST_F(BlockedMenTest, FreedomComesFromSquaresNumberedAbove) {
    // (1, 1) has only (2, 2) ahead, which has only empty squares ahead: both free, although
    // each depends on squares numbered above its own.
    Put(1, 1, WhiteMan);
    Put(2, 2, WhiteMan);
    EXPECT_TRUE(Free(1, 1));
    EXPECT_TRUE(Free(2, 2));
}

TEST_F(BlockedMenTest, BlackMenLookTowardsRowOne) {
    Put(1, 1, BlackMan);
    Put(3, 1, BlackMan);
    Put(2, 2, BlackMan);
    // Empty squares behind a man, on row 3, do not free it.
    EXPECT_FALSE(Free(2, 2));
    Put(5, 3, BlackMan);
    EXPECT_TRUE(Free(5, 3));
}

} // namespace
} // namespace quorvin::test
