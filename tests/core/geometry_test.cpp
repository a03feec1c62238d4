// Square numbering, adjacency and display tables of several boards.
#include "geometry.h"

#include <gtest/gtest.h>

using namespace quorvin;

namespace {
std::array<int, 4> Neighbours(int s) {
    return {Neighbour[s][0], Neighbour[s][1], Neighbour[s][2], Neighbour[s][3]};
}
std::array<int, 4> Jumps(int s) {
    return {Jump[s][0], Jump[s][1], Jump[s][2], Jump[s][3]};
}
std::array<int, 2> Cell(int s) {
    return SquareCell[s];
}
} // namespace

TEST(Geometry, EightByEightNumberingAndNeighbours) {
    BuildGeometry(8, 8, 1);
    EXPECT_EQ(SquareCount, 32);
    EXPECT_EQ(Cell(1), (std::array<int, 2>{1, 1}));
    EXPECT_EQ(Cell(2), (std::array<int, 2>{3, 1}));
    EXPECT_EQ(Cell(4), (std::array<int, 2>{7, 1}));
    EXPECT_EQ(Cell(5), (std::array<int, 2>{2, 2}));
    EXPECT_EQ(Cell(9), (std::array<int, 2>{1, 3}));
    EXPECT_EQ(Cell(32), (std::array<int, 2>{8, 8}));
    EXPECT_EQ(Neighbours(1), (std::array<int, 4>{0, 5, 0, 0}));
    EXPECT_EQ(Jumps(1), (std::array<int, 4>{0, 10, 0, 0}));
    EXPECT_EQ(Neighbours(5), (std::array<int, 4>{9, 10, 2, 1}));
    EXPECT_EQ(Jumps(5), (std::array<int, 4>{0, 14, 0, 0}));
    EXPECT_EQ(Neighbours(10), (std::array<int, 4>{13, 14, 6, 5}));
    EXPECT_EQ(Jumps(10), (std::array<int, 4>{17, 19, 3, 1}));
    EXPECT_TRUE(OnEdge[1] && OnEdge[9] && OnEdge[29] && !OnEdge[5] && !OnEdge[10]);
    EXPECT_TRUE(PromotionRow[32][White] && PromotionRow[1][Black] && !PromotionRow[32][Black]);
    EXPECT_EQ(RowsAhead[10][White], 5);
    EXPECT_EQ(RowsAhead[10][Black], 2);
    EXPECT_EQ(EdgeDistance[10], 2);
    EXPECT_TRUE(OnLongDiagonal[1] && OnLongDiagonal[10] && OnLongDiagonal[32] &&
                !OnLongDiagonal[4]);
}

TEST(Geometry, ColoringCheckedMovesSquareOne) {
    BuildGeometry(8, 8, 0);
    EXPECT_EQ(SquareCount, 32);
    EXPECT_EQ(Cell(1), (std::array<int, 2>{2, 1}));
    EXPECT_EQ(Cell(5), (std::array<int, 2>{1, 2}));
    EXPECT_EQ(Cell(32), (std::array<int, 2>{7, 8}));
}

TEST(Geometry, LargestAndOddBoards) {
    BuildGeometry(12, 12, 1);
    EXPECT_EQ(SquareCount, 72);
    for (int s = 1; s <= 72; ++s)
        for (int d = 0; d < 4; ++d) {
            ASSERT_LE(Neighbour[s][d], 72);
            if (Neighbour[s][d] != 0) {
                EXPECT_EQ(Neighbour[Neighbour[s][d]][OppositeDir[d]], s);
            }
        }
    BuildGeometry(10, 10, 1);
    EXPECT_EQ(SquareCount, 50);
    EXPECT_EQ(Cell(6), (std::array<int, 2>{2, 2}));
    EXPECT_EQ(Cell(50), (std::array<int, 2>{10, 10}));

    BuildGeometry(7, 8, 1); // odd rows: both near rows start on the same file
    EXPECT_EQ(SquareCount, 28);
    EXPECT_EQ(FirstFileOfRow(1), 1);
    EXPECT_EQ(FirstFileOfRow(7), 1);
    for (int s = 1; s <= SquareCount; ++s) EXPECT_FALSE(OnLongDiagonal[s]);
    BuildGeometry(8, 8, 1);
    EXPECT_NE(FirstFileOfRow(1), FirstFileOfRow(8));
}
