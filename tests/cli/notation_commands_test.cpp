// quorvin-cli's fen, moves, perft from a position, perft --unique, pdn check and selfplay
// --pdn, driven as the shell would through RunCommand.
#include "bench_positions.h"
#include "commands.h"
#include "rules.h"
#include "run_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

using namespace quorvin::cli;
using namespace quorvin::cli::test;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string DataFile(const std::string& name) {
    return std::string(QUORVIN_SOURCE_DIR) + "/tests/data/pdn/" + name;
}

// A file in the temporary folder, removed when the test ends.
class TTempFile {
  public:
    explicit TTempFile(const std::string& name, const std::string& text = "")
        : Path((std::filesystem::temp_directory_path() /
                ("quorvin-" + std::to_string(::getpid()) + "-" + name))
                   .string()) {
        if (!text.empty()) std::ofstream(Path, std::ios::binary) << text;
    }
    ~TTempFile() { std::filesystem::remove(Path); }
    const std::string Path;
};

} // namespace

TEST(CliFen, PrintsThePositionOfAFile) {
    const std::string file = PositionsFolder() + "/international_10x10_middle.qvp";
    const TRun r = RunCli({"fen", file});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(std::regex_match(r.Out, std::regex("[WB]:W[0-9K,]+:B[0-9K,]+\n"))) << r.Out;
    // Its moves are the same read from the file or from its FEN.
    const std::string fen = r.Out.substr(0, r.Out.size() - 1);
    const TRun fromFile = RunCli({"moves", file});
    const TRun fromFen = RunCli({"moves", "--fen", fen});
    ASSERT_EQ(fromFile.Code, 0) << fromFile.Err;
    EXPECT_FALSE(fromFile.Out.empty());
    EXPECT_EQ(fromFile.Out, fromFen.Out);
    // Each preset's file is written in its own notation.
    const TRun brazilian = RunCli({"fen", PositionsFolder() + "/brazilian_8x8_endgame.qvp"});
    EXPECT_TRUE(std::regex_match(brazilian.Out, std::regex("[WB]:W[a-hK0-9,]*:B[a-hK0-9,]*\n")))
        << brazilian.Out;
    // A FEN as other programs write it comes back square by square, move counters dropped.
    EXPECT_EQ(RunCli({"fen", "--fen", "W:W31-33,K46:B1-3:H0:F1"}).Out, "W:W31,32,33,K46:B1,2,3\n");
    EXPECT_EQ(RunCli({"fen", "--fen", "B:W21-23:B1-3", "--preset", "straight"}).Out,
              "B:W21,22,23:B1,2,3\n");
    for (const TArgList& args :
         {TArgList{"fen"}, TArgList{"fen", file, file},
          TArgList{"fen", file, "--preset", "international"}, TArgList{"fen", "--fen", "W:W51"}})
        EXPECT_EQ(RunCli(args).Code, 2);
    EXPECT_EQ(RunCli({"fen", "/nonexistent.qvp"}).Code, 1);
}

