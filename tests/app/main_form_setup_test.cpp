// Position setup as a player uses it: entering setup in the middle of a game, placing pieces
// with the tools from the panel, the menus and the right-button menu, the crowning-row rule,
// Clear, Delegate move, Arrange, and Continue play starting a new one-position history.
#include "window_test_support.h"

#include "draw.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolButton>

namespace quorvin::test {
namespace {

class SetupTest : public TWindowTest {
  protected:
    void EnterSetup() {
        ClickAction(TActionId::Setup);
        ASSERT_EQ(Form->Mode(), TMode::Setup);
    }
    QToolButton* Button(const char* name) const {
        return Form->findChild<QToolButton*>(QLatin1String(name));
    }
    void ClickButton(const char* name) {
        QToolButton* button = Button(name);
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isVisible()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Every square of the current position, to see that something changed nothing.
    std::vector<TSquare> Squares() const {
        std::vector<TSquare> squares;
        for (int s = 1; s <= SquareCount; ++s) squares.push_back(Now().At(s));
        return squares;
    }
    static bool Same(TSquare a, TSquare b) {
        return a.Empty == b.Empty && (a.Empty || (a.Side == b.Side && a.Kind == b.Kind));
    }
};

TEST_F(SetupTest, EditingMidGameThenContinueLeavesOnePosition) {
    ClickMove(Now().Moves.GetMove(1)); // the computer replies
    ASSERT_EQ(Game().Count(), 3);
    EnterSetup();
    EXPECT_TRUE(Form->SetupPanelShown());
    EXPECT_TRUE(Form->windowTitle().startsWith(QStringLiteral("Set up position|")));
    EXPECT_EQ(Form->Board().cursor().shape(), Qt::BitmapCursor);
    EXPECT_TRUE(Form->Action(TActionId::EmptySquare)->isChecked());
    EXPECT_TRUE(Button("EmptySquareSpeedButton")->isChecked());
    EXPECT_FALSE(Form->MenuItem(QStringLiteral("NOpen"))->isEnabled());
    EXPECT_FALSE(Form->MenuItem(QStringLiteral("NSave"))->isEnabled());
    EXPECT_FALSE(Form->MenuItem(QStringLiteral("NQuickItem"))->isEnabled());

    // Take a white man away and put a white king on an empty square.
    Click(1, 1);
    EXPECT_TRUE(At(1, 1).Empty);
    ClickButton("WhiteKingSpeedButton");
    EXPECT_TRUE(Form->Action(TActionId::WhiteKing)->isChecked());
    EXPECT_FALSE(Form->Action(TActionId::EmptySquare)->isChecked());
    Click(4, 4);
    EXPECT_FALSE(At(4, 4).Empty);
    EXPECT_EQ(At(4, 4).Kind, 1);

    ClickButton("ContinueSpeedButton");
    EXPECT_EQ(Form->Mode(), TMode::Play);
    EXPECT_FALSE(Form->SetupPanelShown());
    EXPECT_EQ(Form->Board().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Brazilian checkers"));
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_FALSE(Form->Action(TActionId::Undo)->isEnabled());
    EXPECT_TRUE(Now().Consistent());
    EXPECT_GT(Now().Moves.Count, 0); // the moves of the edited position are there to click
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SetupTest, ClearThenContinueLosesAtOnce) {
    EnterSetup();
    ClickAction(TActionId::Clear);
    for (int s = 1; s <= SquareCount; ++s) EXPECT_TRUE(Now().At(s).Empty);
    ClickAction(TActionId::Continue);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, QStringLiteral("The game is finished. White have lost."));
    EXPECT_TRUE(Form->IsGameOver());
}

TEST_F(SetupTest, ClearWithBlackToMoveMakesBlackLose) {
    EnterSetup();
    ClickButton("ClearSpeedButton");
    ClickButton("DelegateSpeedButton");
    ClickButton("ContinueSpeedButton");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, QStringLiteral("The game is finished. Black have lost."));
}

TEST_F(SetupTest, AManNeverStandsOnItsOwnCrowningRow) {
    EnterSetup();
    ClickAction(TActionId::Clear);
    ClickAction(TActionId::WhitePawn);
    Click(2, 8); // White's crowning row: refused
    EXPECT_TRUE(At(2, 8).Empty);
    Click(1, 1); // Black's crowning row is fine for a white man
    EXPECT_TRUE(Same(At(1, 1), WhiteMan));

    ClickAction(TActionId::BlackPawn);
    Click(3, 1); // refused on Black's crowning row
    EXPECT_TRUE(At(3, 1).Empty);
    Click(2, 8);
    EXPECT_TRUE(Same(At(2, 8), BlackMan));

    ClickAction(TActionId::WhiteKing);
    Click(4, 8);
    EXPECT_TRUE(Same(At(4, 8), WhiteKing));
    ClickAction(TActionId::EmptySquare);
    Click(2, 8);
    EXPECT_TRUE(At(2, 8).Empty);
}

TEST_F(SetupTest, AClickOnALightSquareChangesNothing) {
    EnterSetup();
    ClickAction(TActionId::BlackKing);
    const auto before = Squares();
    // With White at the bottom the top-left cell is row 8, file 1: a light square.
    ASSERT_EQ(SquareOf(1, 8), 0);
    ClickCell(0, 0);
    const auto after = Squares();
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(Same(before[i], after[i])) << i;
}

TEST_F(SetupTest, TheRightButtonOffersTheToolsAndTheyWork) {
    EnterSetup();
    ClickAction(TActionId::Clear);
    Click(3, 3, Qt::RightButton);
    QMenu* menu = Form->ToolMenu();
    ASSERT_TRUE(WaitUntil([menu] { return menu->isVisible(); }));
    QAction* king = Form->MenuItem(QStringLiteral("PBlackKing"));
    EXPECT_TRUE(king->isVisible());
    EXPECT_TRUE(Form->MenuItem(QStringLiteral("NKingDlm"))->isVisible());
    EXPECT_FALSE(king->isCheckable()); // the menu shows no check marks
    king->trigger();
    menu->close();
    EXPECT_EQ(Form->SetupTool(), TSetupCursor::BlackKing);
    EXPECT_TRUE(Form->MenuItem(QStringLiteral("NBlackKing"))->isChecked());
    EXPECT_TRUE(Form->MenuItem(QStringLiteral("PBlackKing"))->font().bold());
    Click(3, 3);
    EXPECT_TRUE(Same(At(3, 3), BlackKing));
    // The Position menu's items choose the tools too.
    Form->MenuItem(QStringLiteral("NWhitePawn"))->trigger();
    EXPECT_EQ(Form->SetupTool(), TSetupCursor::WhitePawn);
    Click(5, 3);
    EXPECT_TRUE(Same(At(5, 3), WhiteMan));
}

TEST_F(SetupTest, VornaHasNoKingToolsAnywhere) {
    Form->ChangeSetting(TSetting::Rules, static_cast<int>(TRules::Vorna));
    EnterSetup();
    EXPECT_FALSE(Button("WhiteKingSpeedButton")->isVisible());
    EXPECT_FALSE(Button("BlackKingSpeedButton")->isVisible());
    EXPECT_TRUE(Button("WhitePawnSpeedButton")->isVisible());
    EXPECT_FALSE(Form->MenuItem(QStringLiteral("NWhiteKing"))->isVisible());
    Click(3, 3, Qt::RightButton);
    ASSERT_TRUE(WaitUntil([this] { return Form->ToolMenu()->isVisible(); }));
    EXPECT_FALSE(Form->MenuItem(QStringLiteral("PWhiteKing"))->isVisible());
    EXPECT_FALSE(Form->MenuItem(QStringLiteral("PBlackKing"))->isVisible());
    EXPECT_FALSE(Form->MenuItem(QStringLiteral("NKingDlm"))->isVisible());
    EXPECT_TRUE(Form->MenuItem(QStringLiteral("PWhitePawn"))->isVisible());
    Form->ToolMenu()->close();
}

TEST_F(SetupTest, DelegatingTwiceGivesTheMoveBack) {
    EnterSetup();
    const int side = Now().SideToMove;
    const QString indicator = Form->SidePicture(TPanel::Down);
    ClickAction(TActionId::Delegate);
    EXPECT_EQ(Now().SideToMove, 1 - side);
    EXPECT_EQ(Now().Opponent, side);
    EXPECT_NE(Form->SidePicture(TPanel::Down), indicator);
    ClickAction(TActionId::Delegate);
    EXPECT_EQ(Now().SideToMove, side);
    EXPECT_EQ(Form->SidePicture(TPanel::Down), indicator);
}

TEST_F(SetupTest, ArrangeDiscardsTheHistory) {
    Settings().Set(TSetting::Sides, 0);
    ClickMove(Now().Moves.GetMove(1));
    ClickMove(Now().Moves.GetMove(1));
    ASSERT_EQ(Game().Count(), 3);
    EnterSetup();
    ClickAction(TActionId::Clear);
    ClickAction(TActionId::Delegate);
    ClickAction(TActionId::Arrange);
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_EQ(Form->Mode(), TMode::Setup);
    TGame fresh(Settings().Rules());
    EXPECT_TRUE(Now().SameAs(fresh.CurrentPosition()));
    ClickAction(TActionId::Continue);
    EXPECT_EQ(Now().SideToMove, White);
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SetupTest, ContinueLetsTheComputerMoveWhenItIsToMove) {
    EnterSetup();
    ClickAction(TActionId::Delegate); // Black, the computer, is to move
    ClickAction(TActionId::Continue);
    ASSERT_TRUE(WaitUntil([this] { return Game().Count() == 2 && !Form->IsThinking(); }));
    EXPECT_EQ(Now().SideToMove, White);
    EXPECT_EQ(Form->Mode(), TMode::Play);
}

} // namespace
} // namespace quorvin::test
