// Nothing a position object keeps from an earlier position may change the moves it lists.
// The search makes every node in a position object reused from sibling to sibling and from
// one search to the next, with the move list left from before. Random games on every board
// size and colouring under every family make each move of each position as the search does,
// in one reused object, and as a new object does, and compare the moves listed (simple
// moves, and at the horizon only the captures); the incremental evaluation is checked against
// a recomputation at the same time.
#include "mathematics.h"
#include "move_generation.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

using namespace quorvin;
using namespace quorvin::test;

namespace {
// As the search makes a node: the child of a pooled object, classified as newly made.
template <class W>
int MakeAsTheSearchDoes(TPosition& reused, const TPosition& parent, int index, bool horizon) {
    reused.PlayMoveIn<W>(parent, index);
    return reused.ClassifyFresh<W>(horizon);
}

// The same moves in the same order. A slot holds as many squares as the list's longest
// capture; what lies beyond a shorter move's own squares means nothing.
bool SameMoves(const TPosition& a, const TPosition& b) {
    if (a.Moves.Count != b.Moves.Count) return false;
    for (int i = 1; i <= a.Moves.Count; ++i) {
        const TMove x = a.Moves.GetMove(i), y = b.Moves.GetMove(i);
        if (x.LastIndex != y.LastIndex || x.CaptureCount != y.CaptureCount) return false;
        for (int k = 0; k <= x.LastIndex; ++k)
            if (x.Path[k] != y.Path[k]) return false;
        for (int k = 1; k <= x.CaptureCount; ++k)
            if (x.Captured[k] != y.Captured[k]) return false;
    }
    return true;
}
} // namespace

TEST(ReusedPositions, ListTheMovesOfANewPositionOnAnyBoard) {
    SeedRandom(20261208);
    long long checked = 0;
    for (auto rules : {TRules::Vorna, TRules::International, TRules::Spanish, TRules::Straight})
        for (int rows = 4; rows <= 12; ++rows)
            for (int files = 4; files <= 12; ++files)
                for (bool coloring : {false, true}) {
                    UseBoard(rows, files, coloring);
                    auto p = CreatePosition(rules);
                    p->BuildValueTable(true);
                    p->SetInitial();
                    auto reused = p->NewPosition();
                    for (int ply = 0; ply < 60; ++ply) {
                        if (p->ClassifyNode(false) != NodeHasMoves) {
                            p->SetInitial(); // game over: start another
                            continue;
                        }
                        for (int i = 1; i <= p->Moves.Count; ++i) {
                            const bool horizon = (ply + i) % 3 == 0;
                            const int kind =
                                NarrowLayout
                                    ? MakeAsTheSearchDoes<std::uint64_t>(*reused, *p, i, horizon)
                                    : MakeAsTheSearchDoes<TBits>(*reused, *p, i, horizon);
                            auto fresh = p->NewPosition();
                            fresh->PlayMove(*p, i);
                            ASSERT_EQ(kind, fresh->ClassifyNode(horizon));
                            ASSERT_TRUE(SameMoves(*reused, *fresh))
                                << "rules " << int(rules) << " board " << rows << "x" << files
                                << (coloring ? " coloring" : "") << " ply " << ply << " move " << i
                                << ": " << testing::PrintToString(MoveTexts(*reused, true))
                                << " against " << testing::PrintToString(MoveTexts(*fresh, true));
                            ASSERT_TRUE(reused->Consistent(1e-9));
                            ++checked;
                        }
                        auto child = p->NewPosition();
                        child->PlayMove(*p, RandomBetween(1, p->Moves.Count));
                        p = std::move(child);
                    }
                }
    EXPECT_GT(checked, 100000);
}