TEST(CliMoves, ListsTheLegalMovesInNotation) {
    const TRun international = RunCli({"moves", "--fen", "W:W31-50:B1-20"});
    ASSERT_EQ(international.Code, 0) << international.Err;
    std::vector<std::string> moves = Lines(international.Out);
    std::sort(moves.begin(), moves.end());
    EXPECT_EQ(moves, (std::vector<std::string>{"31-26", "31-27", "32-27", "32-28", "33-28", "33-29",
                                               "34-29", "34-30", "35-30"}));
    EXPECT_EQ(RunCli({"moves", "--fen", "W:W31-50:B1-20:H0:F1"}).Out, international.Out);
    const TRun straight = RunCli({"moves", "--fen", "B:W21-32:B1-12", "--preset", "straight"});
    ASSERT_EQ(straight.Code, 0) << straight.Err;
    EXPECT_EQ(Lines(straight.Out).size(), 7u);
    EXPECT_NE(straight.Out.find("11-15\n"), std::string::npos);
    // The capture that takes most: on to g7 over f6.
    const TRun brazilian = RunCli({"moves", "--fen", "W:Wc3:Bd4,f6", "--preset", "brazilian"});
    EXPECT_EQ(brazilian.Out, "c3xg7\n");
    // Russian and Czech captures name every landing square; Russian ones with a colon.
    EXPECT_EQ(RunCli({"moves", "--fen", "W:Wc3:Bd4,f6", "--preset", "russian"}).Out, "c3:e5:g7\n");
    EXPECT_EQ(RunCli({"moves", "--fen", "W:Wc3:Bd4,f6", "--preset", "czech"}).Out, "c3xe5xg7\n");
    // Two captures between the same squares are given with their paths; routes that take
    // the same pieces are given once.
    const TRun paths = RunCli({"moves", "--fen", "W:WK47:B42,33,19,14,27"});
    EXPECT_NE(paths.Out.find("47x38x24x13x36\n"), std::string::npos) << paths.Out;
    EXPECT_NE(paths.Out.find("47x38x20x9x36\n"), std::string::npos) << paths.Out;
    std::vector<std::string> king = Lines(RunCli({"moves", "--fen", "W:WK50:B44,17"}).Out);
    std::sort(king.begin(), king.end());
    EXPECT_EQ(king, (std::vector<std::string>{"50x11", "50x6"}));
    // No moves, nothing listed.
    EXPECT_EQ(RunCli({"moves", "--fen", "W:W:B1"}).Out, "");
}

TEST(CliMoves, BadPositionsAndArgumentsAreUsageErrors) {
    const std::string file = PositionsFolder() + "/international_10x10_middle.qvp";
    const std::pair<TArgList, std::string> cases[] = {
        {{"moves"}, "--fen"},
        {{"moves", file, "--fen", "W:W31:B1"}, "not both"},
        {{"moves", file, "--preset", "straight"}, "own board"},
        {{"moves", "--fen", "W:W51:B1"}, "51"},
        {{"moves", "--fen", "W:W31-50:B1-20", "--preset", "straight"}, "50"},
        {{"moves", "--fen", "X"}, "side to move"},
        {{"moves", "--fen"}, "needs a value"},
    };
    for (const auto& [args, named] : cases) {
        const TRun r = RunCli(args);
        EXPECT_EQ(r.Code, 2) << args.back();
        EXPECT_NE(r.Err.find(named), std::string::npos) << r.Err;
    }
}

TEST(CliPerft, UniqueCountsAgreeWithThePublishedTables) {
    const TRun unique =
        RunCli({"perft", "--preset", "international", "--depth", "6", "--bulk", "--unique"});
    ASSERT_EQ(unique.Code, 0) << unique.Err;
    EXPECT_NE(unique.Out.find("perft 1 9\nperft 2 81\nperft 3 658\nperft 4 4265\nperft 5 27117\n"
                              "perft 6 167140\n"),
              std::string::npos)
        << unique.Out;
    const TRun straight = RunCli({"perft", "--preset", "straight", "--depth", "7", "--unique"});
    EXPECT_NE(straight.Out.find("perft 7 179740\n"), std::string::npos) << straight.Out;
    // The later families, depths 6 to 8 of the published tables: Pool parts from Russian
    // draughts at depth 8, where a man passes the crowning row during a capture.
    const std::pair<const char*, const char*> later[] = {
        {"russian", "perft 6 37986\nperft 7 190146\nperft 8 929899\n"},
        {"pool", "perft 6 37986\nperft 7 190146\nperft 8 929896\n"},
        {"czech", "perft 6 36768\nperft 7 179740\nperft 8 845931\n"},
        {"italian", "perft 6 36473\nperft 7 177532\nperft 8 828783\n"},
    };
    for (const auto& [preset, counts] : later) {
        const TRun r = RunCli({"perft", "--preset", preset, "--depth", "8", "--bulk", "--unique"});
        EXPECT_NE(r.Out.find(counts), std::string::npos) << preset << "\n" << r.Out;
    }
    // A king with four landing squares before its second capture: eight routes, two moves.
    const TRun routes = RunCli({"perft", "--fen", "W:WK50:B44,17", "--depth", "1"});
    EXPECT_NE(routes.Out.find("perft 1 8\n"), std::string::npos) << routes.Out;
    const TRun moves = RunCli({"perft", "--fen", "W:WK50:B44,17", "--depth", "1", "--unique"});
    EXPECT_NE(moves.Out.find("perft 1 2\n"), std::string::npos) << moves.Out;
}

