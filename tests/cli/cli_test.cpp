// quorvin-cli's commands driven as the shell would, through RunCommand.
#include "commands.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quorvin::cli;

namespace {
struct TRun {
    int Code;
    std::string Out, Err;
};
TRun RunCli(const TArgList& args) {
    std::ostringstream out, err;
    const int code = RunCommand(args, out, err);
    return {code, out.str(), err.str()};
}
} // namespace

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
         {TArgList{"perft", "--rules", "7", "--depth", "2"},
          TArgList{"perft", "--rows", "13", "--files", "8"},
          TArgList{"perft", "--rows", "3", "--files", "8"}, TArgList{"perft", "--preset", "chess"},
          TArgList{"perft", "--depth", "two"}, TArgList{"perft", "--depth"}, TArgList{"nonsense"},
          TArgList{}}) {
        const TRun r = RunCli(args);
        EXPECT_EQ(r.Code, 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.Err.empty());
    }
}
