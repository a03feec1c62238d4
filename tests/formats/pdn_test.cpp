// PDN games: splitting a text into games, replaying them through the legal moves, the faults
// a broken file is reported with (and how far it is loaded), the text written for a game,
// round trips of random games of every preset and of boards that are none, and the
// published games kept in tests/data/pdn.
#include "fen.h"
#include "mathematics.h"
#include "pdn.h"
#include "preset_boards.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <tuple>

using namespace quorvin;
using quorvin::test::UsePreset;

namespace {

TLoadedGame LoadOne(const std::string& text, const TNotation& fallback = TNotation()) {
    const std::vector<TPdnGameText> games = ParsePdn(text);
    EXPECT_EQ(games.size(), 1u) << text;
    if (games.empty()) return TLoadedGame{};
    return LoadPdnGame(games.front(), fallback);
}

std::string CurrentFen(const TLoadedGame& loaded) {
    return FormatFen(loaded.Notation, loaded.Game->CurrentPosition());
}

// A FEN with ranges as the game's notation writes it, square by square.
std::string Written(const TLoadedGame& loaded, const std::string& fen) {
    auto p = CreatePosition(loaded.Notation.Rules());
    ApplyFen(ParseFen(loaded.Notation, fen), *p);
    return FormatFen(loaded.Notation, *p);
}

// Plays up to `plies` random legal moves (fewer when the game ends), each chosen from a
// shuffled list as the computer's are, so that the index played is not the move's index in
// the list as the generators make it.
void PlayRandomly(TGame& game, std::mt19937& random, int plies) {
    for (int i = 0; i < plies; ++i) {
        TPosition& p = game.CurrentPosition();
        if (p.ClassifyNode(false) != NodeHasMoves) return;
        SeedRandom(random());
        p.Moves.Shuffle();
        game.PlayMove(static_cast<int>(random() % static_cast<unsigned>(p.Moves.Count)) + 1);
    }
}

// Saves a game, reads it back and checks that it holds the same moves and positions.
void ExpectRoundTrip(const TGame& game, const TNotation& notation, const std::string& what) {
    TPdnHeader header;
    header.Event = what;
    header.Result = TGameResult::Draw;
    const std::string text = FormatPdnGame(game, notation, header, true);
    const std::vector<std::string> names = RecordedMoveNames(game, notation);
    const TLoadedGame loaded = LoadOne(text);
    ASSERT_FALSE(loaded.Error) << what << ": " << loaded.Error->Text() << "\n" << text;
    ASSERT_TRUE(loaded.Game);
    const TGame& back = *loaded.Game;
    ASSERT_EQ(back.Count(), game.Count()) << what;
    EXPECT_EQ(loaded.Plies, game.Count() - 1);
    EXPECT_EQ(loaded.Result, TGameResult::Draw);
    EXPECT_EQ(loaded.Notation.GameTypeTag(), notation.GameTypeTag());
    EXPECT_EQ(RecordedMoveNames(back, loaded.Notation), names) << what;
    // The recorded indices replay the game from its first position.
    TGame replay(game.Rules());
    ApplyFen(ParseFen(notation, FormatFen(notation, game.Positions(0))), replay.CurrentPosition());
    for (const int index : RecordedMoves(game)) {
        replay.CurrentPosition().ClassifyNode(false);
        replay.PlayMove(index);
    }
    ASSERT_EQ(replay.Count(), game.Count());
    EXPECT_TRUE(replay.CurrentPosition().SameAs(game.Positions(game.Count() - 1)));
    for (int i = 0; i < game.Count(); ++i) {
        ASSERT_TRUE(back.Positions(i).SameAs(game.Positions(i))) << what << " position " << i;
        ASSERT_EQ(back.Positions(i).SideToMove, game.Positions(i).SideToMove);
    }
}

std::string DataFile(const std::string& name) {
    std::ifstream in(std::string(QUORVIN_SOURCE_DIR) + "/tests/data/pdn/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(Pdn, GamesTagsAndMainLinesAreSplitOut) {
    const std::string text = "\xEF\xBB\xBF% a line comment\r\n"
                             "[Event \"Test \\\"one\\\"\"]\r\n"
                             "[White \"Ã‰milie\"]\r\n"
                             "\r\n"
                             "1. 32-28 {a comment\r\nover lines} 19-23 $1 2. 28x19! (2. 33-29?!\r\n"
                             "(2. 31-27 {x} 23-29) 14-20) 14x23(?) 3. 37-32 ; rest of line\r\n"
                             "3... 10-14 2-0\r\n"
                             "[Event \"two\"]\n"
                             "1.32-28 19-23 2. ... 28x19 *\n"
                             "{ a comment after the last game }\n";
    const std::vector<TPdnGameText> games = ParsePdn(text);
    ASSERT_EQ(games.size(), 2u);
    const TPdnGameText& first = games[0];
    EXPECT_EQ(first.Line, 2);
    ASSERT_EQ(first.Tags.size(), 2u);
    EXPECT_EQ(first.Tags[0].Name, "Event");
    EXPECT_EQ(first.Tags[0].Value, "Test \"one\"");
    EXPECT_EQ(first.Tags[1].Value, "Ã‰milie");
    EXPECT_EQ(first.Tags[1].Line, 3);
    ASSERT_NE(first.FindTag("event"), nullptr);
    EXPECT_EQ(first.FindTag("Site"), nullptr);
    std::vector<std::string> moves;
    for (const TPdnMove& m : first.Moves) moves.push_back(m.Text);
    EXPECT_EQ(moves,
              (std::vector<std::string>{"32-28", "19-23", "28x19!", "14x23", "37-32", "10-14"}));
    EXPECT_EQ(first.Moves[0].Line, 5);
    EXPECT_EQ(first.Moves[1].Line, 6);
    EXPECT_EQ(first.Moves[3].Line, 7);
    EXPECT_EQ(first.Moves[5].Line, 8);
    EXPECT_EQ(first.Terminator, "2-0");
    EXPECT_FALSE(first.SyntaxError);

    const TPdnGameText& second = games[1];
    EXPECT_EQ(second.Line, 9);
    EXPECT_EQ(second.Moves.size(), 3u);
    EXPECT_EQ(second.Moves[0].Text, "32-28");
    EXPECT_EQ(second.Terminator, "*");

    // Replayed: the variations and comments left no trace.
    const TLoadedGame loaded = LoadPdnGame(first);
    ASSERT_FALSE(loaded.Error) << loaded.Error->Text();
    EXPECT_EQ(loaded.Plies, 6);
    EXPECT_EQ(loaded.Result, TGameResult::WhiteWins);
    EXPECT_EQ(CurrentFen(loaded), Written(loaded, "W:W31-36,38-50:B1-9,11-18,20,23"));
}

TEST(Pdn, AGameWithoutGameTypeIsInternationalUnlessTheCallerSaysOtherwise) {
    const std::string text = "[Event \"?\"]\n1. 32-28 19-23 *\n";
    const TLoadedGame international = LoadOne(text);
    ASSERT_FALSE(international.Error);
    EXPECT_EQ(international.Notation.PresetName(), "international");
    EXPECT_EQ(international.Plies, 2);
    // As English draughts 32-28 is no move of Black's, who moves first.
    const TLoadedGame straight = LoadOne(text, TNotation::ForPreset(*FindPreset("straight")));
    ASSERT_TRUE(straight.Error);
    EXPECT_EQ(straight.Error->Line, 2);
    EXPECT_EQ(straight.Plies, 0);
    const TLoadedGame english =
        LoadOne("1. 11-15 23-19 *", TNotation::ForPreset(*FindPreset("straight")));
    ASSERT_FALSE(english.Error);
    EXPECT_EQ(english.Plies, 2);
    EXPECT_EQ(english.Game->Rules(), TRules::Straight); // the game's board was built
    EXPECT_TRUE(english.Notation.MatchesGeometry());
}

TEST(Pdn, GamesFromASetUpPositionStartThere) {
    // Gould's problem 1 with two moves played from it.
    const std::string text = "[GameType \"21\"]\n[SetUp \"1\"]\n[FEN \"W:WK27,K23:BK28,12.\"]\n"
                             "1. 23-18 12-16 0-1\n";
    const TLoadedGame loaded = LoadOne(text);
    ASSERT_FALSE(loaded.Error) << loaded.Error->Text();
    EXPECT_EQ(loaded.Notation.PresetName(), "straight");
    EXPECT_EQ(loaded.Game->Positions(0).SideToMove, White);
    EXPECT_EQ(CurrentFen(loaded), "W:WK18,K27:B16,K28");
    EXPECT_EQ(loaded.Result, TGameResult::WhiteWins);
}

TEST(Pdn, AnIllegalMoveIsReportedWithItsLineAndTheGameKeptUpToIt) {
    const std::string text = "[Event \"x\"]\n"
                             "1. 32-28 19-23\n"
                             "2. 28x19 14x23\n"
                             "3. 33-29 23x32 4. 37x28\n"
                             "5. 31-26 *\n";
    const TLoadedGame loaded = LoadOne(text);
    ASSERT_TRUE(loaded.Error);
    EXPECT_EQ(loaded.Error->Line, 4);
    EXPECT_NE(loaded.Error->Message.find("\"23x32\""), std::string::npos) << loaded.Error->Message;
    EXPECT_EQ(loaded.Error->Text().rfind("line 4: illegal move", 0), 0u) << loaded.Error->Text();
    ASSERT_TRUE(loaded.Game);
    EXPECT_EQ(loaded.Plies, 5);
    EXPECT_EQ(loaded.Game->Count(), 6);
    // The record ends on the position before the faulty move, ready to be played on.
    EXPECT_EQ(loaded.Game->CurrentPosition().SideToMove, Black);
    EXPECT_EQ(CurrentFen(loaded), Written(loaded, "B:W29,31,34-50:B1-13,15-18,20,23"));
}

TEST(Pdn, AnAmbiguousMoveIsReportedWithItsLine) {
    const std::string text = "[GameType \"20\"]\n[FEN \"W:WK47:B42,33,19,14,27,3\"]\n\n"
                             "1. 47x36 *\n";
    const TLoadedGame ambiguous = LoadOne(text);
    ASSERT_TRUE(ambiguous.Error);
    EXPECT_EQ(ambiguous.Error->Line, 4);
    EXPECT_NE(ambiguous.Error->Message.find("ambiguous"), std::string::npos);
    EXPECT_EQ(ambiguous.Plies, 0);
    ASSERT_TRUE(ambiguous.Game);
    // Written with its path it is read.
    const TLoadedGame path =
        LoadOne("[GameType \"20\"]\n[FEN \"W:WK47:B42,33,19,14,27,3\"]\n1. 47x38x20x9x36 3-8 *\n");
    ASSERT_FALSE(path.Error) << path.Error->Text();
    EXPECT_EQ(CurrentFen(path), "W:WK36:B8,19");
}

TEST(Pdn, ABadTagIsReportedWithItsLineAndLoadsNothing) {
    const std::pair<std::string, int> cases[] = {
        {"[Event \"x\"]\n[White \"unclosed]\n1. 32-28 *\n", 2},
        {"[Event \"x\"]\n[Black Someone]\n1. 32-28 *\n", 2},
        {"[Event \"x\"]\n[Site \"?\"]\n[ \"nameless\"]\n1. 32-28 *\n", 3},
        {"[Event \"x\"]\n[Round \"1\"\n1. 32-28 *\n", 2},
        {"[Event \"x\"]\n[GameType \"30\"]\n1. c3-d4 *\n", 2},
        {"[Event \"x\"]\n[GameType \"twenty\"]\n1. 32-28 *\n", 2},
        {"[GameType \"20\"]\n[SetUp \"1\"]\n[FEN \"W:W31-50:B1-20:X\"]\n1. 32-28 *\n", 3},
        {"[GameType \"20\"]\n[FEN \"W:W51\"]\n1. 32-28 *\n", 2},
        {"[Event \"x\"]\n[QuorvinRules \"Vorna\"]\n1. 32-28 *\n", 2},
        {"[GameType \"20,W,10,8,N0,0\"]\n[QuorvinRules \"Chess\"]\n1. 32-28 *\n", 1},
        // A game "from position" needs a position, on a board of this program.
        {"[Event \"x\"]\n[GameType \"99\"]\n1. 32-28 *\n", 2},
        {"[GameType \"99\"]\n[FEN \"W:W99:B1:H0:F1\"]\n1. 32-28 *\n", 1},
        {"[GameType \"20\"]\n[FEN \"W:W31:B1:X0\"]\n1. 31-26 *\n", 2},
    };
    for (const auto& [text, line] : cases) {
        // The board in force stays as it was.
        UsePreset("spanish");
        const TLoadedGame loaded = LoadOne(text);
        ASSERT_TRUE(loaded.Error) << text;
        EXPECT_EQ(loaded.Error->Line, line) << text << loaded.Error->Text();
        EXPECT_FALSE(loaded.Game) << text;
        EXPECT_EQ(loaded.Plies, 0);
        EXPECT_TRUE(TNotation::ForPreset(*FindPreset("spanish")).MatchesGeometry()) << text;
    }
}

TEST(Pdn, TruncatedMovetextIsLoadedUpToTheLastWholeMove) {
    const std::pair<std::string, int> cases[] = {
        // Cut in the middle of a move.
        {"[Event \"x\"]\n1. 32-28 19-23\n2. 28x19 14x23 3. 33-", 3},
        // Cut in a comment, or in a variation.
        {"[Event \"x\"]\n1. 32-28 19-23\n2. 28x19 14x23 {a comment\nthat never", 3},
        {"[Event \"x\"]\n1. 32-28 19-23\n2. 28x19 14x23 (3. 33-28\n23x32", 3},
        // Garbage in the moves.
        {"[Event \"x\"]\n1. 32-28 19-23\n2. 28x19 14x23 3. mate *", 3},
        {"[Event \"x\"]\n1. 32-28 19-23\n2. 28x19 14x23 ) 3. 33-28 *", 3},
    };
    for (const auto& [text, line] : cases) {
        const TLoadedGame loaded = LoadOne(text);
        ASSERT_TRUE(loaded.Error) << text;
        EXPECT_EQ(loaded.Error->Line, line) << text << "\n" << loaded.Error->Text();
        ASSERT_TRUE(loaded.Game) << text;
        EXPECT_EQ(loaded.Plies, 4) << text;
    }
    // A file that ends after a whole move without a result is no fault.
    const TLoadedGame whole = LoadOne("[Event \"x\"]\n1. 32-28 19-23\n2. 28x19");
    EXPECT_FALSE(whole.Error);
    EXPECT_EQ(whole.Plies, 3);
}

TEST(Pdn, AFaultyGameDoesNotStopTheGamesAfterIt) {
    const std::string text = "[Event \"1\"]\n1. 32-28 19-25 *\n"
                             "[Event \"2\"]\n[Site \"unclosed]\n1. 32-28 *\n"
                             "[Event \"3\"]\n1. 33-28 1-1\n";
    const std::vector<TPdnGameText> games = ParsePdn(text);
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(LoadPdnGame(games[0]).Error->Line, 2);
    EXPECT_EQ(LoadPdnGame(games[1]).Error->Line, 4);
    const TLoadedGame third = LoadPdnGame(games[2]);
    EXPECT_FALSE(third.Error);
    EXPECT_EQ(third.Plies, 1);
    EXPECT_EQ(third.Result, TGameResult::Draw);
}

TEST(Pdn, TheWrittenGameHasTheStandardTagsMoveNumbersAndResult) {
    const TNotation n = UsePreset("international");
    TGame game(TRules::International);
    for (const char* move : {"32-28", "19-23", "28x19", "14x23"}) {
        TPosition& p = game.CurrentPosition();
        p.ClassifyNode(false);
        game.PlayMove(n.FindMove(p, move).Index);
    }
    TPdnHeader header;
    header.Event = "Club \"match\"";
    header.White = "Ölander, Ærø";
    header.Black = "Back\\slash";
    header.Result = TGameResult::BlackWins;
    header.Extra.push_back({"Annotator", "Quorvin", 0});
    EXPECT_EQ(FormatPdnGame(game, n, header, false), "[Event \"Club \\\"match\\\"\"]\n"
                                                     "[Site \"?\"]\n"
                                                     "[Date \"????.??.??\"]\n"
                                                     "[Round \"?\"]\n"
                                                     "[White \"Ölander, Ærø\"]\n"
                                                     "[Black \"Back\\\\slash\"]\n"
                                                     "[Result \"0-2\"]\n"
                                                     "[GameType \"20\"]\n"
                                                     "[Annotator \"Quorvin\"]\n"
                                                     "\n"
                                                     "1. 32-28 19-23 2. 28x19 14x23 0-2\n");
    // The tags read back as written.
    const TPdnGameText back = ParsePdn(FormatPdnGame(game, n, header, false)).front();
    EXPECT_EQ(back.FindTag("Event")->Value, header.Event);
    EXPECT_EQ(back.FindTag("White")->Value, header.White);
    EXPECT_EQ(back.FindTag("Black")->Value, header.Black);

    // Without its redo tail the record is written up to the current position.
    game.Undo();
    ASSERT_LT(game.Current(), game.Count());
    const std::string shorter = FormatPdnGame(game, n, TPdnHeader{}, false);
    EXPECT_EQ(ParsePdn(shorter).front().Moves.size(), static_cast<std::size_t>(game.Current() - 1));
    EXPECT_NE(FormatPdnGame(game, n, TPdnHeader{}, true).find("14x23 *"), std::string::npos);
}

TEST(Pdn, ASetUpGameStartingWithTheSecondPlayerIsNumberedFromThere) {
    const TNotation n = UsePreset("straight");
    TGame game(TRules::Straight);
    ApplyFen(ParseFen(n, "W:W21-32:B1-12"), game.CurrentPosition());
    std::mt19937 random(7);
    PlayRandomly(game, random, 3);
    const std::string text = FormatPdnGame(game, n, TPdnHeader{}, true);
    EXPECT_NE(text.find("[SetUp \"1\"]\n[FEN \"W:W21,22,23,24,25,26,27,28,29,30,31,32:"
                        "B1,2,3,4,5,6,7,8,9,10,11,12\"]\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n1... "), std::string::npos) << text;
    EXPECT_NE(text.find(" 2. "), std::string::npos) << text;
    ExpectRoundTrip(game, n, "set up");
}

TEST(Pdn, RandomGamesOfEveryPresetReadBackMoveForMove) {
    std::mt19937 random(1234);
    for (const TPreset& preset : Presets) {
        int plies = 0;
        for (int round = 0; round < 4; ++round) {
            const TNotation n = UsePreset(std::string(preset.Name).c_str());
            TGame game(preset.Rules);
            PlayRandomly(game, random, 200);
            ExpectRoundTrip(game, n, std::string(preset.Name) + " " + std::to_string(round));
            const std::string text = FormatPdnGame(game, n, TPdnHeader{}, true);
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u);
            EXPECT_EQ(text.find("[QuorvinRules") != std::string::npos, !n.Standard());
            plies += game.Count() - 1;
        }
        // Games long enough to crown kings and make long captures.
        EXPECT_GT(plies, 150) << preset.Name;
    }
}

TEST(Pdn, RandomGamesOnBoardsThatAreNoPresetReadBack) {
    std::mt19937 random(99);
    for (int rules = 0; rules < RulesCount; ++rules)
        for (const auto& [rows, files, coloring] :
             {std::tuple{6, 6, false}, std::tuple{7, 9, true}, std::tuple{12, 10, false},
              std::tuple{10, 10, true}, std::tuple{9, 5, false}}) {
            BuildGeometry(rows, files, (coloring) ? 0 : 1);
            const TNotation n =
                TNotation::ForBoard(static_cast<TRules>(rules), rows, files, coloring);
            EXPECT_FALSE(n.Standard());
            TGame game(static_cast<TRules>(rules));
            PlayRandomly(game, random, 150);
            ExpectRoundTrip(game, n, n.GameTypeTag() + " " + n.RulesTag());
        }
}

TEST(Pdn, CapturesNeedingTheirPathsSurviveARoundTrip) {
    const TNotation n = UsePreset("international");
    for (int route = 1; route <= 2; ++route) {
        TGame game(TRules::International);
        ApplyFen(ParseFen(n, "W:WK47:B42,33,19,14,27,3"), game.CurrentPosition());
        TPosition& p = game.CurrentPosition();
        p.ClassifyNode(false);
        const TMoveLookup move = n.FindMove(p, route == 1 ? "47x38x24x13x36" : "47x38x20x9x36");
        ASSERT_TRUE(move.Found());
        game.PlayMove(move.Index);
        const std::string text = FormatPdnGame(game, n, TPdnHeader{}, true);
        EXPECT_NE(text.find(route == 1 ? "1. 47x38x24x13x36 *" : "1. 47x38x20x9x36 *"),
                  std::string::npos)
            << text;
        ExpectRoundTrip(game, n, "path " + std::to_string(route));
    }
}

TEST(Pdn, PublishedInternationalGamesReplayToTheirEnd) {
    const std::vector<TPdnGameText> games = ParsePdn(DataFile("international_nk2009.pdn"));
    ASSERT_EQ(games.size(), 2u);
    for (const TPdnGameText& text : games) {
        const TLoadedGame loaded = LoadPdnGame(text);
        ASSERT_FALSE(loaded.Error) << loaded.Error->Text();
        ASSERT_TRUE(loaded.DeclaredPlies);
        EXPECT_EQ(loaded.Plies, *loaded.DeclaredPlies);
    }
    const TLoadedGame first = LoadPdnGame(games[0]);
    EXPECT_EQ(first.Result, TGameResult::WhiteWins);
    // 59. 45-18: the white king's last move.
    const TSquare king = first.Game->CurrentPosition().At(first.Notation.SquareNumbered(18));
    EXPECT_TRUE(!king.Empty && king.Side == White && king.Kind == King);
    EXPECT_EQ(LoadPdnGame(games[1]).Result, TGameResult::Draw);
}

TEST(Pdn, GamesAsOtherProgramsWriteThemReplayToTheirEnd) {
    // Each file holds one way of writing games that other programs use. Every game replays
    // without a fault to its PlyCount; the games of tags alone have no moves.
    const std::pair<const char*, std::vector<int>> files[] = {
        {"spaced_separators.pdn", {40, 24}}, {"fen_counters.pdn", {3, 3, 2}},
        {"quotes_in_remarks.pdn", {6, 2}},   {"tags_only.pdn", {0, 2, 0, 2}},
        {"joined_files.pdn", {2, 2}},
    };
    std::map<std::string, std::vector<TLoadedGame>> loaded;
    std::map<std::string, std::vector<TPdnGameText>> parsed;
    for (const auto& [name, plies] : files) {
        const std::vector<TPdnGameText> games = ParsePdn(DataFile(name));
        ASSERT_EQ(games.size(), plies.size()) << name;
        for (std::size_t i = 0; i < games.size(); ++i) {
            TLoadedGame game = LoadPdnGame(games[i]);
            const std::string what = std::string(name) + " game " + std::to_string(i + 1);
            ASSERT_FALSE(game.Error) << what << ": " << game.Error->Text();
            EXPECT_EQ(game.Plies, plies[i]) << what;
            if (game.DeclaredPlies) {
                EXPECT_EQ(game.Plies, *game.DeclaredPlies) << what;
            }
            loaded[name].push_back(std::move(game));
        }
        parsed[name] = games;
    }
    // A move broken over two lines after its separator is one move, on the line it starts.
    const TPdnGameText& spaced = parsed["spaced_separators.pdn"][0];
    EXPECT_EQ(spaced.Moves[13].Text, "22x31");
    EXPECT_EQ(spaced.Moves[13].Line, 12);
    EXPECT_EQ(parsed["spaced_separators.pdn"][1].Moves[19].Text, "16x7");
    // GameType 99: the International board, or the board the FEN's squares name.
    const std::vector<TLoadedGame>& fromPosition = loaded["fen_counters.pdn"];
    EXPECT_EQ(fromPosition[1].Notation.PresetName(), "international");
    EXPECT_EQ(fromPosition[1].Game->Positions(0).SideToMove, Black);
    EXPECT_EQ(fromPosition[2].Notation.PresetName(), "brazilian");
    // Tags alone make a game of their own, after a blank line or at a repeated tag.
    const std::vector<TPdnGameText>& tagsOnly = parsed["tags_only.pdn"];
    EXPECT_EQ(tagsOnly[0].Tags.size(), 4u);
    EXPECT_EQ(tagsOnly[1].FindTag("Event")->Value, "With moves");
    EXPECT_EQ(tagsOnly[2].Tags.size(), 2u);
    EXPECT_EQ(tagsOnly[3].FindTag("Event")->Value, "With moves again");
    // The second file's byte order mark is no move; its lines count on.
    EXPECT_EQ(parsed["joined_files.pdn"][1].Line, 6);
    EXPECT_EQ(parsed["joined_files.pdn"][1].FindTag("Event")->Value, "Second file");
}

TEST(Pdn, PublishedEnglishGamesReplayToTheirEnd) {
    const std::vector<TPdnGameText> games = ParsePdn(DataFile("english_1841_1844.pdn"));
    ASSERT_EQ(games.size(), 4u);
    const TNotation straight = TNotation::ForPreset(*FindPreset("straight"));
    const std::array<int, 4> plies{44, 52, 22, 40};
    for (std::size_t i = 0; i < games.size(); ++i) {
        const TLoadedGame loaded = LoadPdnGame(games[i], straight);
        ASSERT_FALSE(loaded.Error) << loaded.Error->Text();
        EXPECT_EQ(loaded.Plies, plies[i]) << games[i].FindTag("Event")->Value;
    }
    // The first ends with White's man taking three pieces on its way to the king row.
    const TLoadedGame first = LoadPdnGame(games[0], straight);
    EXPECT_EQ(first.Result, TGameResult::WhiteWins);
    const TSquare king = first.Game->CurrentPosition().At(straight.SquareNumbered(1));
    EXPECT_TRUE(!king.Empty && king.Side == White && king.Kind == King);
}

TEST(Pdn, PublishedGamesOfTheLaterFamiliesReplayToTheirEnd) {
    // Each file is read as its preset's games, and once more with its game type's tag put in
    // front of its first game, which then needs no preset.
    struct TCase {
        const char* File;
        const char* Preset;
        const char* Type;
        std::vector<int> Plies;
        const char* LastPiece; // where the first game's last move left a king
    };
    const TCase cases[] = {
        {"russian_ussr1950.pdn", "russian", "25", {61, 49}, "f6"},
        {"czech_2000.pdn", "czech", "29", {49, 40}, "g7"},
        {"italian_2005.pdn", "italian", "22", {75, 52}, "11"},
    };
    for (const TCase& c : cases) {
        const std::vector<TPdnGameText> games = ParsePdn(DataFile(c.File));
        ASSERT_EQ(games.size(), c.Plies.size()) << c.File;
        const TNotation notation = TNotation::ForPreset(*FindPreset(c.Preset));
        for (std::size_t i = 0; i < games.size(); ++i) {
            const TLoadedGame loaded = LoadPdnGame(games[i], notation);
            ASSERT_FALSE(loaded.Error) << c.File << ": " << loaded.Error->Text();
            EXPECT_EQ(loaded.Plies, c.Plies[i]) << c.File << " game " << i + 1;
            if (loaded.DeclaredPlies) {
                EXPECT_EQ(loaded.Plies, *loaded.DeclaredPlies) << c.File;
            }
            // Written back in the game type's notation, the game reads back move for move.
            ExpectRoundTrip(*loaded.Game, loaded.Notation, c.File);
        }
        const std::string tagged =
            std::string("[GameType \"") + c.Type + "\"]\n" + DataFile(c.File);
        const TLoadedGame first = LoadPdnGame(ParsePdn(tagged).front());
        ASSERT_FALSE(first.Error) << c.File << ": " << first.Error->Text();
        EXPECT_EQ(first.Notation.PresetName(), c.Preset);
        EXPECT_EQ(first.Plies, c.Plies.front());
        const TSquare last =
            first.Game->CurrentPosition().At(first.Notation.SquareNamed(c.LastPiece));
        EXPECT_FALSE(last.Empty) << c.File;
        EXPECT_EQ(last.Kind, std::string(c.Preset) == "russian" ? Man : King) << c.File;
    }
    // The Russian games' captures are written with a colon and each landing square: 17. c3:g3
    // of the second game took two men.
    const TNotation russian = UsePreset("russian");
    const TLoadedGame second = LoadPdnGame(ParsePdn(DataFile("russian_ussr1950.pdn"))[1], russian);
    const std::string text = FormatPdnGame(*second.Game, russian, TPdnHeader{}, true);
    EXPECT_NE(text.find(" 17. c3:e5:g3 c7-d6 "), std::string::npos) << text;
    EXPECT_NE(text.find("[GameType \"25\"]"), std::string::npos);
    // The man crowned on f8 by the last move.
    const TSquare king = second.Game->CurrentPosition().At(russian.SquareNamed("f8"));
    EXPECT_TRUE(!king.Empty && king.Side == White && king.Kind == King);
}

TEST(Pdn, PoolCheckersGamesStartWithBlackInEnglishNumbers) {
    // A position made up for this test: Black's man on 22 takes 26, lands on White's home row
    // at 31 and takes 27 from there, so it ends its move on 24 as a man.
    const std::string text = "[GameType \"23\"]\n[SetUp \"1\"]\n[FEN \"B:W26,27,30:B22,1\"]\n"
                             "1. 22x24 30-26 1-0\n";
    const TLoadedGame loaded = LoadOne(text);
    ASSERT_FALSE(loaded.Error) << loaded.Error->Text();
    EXPECT_EQ(loaded.Notation.PresetName(), "pool");
    EXPECT_EQ(loaded.Plies, 2);
    EXPECT_EQ(loaded.Result, TGameResult::BlackWins); // the first figure is Black's
    const TSquare man = loaded.Game->CurrentPosition().At(loaded.Notation.SquareNumbered(24));
    EXPECT_TRUE(!man.Empty && man.Side == Black && man.Kind == Man);
    TPdnHeader header;
    header.Result = TGameResult::BlackWins;
    const std::string written = FormatPdnGame(*loaded.Game, loaded.Notation, header, true);
    EXPECT_NE(written.find("[FEN \"B:W26,27,30:B1,22\"]"), std::string::npos) << written;
    // Black's move is the first of a numbered pair.
    EXPECT_NE(written.find("\n1. 22x24 30-26 1-0\n"), std::string::npos) << written;
}
