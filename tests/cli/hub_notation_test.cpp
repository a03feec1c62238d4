// The Hub text of every variant's board: pos strings in each standard numbering, move names
// with the taken pieces, and the moves a GUI may send.
#include "hub_notation.h"

#include "game.h"
#include "rules.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorvin;
using namespace quorvin::cli;

namespace {
THubBoard BoardOf(std::string_view variant) {
    const auto preset = FindHubVariant(variant);
    EXPECT_TRUE(preset.has_value()) << variant;
    THubBoard board(*preset);
    board.UseGeometry();
    return board;
}

std::string Repeat(char c, int n) {
    return std::string(static_cast<std::size_t>(n), c);
}

// A position of the board from a pos string, with its legal moves.
std::unique_ptr<TPosition> Read(const THubBoard& board, std::string_view text) {
    auto p = CreatePosition(board.Rules());
    ApplyFen(board.ParsePosition(text), *p);
    p->ClassifyNode(false);
    return p;
}
} // namespace

TEST(HubNotation, VariantNamesStandForThePresets) {
    EXPECT_EQ(FindHubVariant("normal")->Name, "international");
    EXPECT_EQ(FindHubVariant("international")->Name, "international");
    EXPECT_EQ(FindHubVariant("english")->Name, "straight");
    EXPECT_EQ(FindHubVariant("straight")->Name, "straight");
    for (const char* name :
         {"brazilian", "canadian", "spanish", "vorna", "russian", "pool", "czech", "italian"})
        EXPECT_EQ(FindHubVariant(name)->Name, name);
    EXPECT_FALSE(FindHubVariant("killer").has_value());
    EXPECT_FALSE(FindHubVariant("").has_value());
}

// The initial position of each variant, written square by square in its standard order.
TEST(HubNotation, InitialPositionsInStandardOrder) {
    const std::pair<const char*, std::string> expected[] = {
        {"normal", "W" + Repeat('b', 20) + Repeat('e', 10) + Repeat('w', 20)},
        {"brazilian", "W" + Repeat('b', 12) + Repeat('e', 8) + Repeat('w', 12)},
        {"canadian", "W" + Repeat('b', 30) + Repeat('e', 12) + Repeat('w', 30)},
        // Square 1 in White's right-hand corner.
        {"spanish", "W" + Repeat('w', 12) + Repeat('e', 8) + Repeat('b', 12)},
        // Black moves first and is numbered from 1.
        {"english", "B" + Repeat('b', 12) + Repeat('e', 8) + Repeat('w', 12)},
        // The program's own numbering, from White's home row.
        {"vorna", "W" + Repeat('w', 15) + Repeat('e', 10) + Repeat('b', 15)},
        // Russian and Czech in the numbers of Brazilian draughts, Pool in those of English
        // draughts, Italian from White's far left corner.
        {"russian", "W" + Repeat('b', 12) + Repeat('e', 8) + Repeat('w', 12)},
        {"czech", "W" + Repeat('b', 12) + Repeat('e', 8) + Repeat('w', 12)},
        {"pool", "B" + Repeat('b', 12) + Repeat('e', 8) + Repeat('w', 12)},
        {"italian", "W" + Repeat('b', 12) + Repeat('e', 8) + Repeat('w', 12)},
    };
    for (const auto& [variant, text] : expected) {
        const THubBoard board = BoardOf(variant);
        TGame game(board.Rules());
        EXPECT_EQ(board.FormatPosition(game.CurrentPosition()), text) << variant;
        EXPECT_EQ(board.FormatPosition(*Read(board, text)), text) << variant;
    }
}

// The example of the protocol's own description: kings, men and its three moves.
TEST(HubNotation, ReadsPositionsAndMovesOfTheProtocolExample) {
    const THubBoard board = BoardOf("normal");
    const std::string text = "BeeeWWeeeeeeeeeeeeeeeeeeeweeeeeeeeewweBeeeeeeeeeBee";
    auto p = Read(board, text);
    EXPECT_EQ(p->SideToMove, Black);
    EXPECT_EQ(board.FormatPosition(*p), text);
    for (const char* move : {"38-15", "5-41", "48-26"}) {
        const int index = board.FindMove(*p, move);
        EXPECT_EQ(board.MoveName(*p, index), move);
        auto next = p->NewPosition();
        next->PlayMove(*p, index);
        next->ClassifyNode(false);
        p = std::move(next);
    }
    std::string after = "W" + Repeat('e', 50);
    after[4] = after[41] = 'W';
    after[25] = after[35] = after[36] = 'w';
    after[15] = after[26] = 'B';
    EXPECT_EQ(board.FormatPosition(*p), after);
}

