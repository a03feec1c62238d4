// The tables of king endings: every result agrees with the moves of its position (a win has a
// move to a lost position one ply nearer, a loss only moves to won ones, a draw no winning
// move but a drawing one), for either colour holding the kings, on boards and under rules
// where kings fly or step and captures follow other orders; the known results of three kings
// against one on 8 x 8; and a master search that wins such an ending in time or sees the draw
// rule come first.
#include "king_endings.h"
#include "master_search.h"
#include "mathematics.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

using namespace quorvin;
using namespace quorvin::test;

namespace {

// A result as one number: wins above 0 (sooner is larger), losses below, draws 0.
int Score(const TKingEndingResult& r) {
    switch (r.Kind) {
    case TKingEndingResult::TKind::Win:
        return 1000 - r.Plies;
    case TKingEndingResult::TKind::Loss:
        return -1000 + r.Plies;
    case TKingEndingResult::TKind::Draw:
        break;
    }
    return 0;
}

// The kings of both sides put at random on distinct squares.
std::unique_ptr<TPosition> RandomEnding(TRules rules, int strongKings, int strongSide,
                                        int sideToMove) {
    auto p = CreatePosition(rules);
    p->ClearBoard();
    p->SetSideToMove(sideToMove);
    int placed = 0;
    while (placed < strongKings + 1) {
        const int s = RandomBetween(1, SquareCount);
        if (!p->IsEmpty(s)) continue;
        const int side = placed < strongKings ? strongSide : 1 - strongSide;
        p->Put(s, side == White ? WhiteKing : BlackKing);
        ++placed;
    }
    p->Evaluate();
    return p;
}

// The result a position's moves give it, read from the results of the positions they reach.
int ScoreFromMoves(const TKingEndings& endings, TPosition& p) {
    if (!p.GenerateCaptures()) p.GenerateMoves(false);
    if (p.Moves.Count == 0) return -1000;
    int best = -2000;
    auto child = p.NewPosition();
    for (int m = 1; m <= p.Moves.Count; ++m) {
        child->PlayMove(p, m);
        int score = 1000 - 1; // the side to move there has no piece left
        if (child->Own.Any()) {
            EXPECT_TRUE(TKingEndings::Covers(*child));
            const int after = Score(endings.Probe(*child));
            score = after > 0 ? -(after - 1) : after < 0 ? -(after + 1) : 0;
        }
        best = std::max(best, score);
    }
    return best;
}

} // namespace

TEST(KingEndings, EveryResultAgreesWithTheMovesOfItsPosition) {
    struct TCase {
        TRules Rules;
        int Rows, Files;
        bool Coloring;
        int Samples;
    };
    const TCase cases[] = {
        {TRules::Russian, 8, 8, false, 3000},  // flying kings
        {TRules::Straight, 8, 8, false, 2000}, // kings of one step
        {TRules::Italian, 8, 8, true, 1500},   // the order of captures
        {TRules::Czech, 8, 8, false, 1500},    // kings capture first
        {TRules::Russian, 6, 7, false, 2000},  // a board of another shape
        {TRules::Pool, 4, 5, true, 1000},      // a board with few squares
    };
    SeedRandom(11);
    for (const TCase& c : cases) {
        UseBoard(c.Rows, c.Files, c.Coloring);
        TKingEndings endings;
        auto sample = CreatePosition(c.Rules);
        ASSERT_TRUE(endings.Build(*sample)) << static_cast<int>(c.Rules);
        std::array<int, 3> seen{};
        for (int i = 0; i < c.Samples; ++i) {
            const int kings = RandomBetween(1, 3);
            const int strong = RandomBetween(0, 1), toMove = RandomBetween(0, 1);
            if (kings + 1 > SquareCount) continue;
            auto p = RandomEnding(c.Rules, kings, strong, toMove);
            ASSERT_TRUE(TKingEndings::Covers(*p));
            const int table = Score(endings.Probe(*p));
            ++seen[table > 0 ? 0 : table < 0 ? 2 : 1];
            ASSERT_EQ(table, ScoreFromMoves(endings, *p))
                << "rules " << static_cast<int>(c.Rules) << " board " << c.Rows << "x" << c.Files
                << " kings " << kings << " strong " << strong << " to move " << toMove;
        }
        // The samples met wins and losses, not draws alone.
        EXPECT_GT(seen[0], 0);
        EXPECT_GT(seen[2], 0);
    }
}

TEST(KingEndings, ThreeKingsAgainstOneOnEightByEight) {
    // Russian draughts: the lone king on the long diagonal holds three kings; off it, three
    // kings that hold the diagonal catch it.
    UseBoard(8, 8, false);
    TKingEndings endings;
    ASSERT_TRUE(endings.Build(*CreatePosition(TRules::Russian)));
    auto at = [](int file, int row) { return std::to_string(SquareOf(file, row)); };
    // White king on c3 (on the diagonal), Black kings on b8, d8 and h4.
    auto held =
        SetupBoard(TRules::Russian, 8, 8, false,
                   "W:" + at(3, 3) + " B:" + at(2, 8) + " B:" + at(4, 8) + " B:" + at(8, 4), Black);
    EXPECT_EQ(endings.Probe(*held).Kind, TKingEndingResult::TKind::Draw);
    // White king on a7, Black kings on a1 (on the diagonal), c1 and e1, Black to move.
    auto caught =
        SetupBoard(TRules::Russian, 8, 8, false,
                   "W:" + at(1, 7) + " B:" + at(1, 1) + " B:" + at(3, 1) + " B:" + at(5, 1), Black);
    const TKingEndingResult r = endings.Probe(*caught);
    EXPECT_EQ(r.Kind, TKingEndingResult::TKind::Win);
    EXPECT_LE(r.Plies, TGame::ThreeKingsPlies);
    // Tables are built only for boards where they stay small.
    UseBoard(10, 10, false);
    EXPECT_FALSE(TKingEndings().Build(*CreatePosition(TRules::International)));
}

TEST(KingEndings, TheMasterWinsThreeKingsAgainstOneBeforeTheDrawRule) {
    UseBoard(8, 8, false);
    auto at = [](int file, int row) { return std::to_string(SquareOf(file, row)); };
    auto root =
        SetupBoard(TRules::Russian, 8, 8, false,
                   "W:" + at(1, 7) + " B:" + at(1, 1) + " B:" + at(3, 1) + " B:" + at(5, 1), Black);
    TKingEndings endings;
    ASSERT_TRUE(endings.Build(*root));
    const int plies = endings.Probe(*root).Plies;
    ASSERT_GT(plies, 2);
    TMasterSearch search(4);
    TSearchState state;
    TMasterLimits limits;
    limits.Depth = 3;
    TMasterHistory history;
    root->ClearMoves();
    root->ClassifyNode(false);
    // Three plies of search reach the end through the tables.
    const TMasterResult won = search.Think(*root, history, limits, state, {}, false);
    EXPECT_EQ(won.Score, MasterWin - plies);
    // With the rule's count almost run out, the same position is a draw.
    history.ThreeKingsRun = TGame::ThreeKingsPlies - plies + 1;
    search.Clear();
    const TMasterResult drawn = search.Think(*root, history, limits, state, {}, false);
    EXPECT_EQ(drawn.Score, 0);
}
