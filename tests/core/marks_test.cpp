// The capture marks must never hide a capture. Random games on every board size and
// colouring under every family compare, at each position, the captures generated with the
// marks as play left them against those generated with every piece marked; the incremental
// evaluation is checked against a recomputation at the same time.
#include "mathematics.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

using namespace quorvin;
using namespace quorvin::test;

TEST(CaptureMarks, NeverHideACaptureOnAnyBoard) {
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
                    for (int ply = 0; ply < 200; ++ply) {
                        auto all = p->Clone();
                        all->MarkAllPieces();
                        const bool any = all->GenerateCaptures();
                        const bool played = p->GenerateCaptures();
                        ASSERT_EQ(played, any);
                        ASSERT_EQ(MoveTexts(*p, true), MoveTexts(*all, true))
                            << "rules " << int(rules) << " board " << rows << "x" << files
                            << (coloring ? " coloring" : "") << " ply " << ply;
                        ++checked;
                        if (!played && !p->GenerateMoves(false)) {
                            p->SetInitial(); // game over: start another
                            continue;
                        }
                        auto child = p->NewPosition();
                        child->PlayMove(*p, RandomBetween(1, p->Moves.Count));
                        ASSERT_TRUE(child->Consistent(1e-9));
                        p = std::move(child);
                    }
                }
    EXPECT_GT(checked, 100000);
}
