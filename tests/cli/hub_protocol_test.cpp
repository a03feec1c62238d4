// The Hub line syntax and the levels: how lines are split and written, what each level form
// sets, and the time a level gives a move.
#include "hub_level.h"
#include "hub_protocol.h"

#include <gtest/gtest.h>

using namespace quorvin::cli;

TEST(HubProtocol, SplitsCommandsArgumentsAndFlags) {
    const THubLine line =
        ParseHubLine("  pos pos=Wbe moves=\"32-28 19-23\"  empty=\"\" flag name = spaced x=a=b  ");
    EXPECT_EQ(line.Command, "pos");
    EXPECT_EQ(line.Value("pos"), "Wbe");
    EXPECT_EQ(line.Value("moves"), "32-28 19-23");
    EXPECT_EQ(line.Value("empty"), "");
    EXPECT_TRUE(line.Has("flag"));
    EXPECT_EQ(line.Value("flag"), "");
    EXPECT_EQ(line.Value("name"), "spaced");
    EXPECT_EQ(line.Value("x"), "a=b");
    EXPECT_FALSE(line.Has("missing"));
    EXPECT_FALSE(line.Value("missing").has_value());

    EXPECT_EQ(ParseHubLine("go think").Command, "go");
    EXPECT_TRUE(ParseHubLine("go think").Has("think"));
    EXPECT_EQ(ParseHubLine("   ").Command, "");
    EXPECT_THROW(ParseHubLine("pos pos=\"Wbe"), THubError);
    EXPECT_THROW(ParseHubLine("level =5"), THubError);
    EXPECT_EQ(HubCommandWord("  ping  now"), "ping");
}

TEST(HubProtocol, QuotesValuesThatNeedIt) {
    EXPECT_EQ(FormatHubLine("done", {{"move", "32-28"}, {"ponder", "19-23"}}),
              "done move=32-28 ponder=19-23");
    EXPECT_EQ(FormatHubLine("info", {{"pv", "32-28 19-23"}, {"e", ""}, {"q", "a=b"}}),
              "info pv=\"32-28 19-23\" e=\"\" q=\"a=b\"");
    EXPECT_EQ(HubValue("say \"no\""), "\"say 'no'\"");
    // What is written reads back the same.
    const THubLine line = ParseHubLine(FormatHubLine("error", {{"message", "bad line x=1"}}));
    EXPECT_EQ(line.Value("message"), "bad line x=1");
}

TEST(HubLevel, ReadsEveryForm) {
    auto parse = [](const char* text) { return ParseHubLevel(ParseHubLine(text)).value(); };
    THubLevel level = parse("level depth=7");
    EXPECT_EQ(level.Limit, THubLimit::Depth);
    EXPECT_EQ(level.Depth, 7);
    level = parse("level move-time=0.25");
    EXPECT_EQ(level.Limit, THubLimit::MoveTime);
    EXPECT_DOUBLE_EQ(level.MoveTime, 0.25);
    level = parse("level moves=9 time=291.587 inc=2");
    EXPECT_EQ(level.Limit, THubLimit::Clock);
    EXPECT_EQ(level.Moves, 9);
    EXPECT_DOUBLE_EQ(level.Time, 291.587);
    EXPECT_DOUBLE_EQ(level.Increment, 2.0);
    level = parse("level time=60");
    EXPECT_EQ(level.Moves, 0);
    EXPECT_EQ(parse("level moves=0 time=60").Moves, 0);
    EXPECT_DOUBLE_EQ(level.Increment, 0.0);
    EXPECT_EQ(parse("level infinite").Limit, THubLimit::Infinite);
    level = parse("level nodes=123456789012");
    EXPECT_EQ(level.Limit, THubLimit::Nodes);
    EXPECT_EQ(level.Nodes, 123456789012LL);
    // Forms this engine does not know are no error: the line is ignored.
    for (const char* unknown : {"level", "level mate=3", "level fast"})
        EXPECT_FALSE(ParseHubLevel(ParseHubLine(unknown)).has_value()) << unknown;

    for (const char* bad : {"level depth=0", "level depth=x", "level depth=3.5", "level depth",
                            "level move-time=", "level move-time=-1", "level move-time=abc",
                            "level time=inf", "level time=10 moves=-1", "level time=10 inc=-2",
                            "level nodes=0", "level nodes=-5", "level nodes=1e6", "level nodes"})
        EXPECT_THROW(ParseHubLevel(ParseHubLine(bad)), THubError) << bad;
}

TEST(HubLevel, TimeForAMove) {
    auto budget = [](const char* text) {
        return HubTimeBudget(ParseHubLevel(ParseHubLine(text)).value());
    };
    EXPECT_TRUE(budget("level depth=5").Unlimited);
    EXPECT_TRUE(budget("level nodes=5000").Unlimited);
    EXPECT_TRUE(budget("level infinite").Unlimited);

    // A fixed time, less a twentieth (at most 50 ms) kept back.
    THubTimeBudget b = budget("level move-time=0.5");
    EXPECT_FALSE(b.Unlimited);
    EXPECT_EQ(b.SoftMs, 475);
    EXPECT_EQ(b.HardMs, 475);
    EXPECT_EQ(budget("level move-time=10").HardMs, 9950);
    // Sudden death: a thirtieth of the clock, at most three times that when needed.
    b = budget("level time=30");
    EXPECT_EQ(b.SoftMs, 1000);
    EXPECT_EQ(b.HardMs, 3000);
    // The increment comes before the move and may be spent on it.
    b = budget("level time=10 inc=1");
    EXPECT_EQ(b.SoftMs, 1333);
    EXPECT_EQ(b.HardMs, 4000);
    // The last move before the time control may use all but what is kept back.
    b = budget("level moves=1 time=2");
    EXPECT_EQ(b.SoftMs, 1900);
    EXPECT_EQ(b.HardMs, 1900);
    b = budget("level time=0");
    EXPECT_EQ(b.SoftMs, 0);
    EXPECT_EQ(b.HardMs, 0);
}
