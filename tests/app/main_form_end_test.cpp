// The end of a game as the window shows it: the loss of a side without moves with the side's
// name and the victory or defeat sound, each draw rule with its own message, the board
// ignoring clicks afterwards, and the confirmation before a game in progress is thrown away.
#include "window_test_support.h"

#include "human_move.h"

#include <QAction>
#include <QToolButton>

namespace quorvin::test {
namespace {

class EndTest : public TWindowTest {
  protected:
    void ExpectOneInformation(const QString& text) {
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].Caption, QStringLiteral("Information"));
        EXPECT_EQ(Messages[0].Text, text);
        EXPECT_EQ(Messages[0].Icon, TMessageIcon::Information);
        EXPECT_EQ(Messages[0].Buttons, TMessageButtons::Ok);
        EXPECT_TRUE(Form->IsGameOver());
        EXPECT_EQ(Form->Mode(), TMode::Play);
    }
    int Sound(TSound s) const { return Form->Sounds().PlayCount(s); }
};

TEST_F(EndTest, TheComputerSideWithoutPiecesLosesAndVictorySounds) {
    UsePosition({{3, 3, WhiteMan}, {4, 4, BlackMan}}, White);
    Click(3, 3);
    Click(5, 5);
    ExpectOneInformation(QStringLiteral("The game is finished. Black have lost."));
    EXPECT_EQ(Sound(TSound::Victory), 1);
    EXPECT_EQ(Sound(TSound::Defeat), 0);
    EXPECT_FALSE(Form->Action(TActionId::Advice)->isEnabled());
    EXPECT_FALSE(Form->AdviserButton()->isEnabled());
    EXPECT_TRUE(Form->Action(TActionId::NewGame)->isEnabled());
    EXPECT_TRUE(Form->ForecastText(TPanel::Up).isEmpty());
}

TEST_F(EndTest, TheHumanSideCapturedByTheComputerLosesAndDefeatSounds) {
    // White's only move walks into Black's capture, which takes White's last piece.
    UsePosition({{1, 3, WhiteMan}, {3, 5, BlackMan}}, White);
    Click(1, 3);
    Click(2, 4);
    ExpectOneInformation(QStringLiteral("The game is finished. White have lost."));
    EXPECT_EQ(Game().Current(), 3);
    EXPECT_EQ(Sound(TSound::Defeat), 1);
    EXPECT_EQ(Sound(TSound::Victory), 0);
}

TEST_F(EndTest, BetweenTwoHumansTheLossSoundsAsADefeat) {
    Settings().Set(TSetting::Sides, 0);
    UsePosition({{3, 3, WhiteMan}, {4, 4, BlackMan}}, White);
    Click(3, 3);
    Click(5, 5);
    ExpectOneInformation(QStringLiteral("The game is finished. Black have lost."));
    EXPECT_EQ(Sound(TSound::Defeat), 1);
    EXPECT_EQ(Sound(TSound::Victory), 0);
}

TEST_F(EndTest, NoSoundWhileSoundIsSwitchedOff) {
    Form->SoundItem()->trigger();
    ASSERT_FALSE(Form->SoundItem()->isChecked());
    UsePosition({{3, 3, WhiteMan}, {4, 4, BlackMan}}, White);
    Click(3, 3);
    Click(5, 5);
    EXPECT_EQ(Sound(TSound::Victory), 0);
    EXPECT_EQ(Sound(TSound::Capture), 0);
    // Switching it on again plays the advice sound once.
    Form->SoundItem()->trigger();
    EXPECT_EQ(Sound(TSound::Advice), 1);
}

