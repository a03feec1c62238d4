// The bench signature, self-play and think commands of quorvin-cli.
#include "bench_positions.h"
#include "commands.h"
#include "game_settings.h"
#include "position_file.h"
#include "rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <unistd.h>

using namespace quorvin::cli;

namespace {
// The bench's node count. A change of the search, the generators, the move order or the
// bench positions changes it; update it only together with such a change.
constexpr long long BenchSignature = 1574931;
// The master search's bench node count: the same positions searched to a fixed depth. A change
// of the master search, its evaluation or its weights changes it.
constexpr long long MasterBenchSignature = 380125;

std::string Output(const TArgList& args, int expectedCode = 0) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCommand(args, out, err), expectedCode) << err.str();
    return out.str() + err.str();
}

// Checks every game line and the summary of a self-play run; answers the result counts.
std::map<std::string, int> CheckSelfPlay(const std::string& output, int games) {
    std::map<std::string, int> results;
    std::istringstream in(output);
    std::string line;
    int seen = 0;
    const std::regex game("game ([0-9]+) (white|black|draw:repetition|draw:32-moves|draw:3-kings) "
                          "([0-9]+)");
    while (std::getline(in, line)) {
        std::smatch m;
        if (line.rfind("games ", 0) == 0) {
            std::ostringstream summary;
            summary << "games " << games << " white " << results["white"] << " black "
                    << results["black"] << " draws " << games - results["white"] - results["black"];
            EXPECT_EQ(line, summary.str());
            continue;
        }
        EXPECT_TRUE(std::regex_match(line, m, game)) << line;
        if (m.empty()) continue;
        EXPECT_EQ(std::stoi(m[1]), ++seen);
        ++results[m[2]];
    }
    EXPECT_EQ(seen, games);
    return results;
}
} // namespace

TEST(CliBench, SignatureMatchesTheReferenceEveryRun) {
    const TBenchResult first = RunBench(BenchBudget, nullptr);
    EXPECT_EQ(first.Nodes, BenchSignature);
    EXPECT_EQ(RunBench(BenchBudget, nullptr).Nodes, first.Nodes);
    EXPECT_GE(BenchPositions().size(), 12u); // six presets and at least six kept positions
    const std::string out = Output({"bench", "--quiet"});
    EXPECT_TRUE(std::regex_search(out, std::regex("^bench nodes " + std::to_string(BenchSignature) +
                                                  " time_ms [0-9]+ nps [0-9]+\n$")))
        << out;
}

TEST(CliBench, MasterSignatureMatchesTheReferenceEveryRun) {
    EXPECT_EQ(RunMasterBench(MasterBenchDepth, nullptr).Nodes, MasterBenchSignature);
    EXPECT_EQ(RunMasterBench(MasterBenchDepth, nullptr).Nodes, MasterBenchSignature);
    const std::string out = Output({"bench", "--master", "--quiet"});
    EXPECT_TRUE(
        std::regex_search(out, std::regex("^bench nodes " + std::to_string(MasterBenchSignature) +
                                          " time_ms [0-9]+ nps [0-9]+\n$")))
        << out;
    // Each search has its own limit.
    Output({"bench", "--master", "--budget", "5"}, 2);
    Output({"bench", "--depth", "5"}, 2);
}

// An installed quorvin-cli finds the positions in the prefix's share folder, so that its bench
// signature matches the build folder's; a copy that carries them beside itself uses those.
TEST(CliBench, FindsThePositionsBesideItselfOrInItsInstallation) {
    namespace fs = std::filesystem;
    const fs::path prefix =
        fs::temp_directory_path() / ("quorvin-cli-test-" + std::to_string(::getpid()));
    fs::remove_all(prefix);
    fs::create_directories(prefix / "bin");
    EXPECT_EQ(InstalledPositionsFolder((prefix / "bin").string()), "");
    fs::create_directories(prefix / "share" / "quorvin" / "Positions");
    EXPECT_EQ(InstalledPositionsFolder((prefix / "bin").string()),
              (prefix / "share" / "quorvin" / "Positions").string());
    fs::create_directories(prefix / "bin" / "Positions");
    EXPECT_EQ(InstalledPositionsFolder((prefix / "bin").string()),
              (prefix / "bin" / "Positions").string());
    fs::remove_all(prefix);
}

