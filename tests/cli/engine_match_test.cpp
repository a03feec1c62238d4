// engine_match: the Elo estimate of a score and its error, and matches between a Hub engine,
// this program's own search and DXP followers (quorvin-cli dxp) on the loopback address.
#include "hub_client.h"
#include "match_score.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace quorvin::cli;
using namespace quorvin::match;

namespace {
constexpr int WaitMs = 10000;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A quorvin-cli follower on a free port of the loopback address; its address as dxp:...
struct TFollower {
    THubClient Process{QUORVIN_CLI_PATH, {"dxp", "--listen", "127.0.0.1:0", "--move-time", "0.01"}};
    std::string Spec() {
        const std::string line = Process.Receive(WaitMs).value_or("");
        EXPECT_EQ(line.rfind("listening on port ", 0), 0u) << line;
        return "dxp:127.0.0.1:" + line.substr(18);
    }
};

struct TMatchRun {
    std::optional<int> Code;
    std::string Out;
};

TMatchRun RunMatch(const std::vector<std::string>& args) {
    THubClient match(ENGINE_MATCH_PATH, args);
    match.CloseInput();
    TMatchRun run;
    while (const std::optional<std::string> line = match.Receive(30000)) run.Out += *line + "\n";
    run.Code = match.Wait(WaitMs);
    return run;
}
} // namespace

TEST(MatchScore, EloAndItsErrorFromTheTrinomialVariance) {
    struct TCase {
        TMatchScore Score;
        double Elo, Low, High;
        std::string Text;
    };
    const double inf = INFINITY;
    const std::vector<TCase> cases = {
        {{5, 10, 5}, 0.0, -111.3, 111.3, "Elo 0.0 +- 111.3 (95 %: -111.3 .. 111.3)"},
        {{26, 10, 4}, 214.8, 124.1, 343.9, "Elo 214.8 +- 109.9 (95 %: 124.1 .. 343.9)"},
        {{4, 30, 6}, -17.4, -71.9, 36.3, "Elo -17.4 +- 54.1 (95 %: -71.9 .. 36.3)"},
        {{3, 1, 0}, 338.0, 117.4, inf, "Elo 338.0 (95 %: 117.4 .. +inf)"},
        {{0, 0, 4}, -inf, -inf, -inf, "Elo -inf (95 %: -inf .. -inf)"},
    };
    for (const TCase& c : cases) {
        const std::string context = c.Text;
        for (const auto& [got, expected] :
             {std::pair{c.Score.Elo(), c.Elo}, std::pair{c.Score.EloLow(), c.Low},
              std::pair{c.Score.EloHigh(), c.High}}) {
            if (std::isinf(expected))
                EXPECT_EQ(got, expected) << context;
            else
                EXPECT_NEAR(got, expected, 0.05) << context;
        }
        EXPECT_EQ(c.Score.EloText(), c.Text);
    }
}

TEST(EngineMatch, PlaysHubEnginesDxpFollowersAndItsOwnSearch) {
    // A Hub engine against a DXP follower from ballot openings, stopped early.
    TFollower follower;
    const TMatchRun ballots =
        RunMatch({"--engine1", std::string("hub:") + QUORVIN_CLI_PATH, "--engine2", follower.Spec(),
                  "--games", "2", "--move-time", "0.01", "--max-plies", "8"});
    EXPECT_EQ(ballots.Code, 0) << ballots.Out;
    EXPECT_TRUE(Has(ballots.Out, "432 ballot openings of 3 plies\n")) << ballots.Out;
    EXPECT_TRUE(Has(ballots.Out, "game 2: Quorvin 4.02 - Quorvin 4.02 *, stopped after 8 plies"))
        << ballots.Out;
    EXPECT_TRUE(Has(ballots.Out, ": 0 wins, 0 draws, 0 losses, 2 unfinished\n")) << ballots.Out;

    // The search in the tool's process against a follower, from an opening White wins at
    // once: each side wins its game as White.
    const std::string openings = testing::TempDir() + "engine_match_openings.fen";
    std::ofstream(openings) << "W:W28:B23\n";
    TFollower other;
    const TMatchRun won = RunMatch({"--engine1", "quorvin:classic", "--engine2", other.Spec(),
                                    "--games", "2", "--move-time", "0.01", "--openings", openings});
    std::remove(openings.c_str());
    EXPECT_EQ(won.Code, 0) << won.Out;
    EXPECT_TRUE(
        Has(won.Out, "game 1: Quorvin 4.02 (classic) - Quorvin 4.02 2-0, black has no move"))
        << won.Out;
    EXPECT_TRUE(Has(won.Out, "Quorvin 4.02 (classic) against Quorvin 4.02: 1 wins, 0 draws, 1 "
                             "losses, 0 unfinished\nscore 1.0 / 2 = 50.0 %\nElo 0.0"))
        << won.Out;

    const TMatchRun wrong = RunMatch({"--engine1", "quorvin", "--engine2", "telnet:1"});
    EXPECT_EQ(wrong.Code, 2);
}
