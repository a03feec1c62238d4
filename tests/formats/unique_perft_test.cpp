// Perft with each distinct move counted once, against the published tables: International
// draughts from Aart Bik's BikDam counts (duplicate captures removed), Straight checkers from
// the standard checkers perft series (no duplicate captures arise at these depths).
#include "fen.h"
#include "perft.h"
#include "rules.h"
#include "unique_perft.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace quorvin;

namespace {

std::unique_ptr<TPosition> InitialOf(const char* presetName) {
    const auto preset = FindPreset(presetName);
    BuildGeometry(preset->Rows, preset->Files, (preset->Coloring) ? 0 : 1);
    auto root = CreatePosition(preset->Rules);
    root->SetInitial();
    return root;
}

std::unique_ptr<TPosition> FromFen(const char* presetName, const char* fen) {
    const auto preset = FindPreset(presetName);
    BuildGeometry(preset->Rows, preset->Files, (preset->Coloring) ? 0 : 1);
    auto p = CreatePosition(preset->Rules);
    ApplyFen(ParseFen(TNotation::ForPreset(*preset), fen), *p);
    return p;
}

} // namespace

TEST(UniquePerft, InternationalInitialPosition) {
    const auto root = InitialOf("international");
    const std::vector<std::uint64_t> counts{9, 81, 658, 4265, 27117, 167140, 1049442};
    for (std::size_t d = 1; d <= counts.size(); ++d)
        EXPECT_EQ(UniquePerft(*root, static_cast<int>(d), true), counts[d - 1]) << "depth " << d;
    EXPECT_EQ(UniquePerft(*root, 4, false), 4265u);
}

TEST(UniquePerft, InternationalDepthEightCountsTenRoutesOnce) {
    // At depth 8 the first captures appear that take the same pieces by two routes (in one
    // order or the other): the move lists hold ten routes more than there are moves.
    const auto root = InitialOf("international");
    EXPECT_EQ(UniquePerft(*root, 8, true), 6483961u);
    EXPECT_EQ(Perft(*root, 8, true), 6483971u);
}

TEST(UniquePerft, StraightCheckersInitialPosition) {
    const auto root = InitialOf("straight");
    const std::vector<std::uint64_t> counts{7, 49, 302, 1469, 7361, 36768, 179740, 845931};
    for (std::size_t d = 1; d <= counts.size(); ++d)
        EXPECT_EQ(UniquePerft(*root, static_cast<int>(d), true), counts[d - 1]) << "depth " << d;
}

TEST(UniquePerft, OtherPresetsAgreeWithPlainPerftWhileNoRoutesRepeat) {
    for (const char* preset : {"brazilian", "canadian", "spanish", "vorna"}) {
        const auto root = InitialOf(preset);
        for (int d = 1; d <= 5; ++d)
            EXPECT_EQ(UniquePerft(*root, d, true), Perft(*root, d, true)) << preset << " " << d;
    }
}

TEST(UniquePerft, DistinctMovesDropRoutesThatTakeTheSamePieces) {
    // A king on 50 takes 44 and 17 landing on any of four squares in between: four routes
    // to 11 and four to 6, two distinct moves.
    auto p = FromFen("international", "W:WK50:B44,17");
    p->ClassifyNode(false);
    EXPECT_EQ(p->Moves.Count, 8);
    const std::vector<int> distinct = DistinctMoves(*p);
    ASSERT_EQ(distinct.size(), 2u);
    std::set<int> ends;
    for (const int i : distinct) ends.insert(p->Moves.ToOf(i));
    EXPECT_EQ(ends.size(), 2u);
    EXPECT_EQ(UniquePerft(*p, 1, true), 2u);
    EXPECT_EQ(UniquePerft(*p, 1, false), 2u);
    EXPECT_EQ(Perft(*p, 1, true), 8u);

    // Two captures between the same squares that take other pieces are both kept.
    auto q = FromFen("international", "W:WK47:B42,33,19,14,27");
    q->ClassifyNode(false);
    EXPECT_EQ(DistinctMoves(*q).size(), static_cast<std::size_t>(q->Moves.Count));
    // Simple moves are all distinct.
    auto r = InitialOf("international");
    r->ClassifyNode(false);
    EXPECT_EQ(DistinctMoves(*r).size(), 9u);
}
