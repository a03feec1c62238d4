// The rule-independent position: initial arrangements, move making, marks and invariants.
#include "mathematics.h"
#include "rules.h"
#include "test_boards.h"
#include "vorna_position.h"

#include <gtest/gtest.h>

using namespace quorvin;
using namespace quorvin::test;

namespace {
std::unique_ptr<TPosition> Initial(TRules rules, int rows, int files, bool coloring) {
    UseBoard(rows, files, coloring);
    auto p = CreatePosition(rules);
    p->BuildValueTable(false);
    p->SetInitial();
    return p;
}
int CountSide(const TPosition& p, int side) {
    int n = 0;
    for (int s = 1; s <= SquareCount; ++s) n += !p.At(s).Empty && p.At(s).Side == side;
    return n;
}
} // namespace

TEST(Position, MenPerSideExamples) {
    EXPECT_EQ(Initial(TRules::International, 8, 8, false)->MenPerSide(), 12);
    EXPECT_EQ(Initial(TRules::International, 10, 10, false)->MenPerSide(), 20);
    EXPECT_EQ(Initial(TRules::International, 12, 12, false)->MenPerSide(), 30);
    EXPECT_EQ(Initial(TRules::International, 7, 8, false)->MenPerSide(), 12);
    EXPECT_EQ(Initial(TRules::Vorna, 8, 10, false)->MenPerSide(), 15);
    EXPECT_EQ(Initial(TRules::Vorna, 7, 7, false)->MenPerSide(), 7);
}

TEST(Position, InitialArrangement) {
    auto p = Initial(TRules::International, 8, 8, false);
    for (int s = 1; s <= 32; ++s) {
        const bool white = !p->At(s).Empty && p->At(s).Side == White;
        const bool black = !p->At(s).Empty && p->At(s).Side == Black;
        EXPECT_EQ(white, s <= 12) << s;
        EXPECT_EQ(black, s > 20) << s;
    }
    EXPECT_EQ(p->SideToMove, White);
    EXPECT_EQ(p->SideToMove, White);
    EXPECT_DOUBLE_EQ(p->Evaluation, 0.0);
    EXPECT_EQ(p->Counts[White][Man], 12);
    EXPECT_EQ(p->Counts[Black][Man], 12);

    EXPECT_EQ(Initial(TRules::Straight, 8, 8, false)->SideToMove, Black);

    // Files odd, rows divisible by 4: one side has one man more.
    auto odd = Initial(TRules::International, 8, 9, false);
    EXPECT_EQ(CountSide(*odd, White), CountSide(*odd, Black) + 1);
    auto oddChecked = Initial(TRules::International, 8, 9, true);
    EXPECT_EQ(CountSide(*oddChecked, Black), CountSide(*oddChecked, White) + 1);

    // Vorna on 8 x 10: fifteen men each on the first three rows, rows 4 and 5 empty.
    auto vorna = Initial(TRules::Vorna, 8, 10, false);
    EXPECT_EQ(CountSide(*vorna, White), 15);
    EXPECT_EQ(CountSide(*vorna, Black), 15);
    for (int s = 1; s <= SquareCount; ++s) {
        const int row = SquareCell[s][1];
        EXPECT_EQ(vorna->At(s).Empty != 0, row == 4 || row == 5) << s;
        EXPECT_EQ(vorna->At(s).Side, row <= 3 ? White : (row >= 6 ? Black : 0)) << s;
    }
}