TEST(CliPerft, CountsFromAFenOrAPositionFile) {
    const std::string file = PositionsFolder() + "/straight_8x8_middle.qvp";
    const TRun fen = RunCli({"fen", file});
    ASSERT_EQ(fen.Code, 0);
    const TRun fromFile = RunCli({"perft", file, "--depth", "3"});
    const TRun fromFen = RunCli({"perft", "--fen", fen.Out.substr(0, fen.Out.size() - 1),
                                 "--preset", "straight", "--depth", "3"});
    ASSERT_EQ(fromFile.Code, 0) << fromFile.Err;
    auto counts = [](const std::string& out) { return out.substr(0, out.find("nodes")); };
    EXPECT_EQ(counts(fromFile.Out), counts(fromFen.Out));
    EXPECT_NE(fromFile.Out.find("perft 3 "), std::string::npos);
    // The initial position as a FEN counts as the initial position.
    const TRun initial = RunCli({"perft", "--fen", "W:W31-50:B1-20", "--depth", "3"});
    EXPECT_NE(initial.Out.find("perft 3 658\n"), std::string::npos) << initial.Out;
    EXPECT_EQ(RunCli({"perft", file, "--fen", "W:W31:B1"}).Code, 2);
    EXPECT_EQ(RunCli({"perft", "--fen", "W:W31:B99", "--depth", "2"}).Code, 2);
}

TEST(CliPdn, PublishedGamesReplayToTheirEnd) {
    const TRun international = RunCli({"pdn", "check", DataFile("international_nk2009.pdn")});
    EXPECT_EQ(international.Code, 0) << international.Out << international.Err;
    EXPECT_EQ(Lines(international.Out),
              (std::vector<std::string>{"game 1 ok 117 plies: Derkx,B. - Meijer,Hein 1-0",
                                        "game 2 ok 119 plies: Zweerink,J. - Vissers,M. 1/2-1/2",
                                        "games 2 ok 2 failed 0"}));
    const TRun english =
        RunCli({"pdn", "check", DataFile("english_1841_1844.pdn"), "--preset", "straight"});
    EXPECT_EQ(english.Code, 0) << english.Out << english.Err;
    EXPECT_NE(english.Out.find("game 1 ok 44 plies: Wyllie, J. - Moorhead, W. 0-1\n"),
              std::string::npos)
        << english.Out;
    EXPECT_NE(english.Out.find("games 4 ok 4 failed 0\n"), std::string::npos);
    // Russian, Czech and Italian championship games, read on their presets' boards.
    const std::pair<const char*, const char*> later[] = {
        {"russian_ussr1950.pdn", "russian"},
        {"czech_2000.pdn", "czech"},
        {"italian_2005.pdn", "italian"},
    };
    for (const auto& [file, preset] : later) {
        const TRun r = RunCli({"pdn", "check", DataFile(file), "--preset", preset});
        EXPECT_EQ(r.Code, 0) << file << "\n" << r.Out << r.Err;
        EXPECT_NE(r.Out.find("games 2 ok 2 failed 0\n"), std::string::npos) << r.Out;
    }
    EXPECT_NE(RunCli({"pdn", "check", DataFile("russian_ussr1950.pdn"), "--preset", "russian"})
                  .Out.find("game 2 ok 49 plies: "),
              std::string::npos);
    // Without a GameType tag the games are International draughts, where they fail at once.
    const TRun asInternational = RunCli({"pdn", "check", DataFile("english_1841_1844.pdn")});
    EXPECT_EQ(asInternational.Code, 1);
    EXPECT_NE(asInternational.Out.find("game 1 failed after 0 plies: line 10: illegal move "
                                       "\"11-15\"\n"),
              std::string::npos)
        << asInternational.Out;
    EXPECT_NE(asInternational.Out.find("games 4 ok 0 failed 4\n"), std::string::npos);
    // Games as other programs write them.
    for (const char* name : {"spaced_separators.pdn", "fen_counters.pdn", "quotes_in_remarks.pdn",
                             "tags_only.pdn", "joined_files.pdn"}) {
        const TRun r = RunCli({"pdn", "check", DataFile(name)});
        EXPECT_EQ(r.Code, 0) << name << "\n" << r.Out << r.Err;
    }
    EXPECT_EQ(Lines(RunCli({"pdn", "check", DataFile("tags_only.pdn")}).Out).front(),
              "game 1 ok 0 plies: A - B *");
}

