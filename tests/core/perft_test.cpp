// Perft from the initial positions of the presets against the published counts (Vorna has
// none published: its counts are recorded here so that any change to its rules shows).
#include "mathematics.h"
#include "perft.h"
#include "rules.h"
#include "test_boards.h"
#include "unique_perft.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorvin;
using namespace quorvin::test;

namespace {
void ExpectPerft(const char* preset, const std::vector<std::uint64_t>& counts) {
    const auto p = FindPreset(preset);
    ASSERT_TRUE(p.has_value());
    BuildGeometry(p->Rows, p->Files, p->Coloring ? 0 : 1);
    auto root = CreatePosition(p->Rules);
    root->SetInitial();
    for (std::size_t d = 1; d <= counts.size(); ++d) {
        EXPECT_EQ(Perft(*root, static_cast<int>(d), true), counts[d - 1])
            << preset << " depth " << d;
    }
    // Playing the last ply instead of counting it gives the same leaves.
    const int depth = static_cast<int>(std::min<std::size_t>(counts.size(), 4));
    EXPECT_EQ(Perft(*root, depth, false), counts[depth - 1]) << preset;
}
} // namespace

TEST(Perft, International) {
    ExpectPerft("international", {9, 81, 658, 4265, 27117, 167140, 1049442});
}
TEST(Perft, Brazilian) {
    ExpectPerft("brazilian", {7, 49, 302, 1469, 7473, 37628, 187302});
}
TEST(Perft, Canadian) {
    ExpectPerft("canadian", {11, 121, 1222, 10053, 79049});
}
TEST(Perft, Spanish) {
    ExpectPerft("spanish", {7, 49, 302, 1469, 7361, 36473, 177532, 828783});
}
TEST(Perft, Straight) {
    ExpectPerft("straight", {7, 49, 302, 1469, 7361, 36768, 179740, 845931, 3963680});
}
// The later families' counts are published for unique moves: capture routes that take the
// same pieces between the same squares count once.
TEST(Perft, LaterFamiliesCountUniqueMovesAsPublished) {
    const std::array<std::pair<const char*, std::vector<std::uint64_t>>, 4> tables{{
        {"russian", {7, 49, 302, 1469, 7482, 37986, 190146, 929899, 4570586}},
        {"pool", {7, 49, 302, 1469, 7482, 37986, 190146, 929896, 4570534}},
        {"czech", {7, 49, 302, 1469, 7361, 36768, 179740, 845931, 3963671}},
        {"italian", {7, 49, 302, 1469, 7361, 36473, 177532, 828783, 3860875}},
    }};
    for (const auto& [preset, counts] : tables) {
        const auto p = FindPreset(preset);
        ASSERT_TRUE(p.has_value());
        BuildGeometry(p->Rows, p->Files, p->Coloring ? 0 : 1);
        auto root = CreatePosition(p->Rules);
        root->SetInitial();
        for (std::size_t d = 1; d <= counts.size(); ++d)
            EXPECT_EQ(UniquePerft(*root, static_cast<int>(d), true), counts[d - 1])
                << preset << " depth " << d;
    }
}

TEST(Perft, VornaRegression) {
    ExpectPerft("vorna", {9, 81, 658, 4251, 27256, 168033, 1008731});
}

TEST(Perft, CountedMovesAgreeWithTheListOnRandomBoards) {
    // Bulk counting counts simple moves by whole sets instead of listing them. On random
    // boards full of men and kings, of every size and family, the count must be the length
    // of the list, and bulk perft must agree with playing the last ply.
    SeedRandom(20261209);
    int withKingMoves = 0;
    for (auto rules : {TRules::Vorna, TRules::International, TRules::Spanish, TRules::Straight})
        for (int round = 0; round < 300; ++round) {
            UseBoard(RandomBetween(4, 12), RandomBetween(4, 12), RandomBetween(0, 1) == 1);
            auto p = CreatePosition(rules);
            p->BuildValueTable(false);
            p->SetSideToMove(RandomBetween(0, 1));
            Scatter(*p, 12, 12, 6, 6);
            auto listed = p->Clone();
            const bool any = listed->ClassifyNode(false) == NodeHasMoves;
            const int count = p->CountMoves();
            ASSERT_EQ(count, any ? listed->Moves.Count : 0)
                << "rules " << int(rules) << " board " << BoardRows << "x" << BoardFiles;
            for (int i = 1; i <= listed->Moves.Count; ++i)
                if (listed->Moves.CaptureLength() == 0 &&
                    listed->At(listed->Moves.FromOf(i)).Kind == King) {
                    ++withKingMoves;
                    break;
                }
            ASSERT_EQ(Perft(*p, 3, true), Perft(*p, 3, false));
        }
    EXPECT_GT(withKingMoves, 200);
}
