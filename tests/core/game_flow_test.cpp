// The course of a game without a window: command states by mode, the computer's replies and
// Undo over them, the end of a game, Break calculation, the busy guard and position setup.
#include "game_flow.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvin;
using namespace quorvin::test;

namespace {

// Records what the flow reports; the computer plays Black at random.
class TRecordingView : public TFlowView {
  public:
    TRules Rules = TRules::International;
    TGameOptions Options{};
    int LevelIndex = RandomLevelIndex;
    std::vector<std::string> Events;
    std::vector<TOutcome> Results;
    int HandedOver = 0;
    bool AnswerNewGame = true;

    TGame NewRecord() override {
        UseBoard(8, 8, false);
        return TGame(Rules, Options);
    }
    TGameOptions GameOptions() override { return Options; }
    TThinkRequest Level(const TGame&) override { return {.Level = LevelIndex}; }
    void MovePlayed(const TMove& m) override { Events.push_back("move " + MoveText(m)); }
    void ShowResult(const TOutcome& outcome) override { Results.push_back(outcome); }
    void PlaySound(TSound sound) override {
        Events.push_back("sound " + std::to_string(static_cast<int>(sound)));
    }
    bool ConfirmNewGame() override {
        Events.push_back("confirm");
        return AnswerNewGame;
    }
    void HandOverToHumans() override {
        ++HandedOver;
        Options.ComputerSide = {false, false};
    }
};

TGameFlow* Running = nullptr;

} // namespace

TEST(GameFlow, CommandStatesFollowTheMode) {
    TRecordingView view;
    TGameFlow flow(view);
    flow.CreateGame();
    auto state = [&flow](TCommand c) { return flow.Commands()[std::size_t(c)]; };
    flow.SetMode(TMode::Play);
    EXPECT_TRUE(state(TCommand::Board).Enabled);
    EXPECT_FALSE(state(TCommand::Undo).Enabled); // nothing played yet
    EXPECT_FALSE(state(TCommand::Stop).Enabled);
    EXPECT_TRUE(state(TCommand::Setup).Visible);
    EXPECT_FALSE(state(TCommand::Continue).Visible);

    flow.SetMode(TMode::Busy);
    for (TCommand c : {TCommand::Board, TCommand::Exit, TCommand::NewGame, TCommand::Options,
                       TCommand::OpenPosition, TCommand::Advice, TCommand::CopyPosition})
        EXPECT_FALSE(state(c).Enabled) << int(c);
    EXPECT_FALSE(state(TCommand::Stop).Enabled); // no search runs

    flow.SetMode(TMode::Setup);
    EXPECT_FALSE(state(TCommand::Setup).Visible);
    EXPECT_FALSE(state(TCommand::NewGame).Enabled);
    EXPECT_TRUE(state(TCommand::CopyPosition).Enabled);
    for (TCommand c : {TCommand::Continue, TCommand::Clear, TCommand::WhiteKing})
        EXPECT_TRUE(state(c).Visible) << int(c);

    view.Rules = TRules::Vorna;
    flow.RebuildGame();
    EXPECT_FALSE(state(TCommand::WhiteKing).Visible); // Vorna has no kings
    EXPECT_TRUE(state(TCommand::WhitePawn).Visible);
}

TEST(GameFlow, TheComputerRepliesAndUndoGoesBackToThePersonsChoice) {
    TRecordingView view;
    TGameFlow flow(view);
    flow.StartNewGame();
    EXPECT_EQ(flow.Game().Count(), 1); // White, the person, moves first
    EXPECT_EQ(flow.Mode(), TMode::Play);

    flow.HumanMove(1);
    ASSERT_EQ(flow.Game().Count(), 3); // the person's move and the computer's reply
    EXPECT_EQ(flow.Mode(), TMode::Play);
    EXPECT_FALSE(flow.Thinking());
    EXPECT_TRUE(flow.Enabled(TCommand::Undo));

    flow.UndoMove();
    EXPECT_EQ(flow.Game().Current(), 1);
    EXPECT_TRUE(flow.Enabled(TCommand::Redo));

    // A new game after moves asks first; declined, the game stays.
    flow.RedoAll();
    view.AnswerNewGame = false;
    EXPECT_FALSE(flow.NewGame());
    EXPECT_EQ(flow.Game().Count(), 3);
    view.AnswerNewGame = true;
    EXPECT_TRUE(flow.NewGame());
    EXPECT_EQ(flow.Game().Count(), 1);
}

