// How a played move is shown: the sounds of its stages (each hop, each group of taken pieces,
// the crowning), the king on the board after a crowning, and the two waits the replay and the
// highlighting use: Pause freezes the window, Delay keeps serving its events.
#include "window_test_support.h"

#include "draw.h"
#include "waits.h"

#include <QElapsedTimer>
#include <QTimer>

namespace quorvin::test {
namespace {

class DisplayTest : public TWindowTest {
  protected:
    int Sound(TSound s) const { return Form->Sounds().PlayCount(s); }
    // The pixels of a square's cell as the board shows them now.
    QImage Cell(int file, int row) const {
        return Form->Board().Canvas().copy(Form->Board().CellRectOf(Sq(file, row)));
    }
};

TEST_F(DisplayTest, ACrowningSoundsTwiceAndLeavesAKing) {
    Settings().Set(TSetting::Sides, 0);
    UsePosition({{3, 7, WhiteMan}, {8, 6, BlackMan}}, White);
    const int moves = Sound(TSound::Move);
    const QImage manOnSquare = Cell(3, 7);
    Click(3, 7);
    Click(2, 8);
    ASSERT_EQ(Game().Current(), 2);
    EXPECT_EQ(At(2, 8).Kind, King);
    EXPECT_EQ(Sound(TSound::Move), moves + 2);
    // The crowned piece no longer looks like the man it was.
    EXPECT_GT(DifferingPixels(Cell(2, 8), manOnSquare), 0);
}

TEST_F(DisplayTest, TakenPiecesVanishTogetherUnlessOneByOne) {
    Settings().Set(TSetting::Sides, 0);
    Settings().Set(TSetting::CaptureOneByOne, 0);
    UsePosition({{1, 1, WhiteMan}, {2, 2, BlackMan}, {2, 4, BlackMan}, {8, 8, BlackMan}}, White);
    const int moves = Sound(TSound::Move);
    Click(1, 1);
    Click(3, 3);
    Click(1, 5);
    ASSERT_EQ(Game().Current(), 2);
    EXPECT_EQ(Sound(TSound::Capture), 1);
    EXPECT_EQ(Sound(TSound::Move), moves + 2); // one per hop
    // The board shows the taken squares empty, as the position holds them.
    EXPECT_EQ(DifferingPixels(Cell(2, 2), Cell(4, 4)), 0);
    EXPECT_EQ(DifferingPixels(Cell(2, 4), Cell(4, 4)), 0);
}

TEST(WaitsTest, PauseServesNoEventsAndDelayDoes) {
    SetWaitScale(1.0);
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    Pause(60);
    EXPECT_GE(clock.elapsed(), 55);
    EXPECT_FALSE(fired);
    clock.restart();
    Delay(60);
    EXPECT_GE(clock.elapsed(), 55);
    EXPECT_TRUE(fired);

    // The scale shortens both.
    SetWaitScale(0.0);
    clock.restart();
    Pause(500);
    Delay(500);
    EXPECT_LT(clock.elapsed(), 100);
    SetWaitScale(1.0);
}

} // namespace
} // namespace quorvin::test
