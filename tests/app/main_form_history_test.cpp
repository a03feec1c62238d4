// Undo and Redo through the window's commands: against the computer a step back goes to the
// human's last choice, over the computer's reply; Redo comes forward to the next choice, and
// Redo all to the end of the record.
#include "window_test_support.h"

#include "draw.h"
#include "human_move.h"

#include <QAction>

namespace quorvin::test {
namespace {

class HistoryTest : public TWindowTest {
  protected:
    // Plays the first of White's moves by clicks; the computer answers inside the click.
    void PlayAHumanMove() {
        const int before = Game().Current();
        ClickMove(Now().Moves.GetMove(1));
        ASSERT_EQ(Game().Current(), before + 2);
    }
};

TEST_F(HistoryTest, UndoAgainstTheComputerGoesBackTwoHalfMoves) {
    PlayAHumanMove();
    PlayAHumanMove();
    ASSERT_EQ(Game().Current(), 5);
    const TPosition& third = Game().Positions(2);
    ASSERT_TRUE(Form->Action(TActionId::Undo)->isEnabled());

    ClickAction(TActionId::Undo);

    EXPECT_EQ(Game().Current(), 3);
    EXPECT_EQ(Game().Count(), 5); // nothing is thrown away
    EXPECT_TRUE(Now().SameAs(third));
    EXPECT_EQ(Now().SideToMove, White);
    // The human is to move: no engine run followed, the window waits.
    EXPECT_EQ(Form->Mode(), TMode::Play);
    EXPECT_FALSE(Form->IsThinking());
    EXPECT_TRUE(Form->Action(TActionId::Redo)->isEnabled());

    ClickAction(TActionId::Undo);
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_FALSE(Form->Action(TActionId::Undo)->isEnabled());
    EXPECT_FALSE(Form->Action(TActionId::UndoAll)->isEnabled());
}

TEST_F(HistoryTest, UndoDropsAHalfEnteredMoveAndAMoveAfterUndoCutsTheRedoTail) {
    PlayAHumanMove();
    ClickSquare(Now().Moves.GetMove(1).From);
    ASSERT_EQ(Form->MoveInput().InputStep(), 1);
    ClickAction(TActionId::Undo);
    EXPECT_EQ(Form->MoveInput().InputStep(), 0);
    ASSERT_EQ(Game().Current(), 1);
    PlayAHumanMove();
    EXPECT_EQ(Game().Count(), 3);
    EXPECT_FALSE(Form->Action(TActionId::Redo)->isEnabled());
}

TEST_F(HistoryTest, RedoStopsAtTheNextHumanChoiceAndRedoAllAtTheEnd) {
    PlayAHumanMove();
    PlayAHumanMove();
    PlayAHumanMove();
    ASSERT_EQ(Game().Count(), 7);

    ClickAction(TActionId::UndoAll);
    ASSERT_EQ(Game().Current(), 1);
    EXPECT_TRUE(Form->Action(TActionId::Redo)->isEnabled());
    EXPECT_TRUE(Form->Action(TActionId::RedoAll)->isEnabled());

    // Position 2 has the computer to move, so Redo goes on to position 3.
    ClickAction(TActionId::Redo);
    EXPECT_EQ(Game().Current(), 3);
    EXPECT_EQ(Now().SideToMove, White);
    EXPECT_EQ(Form->Mode(), TMode::Play);

    ClickAction(TActionId::RedoAll);
    EXPECT_EQ(Game().Current(), 7);
    EXPECT_EQ(Game().Count(), 7);
    EXPECT_FALSE(Form->Action(TActionId::Redo)->isEnabled());
    EXPECT_FALSE(Form->Action(TActionId::RedoAll)->isEnabled());
    EXPECT_TRUE(Form->Action(TActionId::Undo)->isEnabled());
    // The board shows the last position again.
    EXPECT_TRUE(Now().SameAs(Game().Positions(6)));
}

TEST_F(HistoryTest, RedoAllToAPositionWithTheComputerToMoveLetsItThink) {
    // Human - Human while the moves are made, then the computer takes Black.
    Settings().Set(TSetting::Sides, 0);
    ClickMove(Now().Moves.GetMove(1));
    ClickMove(Now().Moves.GetMove(1));
    ClickMove(Now().Moves.GetMove(1));
    ASSERT_EQ(Game().Count(), 4);
    ClickAction(TActionId::UndoAll);
    ASSERT_EQ(Game().Current(), 1);

    Settings().Set(TSetting::Sides, 1);
    ClickAction(TActionId::RedoAll);
    // Black was to move at the end of the record: its reply follows at once.
    EXPECT_EQ(Game().Count(), 5);
    EXPECT_EQ(Game().Current(), 5);
    EXPECT_EQ(Now().SideToMove, White);
}

} // namespace
} // namespace quorvin::test