TEST(Position, PlayMoveCrownsOnlyAtTheEnd) {
    // A White man on 27 reaches row 8 by a simple move: crowned, not a quiet king move.
    auto p = SetupBoard(TRules::International, 8, 8, false, "w:27 b:1", White);
    ASSERT_EQ(LegalMoves(*p), (std::vector<std::string>{"27-30", "27-31"}));
    p->ClassifyNode(false);
    auto child = p->NewPosition();
    child->PlayMove(*p, 1);
    const int to = p->Moves.GetMove(1).To;
    EXPECT_EQ(child->At(to).Kind, King);
    EXPECT_FALSE(child->QuietKingMove);
    EXPECT_EQ(child->Counts[White][King], 1);
    EXPECT_EQ(child->Counts[White][Man], 0);
    EXPECT_TRUE(child->Consistent());

    // A king's move without capture is quiet; a man's move is not.
    auto k = SetupBoard(TRules::International, 8, 8, false, "W:10 w:1 b:30", White);
    k->ClassifyNode(false);
    for (int i = 1; i <= k->Moves.Count; ++i) {
        auto c = k->NewPosition();
        c->PlayMove(*k, i);
        EXPECT_EQ(c->QuietKingMove, k->Moves.GetMove(i).From == 10);
    }
}

TEST(Position, CircularCaptureLeavesThePieceInPlace) {
    // A White king on 10 takes four men around it and may come back to 10.
    auto p = SetupBoard(TRules::International, 8, 8, false, "W:10 b:13,14,21,22", White);
    p->ClassifyNode(false);
    bool found = false;
    for (int i = 1; i <= p->Moves.Count; ++i) {
        const TMove m = p->Moves.GetMove(i);
        if (m.From != m.To) continue;
        found = true;
        auto c = p->NewPosition();
        c->PlayMove(*p, i);
        EXPECT_FALSE(c->At(m.From).Empty);
        EXPECT_EQ(c->At(m.From).Kind, King);
        for (int k = 1; k <= m.CaptureCount; ++k) EXPECT_TRUE(c->At(m.Captured[k]).Empty);
        EXPECT_TRUE(c->Consistent());
    }
    EXPECT_TRUE(found);
}

TEST(Position, ShortJumpersComeBackToTheirStartSquare) {
    // Around the same four men a man (International) and a one-square king (Straight
    // checkers) jump round and land where they started: the square they left is free.
    struct TCase {
        TRules Rules;
        const char* Board;
    };
    for (const TCase& c : {TCase{TRules::International, "w:10 b:13,14,21,22"},
                           TCase{TRules::Straight, "W:10 b:13,14,21,22"}}) {
        auto p = SetupBoard(c.Rules, 8, 8, false, c.Board, White);
        p->ClassifyNode(false);
        int circles = 0;
        for (int i = 1; i <= p->Moves.Count; ++i) {
            const TMove m = p->Moves.GetMove(i);
            if (m.From != 10 || m.To != 10) continue;
            ++circles;
            EXPECT_EQ(m.CaptureCount, 4);
        }
        // Round one way and round the other.
        EXPECT_EQ(circles, 2) << static_cast<int>(c.Rules);
    }
}

TEST(Position, SameAsIgnoresSideToMove) {
    auto a = SetupBoard(TRules::International, 8, 8, false, "w:1,2 b:30 B:31", White);
    auto b = SetupBoard(TRules::International, 8, 8, false, "w:1,2 b:30 B:31", Black);
    EXPECT_TRUE(a->SameAs(*b));
    auto c = SetupBoard(TRules::International, 8, 8, false, "w:1,2 b:30 b:31", White);
    EXPECT_FALSE(a->SameAs(*c));
}

TEST(Position, IncrementalEvaluationMatchesRecomputation) {
    // Play random games in every family with the positional table and compare each position's
    // evaluation and counts with a recomputation.
    SeedRandom(3);
    for (auto rules : {TRules::Vorna, TRules::International, TRules::Spanish, TRules::Straight}) {
        auto p = Initial(rules, 10, 10, false);
        p->BuildValueTable(true);
        p->Evaluate();
        for (int ply = 0; ply < 150; ++ply) {
            if (p->ClassifyNode(false) != NodeHasMoves) break;
            auto c = p->NewPosition();
            c->PlayMove(*p, RandomBetween(1, p->Moves.Count));
            ASSERT_TRUE(c->Consistent(1e-9)) << "rules " << int(rules) << " ply " << ply;
            p = std::move(c);
        }
    }
}