TEST_F(EndTest, TripleRepetitionIsADrawAndTheBoardThenIgnoresClicks) {
    Settings().Set(TSetting::Sides, 0);
    UsePosition({{1, 1, WhiteKing}, {7, 1, BlackKing}}, White);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(Messages.empty());
        Click(1, 1);
        Click(2, 2);
        Click(7, 1);
        Click(8, 2);
        Click(2, 2);
        Click(1, 1);
        Click(8, 2);
        Click(7, 1);
    }
    ExpectOneInformation(QStringLiteral("Triple recurrence of the position. A drawn game."));
    EXPECT_EQ(Game().Current(), 9);
    EXPECT_EQ(Sound(TSound::Victory) + Sound(TSound::Defeat), 0);

    // White is to move and its king has moves, but the game is over.
    Click(1, 1);
    EXPECT_EQ(Form->MoveInput().InputStep(), 0);
    EXPECT_FALSE(Form->MoveInput().IsHighlighted(Sq(1, 1)));
    Click(2, 2);
    EXPECT_EQ(Game().Current(), 9);
    EXPECT_EQ(Messages.size(), 1u);
}

TEST_F(EndTest, ThirtyTwoMovesOfKingsWithoutCaptureAreADraw) {
    Settings().Set(TSetting::Sides, 0);
    Settings().Set(TSetting::TripleRepetitionDraw, 0);
    TGame game = GameWith(
        {{1, 1, WhiteKing}, {3, 1, WhiteKing}, {6, 8, BlackKing}, {8, 8, BlackKing}}, White);
    PlayQuietPlies(game, TGame::QuietMovesPlies - 1);
    ASSERT_FALSE(game.QuietMovesDraw());
    Form->UseGame(std::move(game));
    ASSERT_TRUE(Messages.empty());

    ClickMove(Now().Moves.GetMove(QuietMove(Now())));
    ExpectOneInformation(QStringLiteral("32 moves without captures and crownes. A drawn game."));
    EXPECT_EQ(Sound(TSound::Victory) + Sound(TSound::Defeat), 0);
}

TEST_F(EndTest, FifteenMovesOfThreeKingsAgainstOneAreADraw) {
    Settings().Set(TSetting::Sides, 0);
    Settings().Set(TSetting::TripleRepetitionDraw, 0);
    TGame game = GameWith(
        {{1, 1, WhiteKing}, {3, 1, WhiteKing}, {5, 1, WhiteKing}, {6, 8, BlackKing}}, White);
    PlayQuietPlies(game, TGame::ThreeKingsPlies - 1);
    ASSERT_FALSE(game.ThreeKingsDraw());
    Form->UseGame(std::move(game));
    ASSERT_TRUE(Messages.empty());

    ClickMove(Now().Moves.GetMove(QuietMove(Now())));
    ExpectOneInformation(QStringLiteral("15 moves (3 kings vs 1). A drawn game."));
}

TEST_F(EndTest, NewGameAsksOnlyOnceMovesWerePlayed) {
    ClickAction(TActionId::NewGame);
    EXPECT_TRUE(Messages.empty());
    const int starts = Sound(TSound::Start);

    ClickMove(Now().Moves.GetMove(1));
    ASSERT_EQ(Game().Current(), 3);
    Answer = TMessageAnswer::No;
    ClickAction(TActionId::NewGame);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(Messages[0].Text, QStringLiteral("New game - are you sure?"));
    EXPECT_EQ(Messages[0].Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(Messages[0].Icon, TMessageIcon::Question);
    EXPECT_EQ(Game().Current(), 3);

    Answer = TMessageAnswer::Yes;
    ClickAction(TActionId::NewGame);
    EXPECT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_EQ(Sound(TSound::Start), starts + 1);
}

TEST_F(EndTest, ANewGameAfterTheEndTakesClicksAgain) {
    UsePosition({{3, 3, WhiteMan}, {4, 4, BlackMan}}, White);
    Click(3, 3);
    Click(5, 5);
    ASSERT_TRUE(Form->IsGameOver());
    Answer = TMessageAnswer::Yes;
    ClickAction(TActionId::NewGame);
    EXPECT_FALSE(Form->IsGameOver());
    EXPECT_TRUE(Form->Action(TActionId::Advice)->isEnabled());
    Click(3, 3);
    EXPECT_EQ(Form->MoveInput().InputStep(), 1);
}

} // namespace
} // namespace quorvin::test