TEST(HubNotation, CapturesNameStartEndAndEveryPieceTaken) {
    const THubBoard board = BoardOf("normal");
    std::string text = "W" + Repeat('e', 50);
    text[28] = 'w';
    text[23] = 'b';
    auto single = Read(board, text);
    ASSERT_EQ(single->Moves.Count, 1);
    EXPECT_EQ(board.MoveName(*single, 1), "28x19x23");

    text = "W" + Repeat('e', 50);
    text[33] = 'w';
    text[28] = 'b';
    text[18] = 'b';
    auto twice = Read(board, text);
    ASSERT_EQ(twice->Moves.Count, 1);
    EXPECT_EQ(board.MoveName(*twice, 1), "33x13x28x18");
    // The taken pieces in any order, or start and end alone.
    EXPECT_EQ(board.FindMove(*twice, "33x13x18x28"), 1);
    EXPECT_EQ(board.FindMove(*twice, "33x13"), 1);
    EXPECT_THROW(board.FindMove(*twice, "33x13x28"), THubError);
    EXPECT_THROW(board.FindMove(*twice, "33x13x28x19"), THubError);
    EXPECT_THROW(board.FindMove(*twice, "33-28"), THubError);
}

TEST(HubNotation, RefusesBadPositionsAndMoves) {
    const THubBoard board = BoardOf("normal");
    const std::string good = "W" + Repeat('b', 20) + Repeat('e', 10) + Repeat('w', 20);
    for (const std::string& bad :
         {std::string(), good.substr(0, 50), good + "e", "X" + good.substr(1), "w" + good.substr(1),
          good.substr(0, 25) + "k" + good.substr(26), good.substr(0, 25) + "." + good.substr(26)})
        EXPECT_THROW(board.ParsePosition(bad), THubError) << bad;

    const auto p = Read(board, good);
    EXPECT_EQ(board.MoveName(*p, board.FindMove(*p, "32-28")), "32-28");
    for (const char* bad : {"", "32", "32-", "-28", "32--28", "32-28-23", "0-5", "51-46", "32-27x",
                            "a-b", "32-29", "18-23", "31-27 "})
        EXPECT_THROW(board.FindMove(*p, bad), THubError) << bad;
}

// Brazilian, Russian and Czech draughts are written in numbers too, square 1 in the far left
// corner seen from White as in International draughts; Pool and Italian draughts in their own
// numbers.
TEST(HubNotation, EightByEightVariantsInNumbers) {
    const std::vector<std::string> algebraic{"21-17", "22-17", "22-18", "23-18",
                                             "23-19", "24-19", "24-20"};
    const std::pair<const char*, std::vector<std::string>> firstMoves[] = {
        {"brazilian", algebraic},
        {"russian", algebraic},
        {"czech", algebraic},
        {"pool", {"10-14", "10-15", "11-15", "11-16", "12-16", "9-13", "9-14"}},
        {"italian", {"21-17", "21-18", "22-18", "22-19", "23-19", "23-20", "24-20"}},
    };
    for (const auto& [variant, expected] : firstMoves) {
        const THubBoard board = BoardOf(variant);
        TGame game(board.Rules());
        TPosition& p = game.CurrentPosition();
        p.ClassifyNode(false);
        std::vector<std::string> names;
        for (int i = 1; i <= p.Moves.Count; ++i) names.push_back(board.MoveName(p, i));
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, expected) << variant;
    }
    // A Russian capture: from, to and the pieces taken, c3 = 22 taking d4 = 18 and f6 = 11
    // on its way to g7 = 8.
    const THubBoard russian = BoardOf("russian");
    std::string text = "W" + Repeat('e', 32);
    text[22] = 'w';
    text[18] = text[11] = 'b';
    auto p = Read(russian, text);
    ASSERT_EQ(p->Moves.Count, 1);
    EXPECT_EQ(russian.MoveName(*p, 1), "22x8x18x11");
    EXPECT_EQ(russian.FindMove(*p, "22x8"), 1);
}
