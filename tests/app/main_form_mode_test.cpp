// Which commands are enabled and shown in each mode of the window: playing (at the start,
// in the middle and at the end of the record), busy while the computer thinks, position
// setup (with and without kings in the rules), and after the end of a game.
#include "window_test_support.h"

#include "draw.h"

#include <QAction>
#include <QTimer>
#include <QToolButton>

namespace quorvin::test {
namespace {

// The enabled state of every command that the mode decides, in one comparable record.
struct TCommandStates {
    bool Board, Exit, Stop, Undo, UndoAll, Redo, RedoAll, Options, BrainOptions, BoardSetup,
        BoardView, Sides, Setup, NewGame, Advice, Adviser;
    bool operator==(const TCommandStates&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TCommandStates& s) {
    return out << "board " << s.Board << " exit " << s.Exit << " stop " << s.Stop << " undo "
               << s.Undo << s.UndoAll << " redo " << s.Redo << s.RedoAll << " options " << s.Options
               << s.BrainOptions << s.BoardSetup << s.BoardView << s.Sides << " setup " << s.Setup
               << " new " << s.NewGame << " advice " << s.Advice << " adviser " << s.Adviser;
}

class ModeTest : public TWindowTest {
  protected:
    TCommandStates States() const {
        auto on = [this](TActionId id) { return Form->Action(id)->isEnabled(); };
        return {Form->Board().isEnabled(),
                Form->ExitItem()->isEnabled(),
                Form->StopButton()->isEnabled(),
                on(TActionId::Undo),
                on(TActionId::UndoAll),
                on(TActionId::Redo),
                on(TActionId::RedoAll),
                on(TActionId::Options),
                on(TActionId::BrainOptions),
                on(TActionId::BoardSetup),
                on(TActionId::BoardView),
                on(TActionId::Sides),
                on(TActionId::Setup),
                on(TActionId::NewGame),
                on(TActionId::Advice),
                Form->AdviserButton()->isEnabled()};
    }
    bool Shown(TActionId id) const { return Form->Action(id)->isVisible(); }
    void ExpectSetupToolsShown(bool shown, bool kings) {
        for (TActionId id :
             {TActionId::Continue, TActionId::EmptySquare, TActionId::WhitePawn,
              TActionId::BlackPawn, TActionId::Clear, TActionId::Delegate, TActionId::Arrange})
            EXPECT_EQ(Shown(id), shown) << Form->Action(id)->objectName().toStdString();
        EXPECT_EQ(Shown(TActionId::WhiteKing), kings);
        EXPECT_EQ(Shown(TActionId::BlackKing), kings);
    }
};

// Play with nothing to undo or redo.
constexpr TCommandStates PlayAtStart{true, true, false, false, false, false, false, true,
                                     true, true, true,  true,  true,  true,  true,  true};

TEST_F(ModeTest, PlayAtTheStartOfAGame) {
    EXPECT_EQ(States(), PlayAtStart);
    EXPECT_TRUE(Shown(TActionId::Setup));
    ExpectSetupToolsShown(false, false);
}

TEST_F(ModeTest, PlayFollowsThePlaceInTheRecord) {
    ClickMove(Now().Moves.GetMove(1));
    TCommandStates atEnd = PlayAtStart;
    atEnd.Undo = atEnd.UndoAll = true;
    EXPECT_EQ(States(), atEnd);

    ClickAction(TActionId::Undo);
    TCommandStates atStart = PlayAtStart;
    atStart.Redo = atStart.RedoAll = true;
    EXPECT_EQ(States(), atStart);
}

TEST_F(ModeTest, BusyWhileTheComputerThinks) {
    Settings().Set(TSetting::OpponentLevel, 7); // 0.2 s per move
    TCommandStates busy{};
    When([this] { return Searching(); }, [&] { busy = States(); });
    ClickMove(Now().Moves.GetMove(1));
    const TCommandStates expected{false, false, true,  false, false, false, false, false,
                                  false, false, false, false, false, false, false, true};
    EXPECT_EQ(busy, expected);
    // The menu items are the same commands.
    TCommandStates after = PlayAtStart;
    after.Undo = after.UndoAll = true;
    EXPECT_EQ(States(), after);
}

TEST_F(ModeTest, SetupShowsTheToolsAndDisablesPlay) {
    Form->SetMode(TMode::Setup);
    TCommandStates setup = PlayAtStart;
    setup.Options = setup.BrainOptions = setup.BoardSetup = setup.BoardView = setup.Sides =
        setup.Setup = setup.NewGame = setup.Advice = false;
    EXPECT_EQ(States(), setup);
    EXPECT_FALSE(Shown(TActionId::Setup));
    ExpectSetupToolsShown(true, true);

    Form->SetMode(TMode::Play);
    EXPECT_TRUE(Shown(TActionId::Setup));
    ExpectSetupToolsShown(false, false);
}

TEST_F(ModeTest, VornaSetupHasNoKings) {
    Form->ChangeSetting(TSetting::Rules, static_cast<int>(TRules::Vorna));
    Form->SetMode(TMode::Setup);
    ExpectSetupToolsShown(true, false);
}

TEST_F(ModeTest, AfterTheEndNoAdviceAndNoAdviser) {
    UsePosition({{3, 3, WhiteMan}, {4, 4, BlackMan}}, White);
    Click(3, 3);
    Click(5, 5);
    ASSERT_TRUE(Form->IsGameOver());
    TCommandStates over = PlayAtStart;
    over.Undo = over.UndoAll = true;
    over.Advice = over.Adviser = false;
    EXPECT_EQ(States(), over);
    // Undo resumes the game.
    ClickAction(TActionId::Undo);
    EXPECT_FALSE(Form->IsGameOver());
    EXPECT_TRUE(Form->Action(TActionId::Advice)->isEnabled());
    EXPECT_TRUE(Form->AdviserButton()->isEnabled());
}

} // namespace
} // namespace quorvin::test
