// The one place that turns the stored settings into the engine's inputs: the game options a
// record is given, the board that ApplyBoard builds, and a window's record following a change
// of the settings while a game goes on.
#include "game_settings.h"

#include <gtest/gtest.h>

using namespace quorvin;

namespace {

class GameSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { Settings().RestoreDefaults(); }
    void TearDown() override {
        Settings().SetChangeHook(nullptr);
        Settings().RestoreDefaults();
    }
};

TEST_F(GameSettingsTest, SidesAndDrawRulesBecomeGameOptions) {
    struct TCase {
        int Sides;
        std::array<bool, 2> Computer;
    };
    for (const TCase c :
         {TCase{0, {false, false}}, TCase{1, {false, true}}, TCase{2, {true, false}}}) {
        Settings().Set(TSetting::Sides, c.Sides);
        EXPECT_EQ(Settings().GameOptions().ComputerSide, c.Computer) << c.Sides;
    }
    Settings().Set(TSetting::TripleRepetitionDraw, 0);
    Settings().Set(TSetting::QuietMovesDraw, 1);
    Settings().Set(TSetting::ThreeKingsDraw, 0);
    Settings().Set(TSetting::AutoSingleMove, 1);
    const TGameOptions o = Settings().GameOptions();
    EXPECT_FALSE(o.TripleRepetitionDraw);
    EXPECT_TRUE(o.QuietMovesDraw);
    EXPECT_FALSE(o.ThreeKingsDraw);
    EXPECT_TRUE(o.AutoSingleMove);
}

TEST_F(GameSettingsTest, TheDefaultsOfBothAgree) {
    // A record made without options plays as a first start of the window does.
    const TGameOptions stored = Settings().GameOptions(), plain{};
    EXPECT_EQ(stored.ComputerSide, plain.ComputerSide);
    EXPECT_EQ(stored.AutoSingleMove, plain.AutoSingleMove);
    EXPECT_EQ(stored.TripleRepetitionDraw, plain.TripleRepetitionDraw);
    EXPECT_EQ(stored.QuietMovesDraw, plain.QuietMovesDraw);
    EXPECT_EQ(stored.ThreeKingsDraw, plain.ThreeKingsDraw);
}

TEST_F(GameSettingsTest, ApplyBoardStoresTheBoardAndBuildsItsGeometry) {
    ApplyBoard(TRules::Spanish, 10, 7, true);
    EXPECT_EQ(Settings().Rules(), TRules::Spanish);
    EXPECT_EQ(Settings().Rows(), 10);
    EXPECT_EQ(Settings().Files(), 7);
    EXPECT_EQ(BoardRows, 10);
    EXPECT_EQ(BoardFiles, 7);
    EXPECT_EQ(BoardColoringFlag, 0);
    // Out-of-range sizes are clamped the same way in the settings and the geometry.
    ApplyBoard(TRules::International, 30, 2, false);
    EXPECT_EQ(Settings().Rows(), BoardRows);
    EXPECT_EQ(Settings().Files(), BoardFiles);
    EXPECT_EQ(BoardRows, MaxSide);
    EXPECT_EQ(BoardFiles, MinSide);
}

TEST_F(GameSettingsTest, TheChangeHookSeesEveryRealChangeOnce) {
    int calls = 0;
    Settings().SetChangeHook([&] { ++calls; });
    Settings().Set(TSetting::Sides, 2);
    EXPECT_EQ(calls, 1);
    Settings().Set(TSetting::Sides, 2); // no change
    EXPECT_EQ(calls, 1);
    Settings().Set(TSetting::Rows, 99); // clamped to 12: a change
    EXPECT_EQ(calls, 2);
    Settings().RestoreDefaults();
    EXPECT_EQ(calls, 3);
}

TEST_F(GameSettingsTest, ARecordFollowsTheSettingsThroughTheHook) {
    ApplyBoard(TRules::International, 8, 8, false);
    TGame game(Settings().Rules(), Settings().GameOptions());
    Settings().SetChangeHook([&] { game.SetOptions(Settings().GameOptions()); });
    EXPECT_FALSE(game.ComputerToMove()); // White, a person, to move
    Settings().Set(TSetting::Sides, 2);  // the computer takes White
    EXPECT_TRUE(game.ComputerToMove());
}

TEST_F(GameSettingsTest, LevelsFollowWhoIsToMove) {
    ApplyBoard(TRules::International, 8, 8, false);
    Settings().Set(TSetting::OpponentLevel, 5);
    Settings().Set(TSetting::OpponentDisposition, 1);
    Settings().Set(TSetting::HinterLevel, 11);
    Settings().Set(TSetting::HinterDisposition, 0);
    TGame game(TRules::International, Settings().GameOptions());
    // White to move, played by a person: the adviser's level.
    EXPECT_EQ(LevelForSideToMove(game).Level, 11);
    EXPECT_FALSE(LevelForSideToMove(game).Disposition);
    Settings().Set(TSetting::Sides, 2);
    game.SetOptions(Settings().GameOptions());
    EXPECT_EQ(LevelForSideToMove(game).Level, 5);
    EXPECT_TRUE(LevelForSideToMove(game).Disposition);
}

} // namespace
