// hub_match against a tiny engine written to the protocol's permissions (tiny_hub_engine):
// no variant parameter, lines of its own in the handshake, between init and ready and during
// a search, and an init of a second. The match is played when the variant and the time-out
// allow it, and refused with a clear reason when they do not.
#include "hub_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvin::cli;

namespace {
struct TMatchRun {
    std::optional<int> Code;
    std::string Out;
};

TMatchRun RunMatch(const std::vector<std::string>& args) {
    THubClient match(HUB_MATCH_PATH, args);
    match.CloseInput();
    TMatchRun run;
    while (const std::optional<std::string> line = match.Receive(30000)) run.Out += *line + "\n";
    run.Code = match.Wait(5000);
    return run;
}
} // namespace

TEST(HubMatch, PlaysAnEngineThatUsesTheProtocolsFreedoms) {
    const std::vector<std::string> common{
        "--engine", TINY_HUB_ENGINE_PATH, "--engine2", QUORVIN_CLI_PATH, "--games",
        "2",        "--move-time",        "0.01",      "--max-plies",    "16"};
    struct TCase {
        std::vector<std::string> Args;
        int Code;
        std::string Says;
    };
    const std::vector<TCase> cases = {
        {{}, 0, "protocol errors: 0"},
        {{"--variant", "normal"}, 0, "engines quit with 0 and 0"},
        {{"--variant", "brazilian"},
         1,
         "A: offers no variant parameter, so it plays normal (International) draughts only"},
        {{"--init-timeout", "0.3"}, 1, "A: silent while waiting for ready"},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args = common;
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TMatchRun run = RunMatch(args);
        const std::string context = c.Args.empty() ? "defaults" : c.Args.front();
        EXPECT_EQ(run.Code, c.Code) << context << "\n" << run.Out;
        EXPECT_NE(run.Out.find(c.Says), std::string::npos) << context << "\n" << run.Out;
        if (c.Code == 0) {
            EXPECT_NE(run.Out.find("A: id name=Tiny"), std::string::npos) << run.Out;
            EXPECT_NE(run.Out.find("game 2:"), std::string::npos) << run.Out;
        }
    }
}
