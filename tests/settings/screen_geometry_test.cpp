// Where squares are shown on screen under both orientations, and the orientation the window
// takes from "White side on top".
#include "game_settings.h"
#include "screen_geometry.h"

#include <gtest/gtest.h>

using namespace quorvin;

TEST(ScreenGeometry, SquareAtInBothOrientations) {
    BuildGeometry(8, 10, 1);
    for (int column = 0; column <= 11; ++column)
        for (int line = 0; line <= 9; ++line) {
            const int normal = SquareAt(column, line, 1);
            if (column < 1 || column > 10 || line < 1 || line > 8) {
                EXPECT_EQ(normal, 0);
                continue;
            }
            EXPECT_EQ(SquareAt(column, line, 0), SquareAt(11 - column, 9 - line, 1));
            if (normal != 0) {
                EXPECT_EQ(ScreenPosOf(normal, 1), (TScreenPos{column, line}));
            }
        }
    EXPECT_EQ(SquareAt(1, 8, 1), 1); // White's near-left corner is bottom left
    EXPECT_EQ(SquareAt(2, 8, 1), 0); // a light cell
    EXPECT_EQ(SquareAt(10, 1, 0), 1);

    // The window's orientation follows "White side on top".
    Settings().Set(TSetting::WhiteTop, 1);
    EXPECT_EQ(SquareAt(10, 1, Orientation()), 1);
    Settings().Set(TSetting::WhiteTop, 0);
    EXPECT_EQ(SquareAt(1, 8, Orientation()), 1);
}