TEST(CliSelfPlay, EveryPresetPlaysToAnEnd) {
    // Every game ends by a rule: a side without a move, or one of the draw rules.
    for (const quorvin::TPreset& preset : quorvin::Presets) {
        const std::string out = Output({"selfplay", "--preset", std::string(preset.Name), "--white",
                                        "1", "--black", "2", "--games", "2", "--seed", "11"});
        CheckSelfPlay(out, 2);
    }
    // A few more games of the later families, between the two lowest levels that search.
    for (const char* preset : {"russian", "pool", "czech", "italian"}) {
        const std::string out = Output({"selfplay", "--preset", preset, "--white", "1", "--black",
                                        "1", "--games", "4", "--seed", "23"});
        CheckSelfPlay(out, 4);
    }
    // The same seed plays the same games.
    EXPECT_EQ(Output({"selfplay", "--preset", "brazilian", "--white", "0", "--black", "0",
                      "--games", "3", "--seed", "4"}),
              Output({"selfplay", "--preset", "brazilian", "--white", "0", "--black", "0",
                      "--games", "3", "--seed", "4"}));
    // Boards given by rules and size.
    CheckSelfPlay(Output({"selfplay", "--rules", "3", "--rows", "6", "--files", "7", "--white", "2",
                          "--black", "0", "--games", "3"}),
                  3);
}

TEST(CliSelfPlay, TheMasterPlaysWholeGames) {
    for (const char* preset : {"international", "russian", "vorna", "italian"}) {
        const TArgList args{"selfplay", "--preset", preset, "--master", "--nodes",
                            "1500",     "--games",  "2",    "--seed",   "3"};
        const std::string out = Output(args);
        CheckSelfPlay(out, 2);
        // A node limit and a seed repeat the games.
        EXPECT_EQ(out, Output(args)) << preset;
    }
    // Level 13 is the master against any other level.
    CheckSelfPlay(Output({"selfplay", "--preset", "straight", "--white", "13", "--black", "2",
                          "--nodes", "1000", "--games", "2"}),
                  2);
    Output({"selfplay", "--preset", "straight", "--master", "--white", "13"}, 2);
}

TEST(CliSelfPlay, TwoHundredGamesAcrossPresetsAndLevels) {
    std::map<std::string, int> all;
    int game = 0;
    for (const char* preset :
         {"vorna", "brazilian", "international", "canadian", "spanish", "straight"})
        for (int white = 0; white <= 3; ++white)
            for (int black = 0; black <= 3; ++black) {
                const int games = (white == 3 || black == 3) ? 1 : 3;
                if (game >= 200) continue;
                const std::string out = Output(
                    {"selfplay", "--preset", preset, "--white", std::to_string(white), "--black",
                     std::to_string(black), "--games", std::to_string(std::min(games, 200 - game)),
                     "--seed", std::to_string(game + 1)});
                for (const auto& [result, count] : CheckSelfPlay(out, std::min(games, 200 - game)))
                    all[result] += count;
                game += std::min(games, 200 - game);
            }
    int total = 0;
    for (const auto& [result, count] : all) total += count;
    EXPECT_EQ(total, game);
    EXPECT_EQ(game, 200);
    EXPECT_GT(all["white"] + all["black"], 0);
}

