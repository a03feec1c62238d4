// quorvin-cli's commands driven as the shell would, through RunCommand.
#include "cli_args.h"
#include "commands.h"
#include "hub_notation.h"
#include "rules.h"
#include "run_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

using namespace quorvin::cli;
using namespace quorvin::cli::test;

TEST(CliBoard, PrintsTheNumberedBoard) {
    const TRun r = RunCli({"board", "--rows", "8", "--files", "8"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    std::istringstream in(r.Out);
    std::string header, top, line, bottom;
    std::getline(in, header);
    std::getline(in, top);
    for (int i = 0; i < 6; ++i) std::getline(in, line);
    std::getline(in, bottom);
    EXPECT_NE(header.find("32 squares"), std::string::npos);
    EXPECT_EQ(top, "  . 29  . 30  . 31  . 32");
    EXPECT_EQ(bottom, "  1  .  2  .  3  .  4  .");

    const TRun c = RunCli({"board", "--rows", "8", "--files", "8", "--coloring"});
    EXPECT_NE(c.Out.find("\n  .  1  .  2  .  3  .  4\n"), std::string::npos) << c.Out;
}

TEST(CliVersion, PrintsTheBuildsOneVersion) {
    // The About box says 4.02; the command line, the Hub id and the package say the same.
    EXPECT_STREQ(QUORVIN_VERSION, "4.02");
    for (const char* flag : {"--version", "version"}) {
        const TRun r = RunCli({flag});
        EXPECT_EQ(r.Code, 0);
        EXPECT_EQ(r.Out, "quorvin-cli 4.02\n");
    }
}

TEST(CliPerft, CountsAndFormat) {
    const TRun r = RunCli({"perft", "--preset", "brazilian", "--depth", "3"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_NE(r.Out.find("perft 1 7\nperft 2 49\nperft 3 302\nnodes 302 time_ms "),
              std::string::npos)
        << r.Out;
    const TRun bulk = RunCli(
        {"perft", "--rules", "1", "--rows", "10", "--files", "10", "--depth", "2", "--bulk"});
    EXPECT_NE(bulk.Out.find("perft 2 81\n"), std::string::npos) << bulk.Out;
}

TEST(CliPerft, BadArgumentsExitWithTwo) {
    for (const TArgList& args :
         {TArgList{"perft", "--rules", "8", "--depth", "2"},
          TArgList{"perft", "--rows", "13", "--files", "8"},
          TArgList{"perft", "--rows", "3", "--files", "8"}, TArgList{"perft", "--preset", "chess"},
          TArgList{"perft", "--depth", "two"}, TArgList{"perft", "--depth"}, TArgList{"nonsense"},
          TArgList{}}) {
        const TRun r = RunCli(args);
        EXPECT_EQ(r.Code, 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.Err.empty());
    }
}

TEST(CliArguments, UnknownOptionsAndStrayArgumentsAreUsageErrors) {
    const std::string file =
        std::string(QUORVIN_SOURCE_DIR) + "/data/Positions/international_10x10_middle.qvp";
    // Each would otherwise run with a default in place of what was meant.
    const std::pair<TArgList, std::string> cases[] = {
        {{"think", file, "--levle", "9"}, "--levle"},
        {{"perft", "--preset", "brazilian", "--dpeth", "2"}, "--dpeth"},
        {{"bench", "--quick"}, "--quick"},
        {{"bench", "--coloring"}, "--coloring"}, // a board option where there is no board
        {{"perft", "--preset", "brazilian", "--top"}, "--top"},
        {{"selfplay", "--preset", "brazilian", "--level", "3"}, "--level"},
        {{"board", "--rows", "8", "--files", "8", "10"}, "\"10\""},
        {{"think", file, file}, "unexpected argument"},
        {{"hub", "--variant", "normal"}, "--variant"}, // the variant is a Hub parameter
        {{"hub", "normal"}, "\"normal\""},
    };
    for (const auto& [args, named] : cases) {
        const TRun r = RunCli(args);
        EXPECT_EQ(r.Code, 2) << args[0] << " " << named;
        EXPECT_NE(r.Err.find(named), std::string::npos) << r.Err;
        EXPECT_TRUE(r.Out.empty()) << r.Out;
    }
}

TEST(CliArguments, APresetTakesNoOtherBoardOption) {
    for (const TArgList& extra : {TArgList{"--rows", "10"}, TArgList{"--files", "10"},
                                  TArgList{"--rules", "2"}, TArgList{"--coloring"}}) {
        for (const char* command : {"perft", "selfplay", "board"}) {
            TArgList args{command, "--preset", "brazilian"};
            args.insert(args.end(), extra.begin(), extra.end());
            const TRun r = RunCli(args);
            EXPECT_EQ(r.Code, 2) << command << " " << extra[0];
            EXPECT_NE(r.Err.find(extra[0]), std::string::npos) << r.Err;
            EXPECT_TRUE(r.Out.empty()) << r.Out;
        }
    }
}

TEST(CliArguments, TheUsageTextNamesOptionsTheCommandsTake) {
    const TRun help = RunCli({"help"});
    ASSERT_EQ(help.Code, 0);
    std::istringstream in(help.Out);
    std::string line, boardLine;
    std::vector<std::pair<std::string, std::vector<std::string>>> commands;
    while (std::getline(in, line)) {
        if (line.rfind("BOARD:", 0) == 0) boardLine = line;
        if (line.rfind("  ", 0) != 0) continue;
        std::istringstream words(line);
        std::string name;
        words >> name;
        commands.push_back({name, {}});
        for (std::string word; words >> word;) commands.back().second.push_back(word);
    }
    ASSERT_EQ(commands.size(), 10u);
    ASSERT_FALSE(boardLine.empty());
    // An option is taken when the command goes past it and stops only at the stray
    // arguments put after it; a value follows an option where the text shows one.
    for (auto& [name, words] : commands) {
        if (words.front() == "BOARD") {
            std::istringstream board(boardLine.substr(6));
            for (std::string word; board >> word;) words.push_back(word);
        }
        for (std::size_t i = 0; i < words.size(); ++i) {
            std::string option = words[i];
            std::erase_if(option,
                          [](char c) { return c == '[' || c == ']' || c == ',' || c == ';'; });
            if (option.rfind("--", 0) != 0) continue;
            // A command word of its own ("pdn check") comes first.
            TArgList args{name};
            if (std::islower(static_cast<unsigned char>(words.front()[0])))
                args.push_back(words.front());
            args.push_back(option);
            if (i + 1 < words.size() && std::isupper(static_cast<unsigned char>(words[i + 1][0])))
                args.push_back("1");
            args.insert(args.end(), {"stray", "stray"});
            const TRun r = RunCli(args);
            EXPECT_EQ(r.Code, 2) << name << " " << option;
            EXPECT_NE(r.Err.find("unexpected argument \"stray\""), std::string::npos)
                << name << " " << option << ": " << r.Err;
        }
    }
    // The seed that makes a search repeatable is there for both commands that search.
    for (const auto& [name, words] : commands) {
        const bool searches = name == "think" || name == "selfplay";
        EXPECT_TRUE(!searches || std::find(words.begin(), words.end(), "[--seed") != words.end())
            << name;
    }
}

TEST(CliArguments, EveryPresetFamilyAndHubVariantIsNamedAndTaken) {
    std::string help = RunCli({"help"}).Out;
    std::replace(help.begin(), help.end(), '\n', ' ');
    // The lists, broken over lines, name them all in their tables' order.
    EXPECT_NE(help.find("presets: " + PresetNames() + " "), std::string::npos) << help;
    EXPECT_NE(help.find("rules: " + RulesNumbers() + " "), std::string::npos) << help;
    for (const char* family : {"0 Vorna,", "4 Russian draughts,", "5 Pool checkers,",
                               "6 Czech draughts,", "7 Italian draughts"})
        EXPECT_NE(RulesNumbers().find(family), std::string::npos) << family;
    for (const THubVariant& v : HubVariants)
        EXPECT_NE(help.find(std::string(v.Name) + (v.Name == HubVariants.back().Name ? " " : ", ")),
                  std::string::npos)
            << v.Name;
    const std::string unknown = RunCli({"perft", "--preset", "checkers"}).Err;
    for (const quorvin::TPreset& preset : quorvin::Presets) {
        EXPECT_NE(PresetNames().find(preset.Name), std::string::npos) << preset.Name;
        EXPECT_NE(unknown.find(preset.Name), std::string::npos) << preset.Name;
        // Every command that takes a board takes the preset.
        for (const TArgList& args :
             {TArgList{"board", "--preset", std::string(preset.Name)},
              TArgList{"perft", "--preset", std::string(preset.Name), "--depth", "1"},
              TArgList{"moves", "--fen", "W:W:B", "--preset", std::string(preset.Name)}})
            EXPECT_EQ(RunCli(args).Code, 0) << args[0] << " " << preset.Name;
    }
    // And the later families by number, on a board of any size.
    for (int rules = 4; rules < quorvin::RulesCount; ++rules) {
        const TRun r = RunCli({"perft", "--rules", std::to_string(rules), "--rows", "10", "--files",
                               "9", "--depth", "2"});
        EXPECT_EQ(r.Code, 0) << rules << " " << r.Err;
    }
}