TEST(CliPdn, BrokenGamesFailWithTheirLines) {
    const TTempFile file("broken.pdn", "[Event \"a\"]\n1. 32-28 19-23 2. 28x19 14x23 2-0\n\n"
                                       "[Event \"b\"]\n[PlyCount \"5\"]\n1. 32-28 19-23 1-1\n\n"
                                       "[Event \"c\"]\n1. 32-28 19-23\n2. 28-22 *\n\n"
                                       "[Event \"d\"]\n[GameType \"30\"]\n1. c3-d4 *\n");
    const TRun r = RunCli({"pdn", "check", file.Path});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(Lines(r.Out),
              (std::vector<std::string>{
                  "game 1 ok 4 plies: ? - ? 2-0",
                  "game 2 failed after 2 plies: line 5: PlyCount says 5, the moves make 2",
                  "game 3 failed after 2 plies: line 10: illegal move \"28-22\"",
                  "game 4 failed after 0 plies: line 13: game type 30 (Turkish draughts) is not "
                  "played by this program",
                  "games 4 ok 1 failed 3"}));
    const TTempFile empty("empty.pdn", "% nothing\n");
    EXPECT_EQ(RunCli({"pdn", "check", empty.Path}).Code, 1);
    EXPECT_EQ(RunCli({"pdn", "check", "/nonexistent.pdn"}).Code, 1);
    for (const TArgList& args :
         {TArgList{"pdn"}, TArgList{"pdn", "verify", file.Path}, TArgList{"pdn", "check"},
          TArgList{"pdn", "check", file.Path, file.Path},
          TArgList{"pdn", "check", file.Path, "--preset", "chess"},
          TArgList{"pdn", "check", file.Path, "--rows", "8"}}) {
        const TRun u = RunCli(args);
        EXPECT_EQ(u.Code, 2) << args.back();
        EXPECT_FALSE(u.Err.empty());
        EXPECT_TRUE(u.Out.empty());
    }
}

TEST(CliSelfPlay, WritesItsGamesAsPdn) {
    for (const quorvin::TPreset& each : quorvin::Presets) {
        const std::string preset(each.Name);
        const TTempFile file("selfplay-" + preset + ".pdn");
        const TRun play = RunCli({"selfplay", "--preset", preset, "--white", "0", "--black", "1",
                                  "--games", "3", "--seed", "5", "--pdn", file.Path});
        ASSERT_EQ(play.Code, 0) << play.Err;
        const TRun check = RunCli({"pdn", "check", file.Path});
        EXPECT_EQ(check.Code, 0) << preset << "\n" << check.Out;
        EXPECT_NE(check.Out.find("games 3 ok 3 failed 0\n"), std::string::npos) << check.Out;
        // The plies and results the check reads are the ones played.
        const std::vector<std::string> played = Lines(play.Out), checked = Lines(check.Out);
        for (int g = 0; g < 3; ++g) {
            std::smatch p, c;
            ASSERT_TRUE(std::regex_match(played[g], p,
                                         std::regex("game [0-9]+ ([a-z:0-9-]+) "
                                                    "([0-9]+)")));
            ASSERT_TRUE(std::regex_match(checked[g], c,
                                         std::regex("game [0-9]+ ok ([0-9]+) "
                                                    "plies: .* ([0-9/*-]+)")));
            EXPECT_EQ(p[2], c[1]) << preset;
            // The first figure is the first side's: Black's in English draughts and Pool.
            const bool straight = preset == "straight" || preset == "pool";
            const std::string result = p[1];
            if (result == "white")
                EXPECT_TRUE(c[2] == (straight ? "0-1" : "2-0") || c[2] == "1-0") << c[2];
            else if (result == "black")
                EXPECT_TRUE(c[2] == (straight ? "1-0" : "0-2") || c[2] == "0-1") << c[2];
            else
                EXPECT_TRUE(c[2] == "1-1" || c[2] == "1/2-1/2") << c[2];
        }
    }
}