TEST(GameFlow, AComputerSideWithoutMovesLosesAndTheAdviserIsReleased) {
    TRecordingView view;
    TGameFlow flow(view);
    flow.CreateGame();
    flow.SetAdviser(true);
    ASSERT_TRUE(flow.StartSetup());
    ASSERT_TRUE(flow.Clear());
    ASSERT_TRUE(flow.Place(14, WhiteMan));
    ASSERT_TRUE(flow.Delegate()); // Black, the computer, to move without a piece
    ASSERT_TRUE(flow.ContinuePlay());
    ASSERT_EQ(view.Results.size(), 1u);
    EXPECT_EQ(view.Results[0].Kind, TOutcomeKind::Lost);
    EXPECT_EQ(view.Results[0].Loser, Black);
    EXPECT_EQ(view.Events.back(), "sound " + std::to_string(int(TSound::Victory)));
    EXPECT_TRUE(flow.GameOver());
    EXPECT_FALSE(flow.AdviserDown());
    EXPECT_FALSE(flow.Enabled(TCommand::Advice));
    EXPECT_TRUE(flow.Enabled(TCommand::Board));
}

TEST(GameFlow, BreakCalculationPlaysNoMoveAndHandsTheGameToPeople) {
    TRecordingView view;
    view.Options.ComputerSide = {true, false};
    view.LevelIndex = LevelCount - 1; // ten seconds a move
    TGameFlow flow(view);
    Running = &flow;
    ThinkSearchState().PumpHook = [] { Running->Stop(); };
    flow.StartNewGame();
    ThinkSearchState().PumpHook = nullptr;
    EXPECT_EQ(flow.Game().Count(), 1);
    EXPECT_EQ(view.HandedOver, 1);
    EXPECT_EQ(flow.Mode(), TMode::Play);
    EXPECT_FALSE(flow.Thinking());
    EXPECT_FALSE(flow.Busy());
}

TEST(GameFlow, TheBusyGuardRefusesASecondCommand) {
    TRecordingView view;
    TGameFlow flow(view);
    flow.CreateGame();
    int inner = 0;
    EXPECT_TRUE(flow.Run(TGameFlow::TWhen::Idle, [&] {
        EXPECT_FALSE(flow.Run(TGameFlow::TWhen::Idle, [&] { ++inner; }));
        EXPECT_TRUE(flow.Run(TGameFlow::TWhen::Always, [&] { ++inner; }));
    }));
    // Break calculation runs at any time and leaves the flow free.
    EXPECT_TRUE(flow.Run(TGameFlow::TWhen::Always, [&] { EXPECT_FALSE(flow.Busy()); }));
    EXPECT_EQ(inner, 1);
    EXPECT_FALSE(flow.Busy());
    // An error leaves the guard released.
    EXPECT_THROW(flow.Run(TGameFlow::TWhen::Idle, [] { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_FALSE(flow.Busy());
}

TEST(GameFlow, SetupPlacesOnlyWhereThePieceMayStandAndStartsAFreshHistory) {
    TRecordingView view;
    view.Options.ComputerSide = {false, false};
    TGameFlow flow(view);
    flow.StartNewGame();
    flow.HumanMove(1);
    ASSERT_EQ(flow.Game().Count(), 2);
    EXPECT_FALSE(flow.Place(1, WhiteMan)); // not in setup
    ASSERT_TRUE(flow.StartSetup());
    EXPECT_FALSE(flow.Place(29, WhiteMan)); // White's crowning row
    EXPECT_FALSE(flow.Place(1, BlackMan));  // Black's
    EXPECT_TRUE(flow.Place(29, WhiteKing));
    EXPECT_TRUE(flow.Place(5, BlackMan));
    ASSERT_TRUE(flow.ContinuePlay());
    EXPECT_EQ(flow.Game().Count(), 1);
    EXPECT_EQ(flow.Game().CurrentPosition().At(29).Kind, King);
    EXPECT_TRUE(flow.Game().CurrentPosition().Consistent());
    EXPECT_EQ(flow.Mode(), TMode::Play);
}
