// Moves entered with the mouse on the board: a plain move by two clicks answered by the
// computer, a multiple capture clicked square by square or entered by one click with "Auto
// single move", a right click dropping a half-entered move, and clicks that must do nothing.
#include "window_test_support.h"

#include "draw.h"
#include "human_move.h"
#include "search.h"

#include <QTimer>

namespace quorvin::test {
namespace {

class InputTest : public TWindowTest {
  protected:
    // A double capture for each of two white men, so that no move is forced: the man on
    // (1,1) takes (2,2) and (2,4) landing on (3,3) and (1,5); the man on (8,2) takes (7,3)
    // and (5,5) landing on (6,4) and (4,6).
    void UseTwoDoubleCaptures() {
        UsePosition({{1, 1, WhiteMan},
                     {8, 2, WhiteMan},
                     {2, 2, BlackMan},
                     {2, 4, BlackMan},
                     {7, 3, BlackMan},
                     {5, 5, BlackMan}},
                    White);
    }
};

TEST_F(InputTest, TwoClicksPlayAMoveAndTheComputerReplies) {
    ASSERT_EQ(Game().Current(), 1);
    Click(3, 3);
    // Selected, not yet played.
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_EQ(Form->MoveInput().InputStep(), 1);
    EXPECT_TRUE(Form->MoveInput().IsHighlighted(Sq(3, 3)));

    Click(4, 4);
    // The click returns once the computer has answered and it is the human's turn again.
    ASSERT_EQ(Game().Current(), 3);
    const TPosition& afterHuman = Game().Positions(1);
    EXPECT_TRUE(afterHuman.At(Sq(3, 3)).Empty);
    EXPECT_FALSE(afterHuman.At(Sq(4, 4)).Empty);
    EXPECT_EQ(afterHuman.SideToMove, Black);
    EXPECT_EQ(Now().SideToMove, White);
    EXPECT_EQ(Form->Mode(), TMode::Play);
    EXPECT_FALSE(Form->IsThinking());
    EXPECT_EQ(Form->MoveInput().InputStep(), 0);
    EXPECT_FALSE(Form->MoveInput().IsHighlighted(Sq(3, 3)));
    // The move and the reply were heard.
    EXPECT_GE(Form->Sounds().PlayCount(TSound::Move), 2);
}

TEST_F(InputTest, AMultipleCaptureIsClickedSquareBySquare) {
    Settings().Set(TSetting::Sides, 0);
    UseTwoDoubleCaptures();

    Click(1, 1);
    EXPECT_EQ(Form->MoveInput().InputStep(), 1);
    // The last landing square before the first one is no continuation.
    Click(1, 5);
    EXPECT_EQ(Form->MoveInput().InputStep(), 1);
    EXPECT_EQ(Game().Current(), 1);
    Click(3, 3);
    EXPECT_EQ(Form->MoveInput().InputStep(), 2);
    EXPECT_EQ(Game().Current(), 1);
    Click(1, 5);

    ASSERT_EQ(Game().Current(), 2);
    EXPECT_TRUE(At(1, 1).Empty);
    EXPECT_TRUE(At(2, 2).Empty);
    EXPECT_TRUE(At(2, 4).Empty);
    EXPECT_FALSE(At(1, 5).Empty);
    EXPECT_EQ(At(1, 5).Side, White);
    // The other man and its prey are untouched.
    EXPECT_FALSE(At(8, 2).Empty);
    EXPECT_FALSE(At(7, 3).Empty);
    EXPECT_EQ(Form->Sounds().PlayCount(TSound::Capture), 2); // one by one, by default
}

TEST_F(InputTest, AutoSingleMoveEntersTheWholeCaptureFromOneClick) {
    Settings().Set(TSetting::Sides, 0);
    Settings().Set(TSetting::AutoSingleMove, 1);
    UseTwoDoubleCaptures();
    ASSERT_EQ(Game().Current(), 1); // two captures to choose from: nothing is forced

    Click(8, 2);

    ASSERT_GE(Game().Current(), 2);
    const TPosition& after = Game().Positions(1);
    EXPECT_TRUE(after.At(Sq(8, 2)).Empty);
    EXPECT_TRUE(after.At(Sq(7, 3)).Empty);
    EXPECT_TRUE(after.At(Sq(5, 5)).Empty);
    EXPECT_FALSE(after.At(Sq(4, 6)).Empty);
    EXPECT_FALSE(after.At(Sq(2, 2)).Empty);
}

TEST_F(InputTest, ARightClickDropsAHalfEnteredCapture) {
    Settings().Set(TSetting::Sides, 0);
    UseTwoDoubleCaptures();
    Click(1, 1);
    Click(3, 3);
    ASSERT_EQ(Form->MoveInput().InputStep(), 2);
    ASSERT_TRUE(Form->MoveInput().IsHighlighted(Sq(3, 3)));

    Click(6, 6, Qt::RightButton);
    EXPECT_EQ(Form->MoveInput().InputStep(), 0);
    EXPECT_FALSE(Form->MoveInput().IsHighlighted(Sq(1, 1)));
    EXPECT_FALSE(Form->MoveInput().IsHighlighted(Sq(3, 3)));

    // The capture cannot be finished any more: its last square alone starts nothing.
    Click(1, 5);
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_EQ(Form->MoveInput().InputStep(), 0);
    // The input starts afresh.
    Click(1, 1);
    Click(3, 3);
    Click(1, 5);
    EXPECT_EQ(Game().Current(), 2);
}

TEST_F(InputTest, ClickingAnotherPieceSwitchesTheSelection) {
    Click(3, 3);
    Click(5, 3);
    EXPECT_EQ(Form->MoveInput().InputStep(), 1);
    EXPECT_FALSE(Form->MoveInput().IsHighlighted(Sq(3, 3)));
    EXPECT_TRUE(Form->MoveInput().IsHighlighted(Sq(5, 3)));
    // An enemy piece is no selection.
    Click(2, 6);
    EXPECT_EQ(Form->MoveInput().InputStep(), 1);
    EXPECT_TRUE(Form->MoveInput().IsHighlighted(Sq(5, 3)));
}

TEST_F(InputTest, ClicksAreIgnoredWhileTheComputerThinks) {
    Settings().Set(TSetting::OpponentLevel, 8); // half a second per move
    bool sampled = false;
    TMode modeDuringThink = TMode::Play;
    int stepAfterClick = -1;
    bool highlighted = true;
    When([this] { return Searching(); },
         [&] {
             modeDuringThink = Form->Mode();
             // Black is to move: its man on (2,6) would be a legal start square.
             Click(2, 6);
             stepAfterClick = Form->MoveInput().InputStep();
             highlighted = Form->MoveInput().IsHighlighted(Sq(2, 6));
             sampled = true;
         });
    Click(3, 3);
    Click(4, 4);

    ASSERT_TRUE(sampled);
    EXPECT_EQ(modeDuringThink, TMode::Busy);
    EXPECT_EQ(stepAfterClick, 0);
    EXPECT_FALSE(highlighted);
    // The computer's own move was played, and only one.
    EXPECT_EQ(Game().Current(), 3);
    EXPECT_EQ(Now().SideToMove, White);
}

} // namespace
} // namespace quorvin::test