TEST(CliThink, PlaysFromAPositionFile) {
    const std::string file = PositionsFolder() + "/international_10x10_middle.qvp";
    const std::string out = Output({"think", file, "--level", "2", "--seed", "3"});
    EXPECT_TRUE(std::regex_search(out, std::regex("\ndepth [0-9]+\\.[0-9] \\([0-9]+-[0-9]+\\), "
                                                  "positions [0-9]+\n")))
        << out;
    EXPECT_TRUE(std::regex_search(out, std::regex("\ntime [0-9]+\\.[0-9]{2} s \\(")));
    EXPECT_NE(out.find("White: Forecast: "), std::string::npos) << out;
    EXPECT_TRUE(std::regex_search(out, std::regex("\nbestmove [0-9]+(-|x)[0-9x]+\n$"))) << out;
    // Plain English lines: nothing of the window's own label texts.
    EXPECT_TRUE(std::none_of(out.begin(), out.end(), [](char c) { return (c & 0x80) != 0; }))
        << out;
    // The same seed plays the same search; only the clock readings may differ.
    auto untimed = [](const std::string& text) {
        return std::regex_replace(text, std::regex("time [^\n]*\n"), "");
    };
    EXPECT_EQ(untimed(out), untimed(Output({"think", file, "--level", "2", "--seed", "3"})));
    EXPECT_EQ(untimed(out).find("positions/s"), std::string::npos) << out;
    Output({"think", "/nonexistent.qvp", "--level", "2"}, 1);
    Output({"think", file, "--level", "13"}, 2);
}

TEST(CliThink, PlaysTheLaterFamiliesFromTheirFiles) {
    // The initial position of each later preset, saved as a position file: the file says its
    // rules (4..7), and the first side of each family moves.
    for (const char* name : {"russian", "pool", "czech", "italian"}) {
        const quorvin::TPreset preset = *quorvin::FindPreset(name);
        quorvin::ApplyBoard(preset.Rules, preset.Rows, preset.Files, preset.Coloring);
        const quorvin::TGame game(preset.Rules);
        const std::string file = (std::filesystem::temp_directory_path() /
                                  ("quorvin-think-" + std::to_string(::getpid()) + ".qvp"))
                                     .string();
        quorvin::WritePositionFile(file, static_cast<int>(preset.Rules), game.Positions(0));
        const std::string out = Output({"think", file, "--level", "3", "--seed", "1"});
        std::filesystem::remove(file);
        const char* mover = preset.Rules == quorvin::TRules::Pool ? "Black" : "White";
        EXPECT_NE(out.find(std::string("\n") + mover + ": Forecast: "), std::string::npos)
            << name << "\n"
            << out;
        // The move in the family's notation: "c3-d4", "9-14".
        const bool algebraic =
            preset.Rules == quorvin::TRules::Russian || preset.Rules == quorvin::TRules::Czech;
        EXPECT_TRUE(
            std::regex_search(out, std::regex(algebraic ? "\nbestmove [a-h][1-8]-[a-h][1-8]\n$"
                                                        : "\nbestmove [0-9]+-[0-9]+\n$")))
            << out;
    }
}

TEST(CliThink, TheMasterSearchesToItsLimit) {
    const std::string file = PositionsFolder() + "/international_10x10_middle.qvp";
    const TArgList args{"think", file, "--master", "--depth", "7", "--seed", "5"};
    const std::string out = Output(args);
    EXPECT_NE(out.find("\niteration 7\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("iteration 8"), std::string::npos) << out;
    EXPECT_NE(out.find("White: Forecast: "), std::string::npos) << out;
    EXPECT_TRUE(std::regex_search(out, std::regex("\nbestmove [0-9]+(-|x)[0-9x]+\n$"))) << out;
    auto untimed = [](const std::string& text) {
        return std::regex_replace(text, std::regex("time [^\n]*\n"), "");
    };
    EXPECT_EQ(untimed(out), untimed(Output(args)));
    for (const TArgList& bad :
         std::vector<TArgList>{{"think", file, "--master", "--level", "3"},
                               {"think", file, "--depth", "3"},
                               {"think", file, "--master", "--move-time", "0"},
                               {"think", file, "--master", "--nodes", "x"}})
        Output(bad, 2);
}
