// Rules of the four families, position by position: the expected set of moves (and in a few
// places their exact order, which decides the engine's choice among equal moves).
//
// 8 x 8 squares (Coloring off), White at the bottom:
//   row 8: 29 30 31 32    row 4: 13 14 15 16
//   row 7: 25 26 27 28    row 3:  9 10 11 12
//   row 6: 21 22 23 24    row 2:  5  6  7  8
//   row 5: 17 18 19 20    row 1:  1  2  3  4
#include "draughts_position.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

using namespace quorvin;
using namespace quorvin::test;

namespace {
using TList = std::vector<std::string>;

std::unique_ptr<TPosition> Board8(TRules rules, const std::string& pieces, int side = White) {
    return SetupBoard(rules, 8, 8, false, pieces, side);
}

TList Ordered(TPosition& p, bool withTaken = false) {
    p.Moves.Count = 0;
    p.ClassifyNode(false);
    return MoveTexts(p, withTaken);
}

std::unique_ptr<TPosition> Play(const TPosition& p, const std::string& text) {
    auto copy = p.Clone();
    copy->Moves.Count = 0;
    copy->ClassifyNode(false);
    for (int i = 1; i <= copy->Moves.Count; ++i)
        if (MoveText(copy->Moves.GetMove(i)) == text) {
            auto child = copy->NewPosition();
            child->PlayMove(*copy, i);
            return child;
        }
    ADD_FAILURE() << "no move " << text;
    return copy;
}
} // namespace

TEST(InternationalRules, SimpleMovesInOrder) {
    auto p = Board8(TRules::International, "w:10 W:1 b:30");
    // Start square ascending, then direction, then nearer destinations first.
    EXPECT_EQ(Ordered(*p), (TList{"1-5", "10-13", "10-14"}));
    auto k = Board8(TRules::International, "W:14 b:32");
    EXPECT_EQ(Ordered(*k), (TList{"14-18", "14-21", "14-25", "14-19", "14-23", "14-28", "14-11",
                                  "14-7", "14-4", "14-10", "14-5", "14-1"}));
}

TEST(InternationalRules, MenCaptureBackwardsButSpanishMenDoNot) {
    const std::string pieces = "w:19 b:14,32";
    EXPECT_EQ(LegalMoves(*Board8(TRules::International, pieces)), (TList{"19x10"}));
    EXPECT_EQ(LegalMoves(*Board8(TRules::Spanish, pieces)), (TList{"19-22", "19-23"}));
    EXPECT_EQ(LegalMoves(*Board8(TRules::Straight, pieces)), (TList{"19-22", "19-23"}));
}

TEST(InternationalRules, CrownedOnlyWhenTheMoveEndsOnTheLastRow) {
    // 23 takes 27 landing on 30 (the last row) and must go on taking 26 backwards to 21.
    auto p = Board8(TRules::International, "w:23 b:27,26,1");
    EXPECT_EQ(LegalMoves(*p), (TList{"23x30x21"}));
    auto after = Play(*p, "23x30x21");
    EXPECT_EQ(after->At(21).Kind, Man);
    EXPECT_TRUE(after->At(26).Empty && after->At(27).Empty);

    // Spanish men cannot take backwards: the capture stops on the last row and crowns.
    auto s = Board8(TRules::Spanish, "w:23 b:27,26,1");
    EXPECT_EQ(LegalMoves(*s), (TList{"23x30"}));
    auto crowned = Play(*s, "23x30");
    EXPECT_EQ(crowned->At(30).Kind, King);
    EXPECT_FALSE(crowned->QuietKingMove);
}

TEST(InternationalRules, FlyingKingLandsFarthestFirst) {
    auto p = Board8(TRules::International, "W:1 b:10 w:28");
    EXPECT_EQ(Ordered(*p), (TList{"1x23", "1x19", "1x14"}));
    // A continuation from one landing square only: the majority rule keeps that sequence,
    // with its own landing squares farthest first.
    auto q = Board8(TRules::International, "W:1 b:10,15 w:28");
    EXPECT_EQ(Ordered(*q), (TList{"1x19x8", "1x19x12"}));
}

TEST(InternationalRules, TakenPieceBlocksTheKing) {
    // The king may not fly back over 19 once it has taken it, so 10 cannot be added.
    auto p = Board8(TRules::International, "W:14 b:19,10");
    EXPECT_EQ(LegalMoves(*p, true),
              (TList{"14x1:10", "14x23:19", "14x28:19", "14x32:19", "14x5:10"}));
}

TEST(InternationalRules, CircularCaptureEndsOnTheStartSquare) {
    auto p = Board8(TRules::International, "W:10 b:13,14,21,22");
    bool circular = false;
    for (const auto& m : LegalMoves(*p, true)) {
        EXPECT_EQ(std::count(m.begin(), m.end(), 'x'), 4) << m; // the majority rule: four
        circular |= m.rfind("10x", 0) == 0 && m.find("x10:") != std::string::npos;
    }
    EXPECT_TRUE(circular);
}

TEST(InternationalRules, MajorityCountsPiecesNotKings) {
    // 1 takes two men; 4 takes one king. Two men outweigh one king.
    const std::string pieces = "w:1,3 b:5,14 B:7";
    EXPECT_EQ(LegalMoves(*Board8(TRules::International, pieces), true), (TList{"1x10x19:5,14"}));
    // Two sequences of two pieces each are both offered.
    EXPECT_EQ(LegalMoves(*Board8(TRules::International, "w:1,32 b:5,14,28,27")),
              (TList{"1x10x19", "32x23x30"}));
    // Spanish keeps the majority rule.
    EXPECT_EQ(LegalMoves(*Board8(TRules::Spanish, "w:1,3 b:5,14 B:7")), (TList{"1x10x19"}));
}

TEST(InternationalRules, NoCaptureOffersTheSimpleMoves) {
    auto p = Board8(TRules::International, "w:1,2 W:3 b:30");
    EXPECT_FALSE(p->GenerateCaptures());
    EXPECT_EQ(p->Moves.Count, 0);
    EXPECT_EQ(p->ClassifyNode(false), NodeHasMoves);
    EXPECT_EQ(p->Moves.CaptureLength(), 0);
    EXPECT_GT(p->Moves.Count, 0);
}

TEST(StraightRules, AnyCaptureSequenceWithRepacking) {
    // The one-piece capture is found first; the two-piece one then widens the list's stride
    // and the first capture is kept, readable, in front.
    auto p = Board8(TRules::Straight, "w:2,4 b:5,7,14");
    EXPECT_EQ(Ordered(*p, true), (TList{"2x9:5", "4x11x18:7,14"}));
    EXPECT_EQ(p->Moves.CaptureLength(), 2);
}

TEST(StraightRules, KingsStepOneSquare) {
    auto p = Board8(TRules::Straight, "W:1 b:14");
    EXPECT_EQ(LegalMoves(*p), (TList{"1-5"}));
    auto q = Board8(TRules::Straight, "W:10 b:14,22");
    EXPECT_EQ(LegalMoves(*q), (TList{"10x19x26"})); // backwards and forwards, no majority
    auto r = Board8(TRules::Straight, "W:19 b:14");
    EXPECT_EQ(LegalMoves(*r), (TList{"19x10"})); // a king captures backwards
    auto flying = Board8(TRules::International, "W:1 b:14");
    EXPECT_EQ(LegalMoves(*flying), (TList{"1x19", "1x23", "1x28", "1x32"}));
}

TEST(StraightRules, ManCapturingOntoTheLastRowStopsAndIsCrowned) {
    auto p = Board8(TRules::Straight, "w:23 b:27,26");
    EXPECT_EQ(LegalMoves(*p), (TList{"23x30"}));
    EXPECT_EQ(Play(*p, "23x30")->At(30).Kind, King);
}

TEST(StraightRules, KingBonusAndFirstMover) {
    UseBoard(8, 8, false);
    auto p = CreatePosition(TRules::Straight);
    p->SetInitial();
    EXPECT_EQ(p->SideToMove, Black);
    EXPECT_DOUBLE_EQ(p->KingBonus(9, White) - p->KingBonus(14, White), -0.2); // edge vs centre
    EXPECT_DOUBLE_EQ(p->KingBonus(26, White), -0.2); // the opponent's back two rows
    EXPECT_DOUBLE_EQ(p->KingValue(), 1.6);
    UseBoard(8, 8, false);
    auto d = CreatePosition(TRules::International);
    d->SetInitial();
    EXPECT_NEAR(p->ManBonus(10, White), d->ManBonus(10, White) / 3.0, 1e-12);
}

TEST(SpanishRules, KingsStillFlyAndCaptureBackwards) {
    auto p = Board8(TRules::Spanish, "W:32 b:14");
    EXPECT_EQ(Ordered(*p), (TList{"32x1", "32x5", "32x10"}));
    auto q = Board8(TRules::Spanish, "W:19 b:14 w:30");
    EXPECT_EQ(LegalMoves(*q), (TList{"19x1", "19x10", "19x5"}));
}

TEST(DraughtsEvaluation, EndgameAndKingTerms) {
    // 10 x 10 without kings: the endgame starts at 15 men in all.
    UseBoard(10, 10, false);
    auto d = SetupBoard(TRules::International, 10, 10, false,
                        "w:1,2,3,4,5,6,7,8 b:50,49,48,47,46,45,44", White);
    auto* draughts = static_cast<TDraughtsPosition*>(d.get());
    EXPECT_TRUE(draughts->IsEndgame());
    EXPECT_DOUBLE_EQ(d->KingValue(), 3.1);
    auto e = SetupBoard(TRules::International, 10, 10, false,
                        "w:1,2,3,4,5,6,7,8 b:50,49,48,47,46,45,44,43", White);
    EXPECT_FALSE(static_cast<TDraughtsPosition*>(e.get())->IsEndgame());
    EXPECT_DOUBLE_EQ(e->KingValue(), 2.9);
    EXPECT_DOUBLE_EQ(e->KingBonus(1, White), 0.2); // (1,1) is on a long diagonal
    // r = 1 and r = 2 of the bonus table.
    EXPECT_DOUBLE_EQ(e->ManBonus(41, White), 0.4); // row 9, on the left edge
    EXPECT_DOUBLE_EQ(e->ManBonus(42, White), 0.8);
    EXPECT_DOUBLE_EQ(e->ManBonus(40, White), 0.1); // row 8, right edge
    EXPECT_DOUBLE_EQ(e->ManBonus(36, White), 0.2);
    // A square board only: no king bonus anywhere on 8 x 10.
    auto v = SetupBoard(TRules::International, 8, 10, false, "w:1", White);
    for (int s = 1; s <= SquareCount; ++s) EXPECT_EQ(v->KingBonus(s, White), 0.0);
}

TEST(VornaRules, ForwardCapturesOnly) {
    // Black pieces behind a White man: no capture, only forward moves.
    auto p = Board8(TRules::Vorna, "w:14 b:10,11,32");
    EXPECT_EQ(LegalMoves(*p), (TList{"14-18", "14-19"}));
    auto q = Board8(TRules::Vorna, "w:10 b:14,32");
    EXPECT_EQ(LegalMoves(*q), (TList{"10x19"}));
}

TEST(VornaRules, TakenPiecesChangeSides) {
    auto p = Board8(TRules::Vorna, "w:1 b:5,14,32");
    EXPECT_EQ(LegalMoves(*p), (TList{"1x10x19"}));
    auto after = Play(*p, "1x10x19");
    EXPECT_EQ(after->At(5).Side, White);
    EXPECT_EQ(after->At(14).Side, White);
    EXPECT_FALSE(after->At(5).Empty || after->At(14).Empty);
    EXPECT_TRUE(after->At(1).Empty);
    EXPECT_EQ(after->Counts[White][Man], 3);
    EXPECT_EQ(after->Counts[Black][Man], 1);
    EXPECT_TRUE(after->Consistent());
}

TEST(VornaRules, MajorityAlwaysAndLongestSequencesOnly) {
    auto p = Board8(TRules::Vorna, "w:1,3 b:5,14,7,32");
    EXPECT_EQ(LegalMoves(*p), (TList{"1x10x19"}));
    // Higher direction first at every level.
    auto q = Board8(TRules::Vorna, "w:10 b:13,14,30");
    EXPECT_EQ(Ordered(*q), (TList{"10x19", "10x17"}));
}

TEST(VornaRules, NoCrowningAndBlockedMen) {
    auto p = Board8(TRules::Vorna, "w:22 b:26,3");
    EXPECT_EQ(LegalMoves(*p), (TList{"22x29"}));
    auto after = Play(*p, "22x29");
    EXPECT_EQ(after->At(29).Kind, Man);
    // White's men all stand on the last row or are blocked: no move, the side has lost.
    auto stuck = Board8(TRules::Vorna, "w:29,30,1 b:5,10,25");
    stuck->Moves.Count = 0;
    EXPECT_EQ(stuck->ClassifyNode(false), NodeLost);
    // A king placed by hand moves like a man and is priced as a king.
    auto k = Board8(TRules::Vorna, "W:10 b:32");
    EXPECT_EQ(LegalMoves(*k), (TList{"10-13", "10-14"}));
}

TEST(InternationalRules, FlyingKingWithManyLandingSquaresOnTwelveByTwelve) {
    // A king in the middle of 12 x 12 with an enemy man on each side and open diagonals
    // behind them: far more landing squares at one level than a man ever has.
    UseBoard(12, 12, false);
    // (6,6) is square 33; its neighbours are (5,7), (7,7), (7,5), (5,5).
    auto p = SetupBoard(TRules::International, 12, 12, false, "W:33 b:39,40,28,27 w:1", White);
    ASSERT_EQ(SquareCell[33], (std::array<int, 2>{6, 6}));
    const auto moves = LegalMoves(*p, true);
    int count = 0;
    for (const auto& m : moves) count += m.rfind("33x", 0) == 0;
    // Behind the four men: 4 + 5 + 4 + 3 landing squares, and none allows a second capture.
    EXPECT_EQ(count, 16) << moves.size();
    EXPECT_EQ(moves.size(), 16u);
}

TEST(InternationalRules, EveryOneOfManyLongCapturesIsKept) {
    // 32 routes of seven pieces each on 10 x 10: more than the list holds inside the
    // position. The last one found was the one lost, and with it a way to end on 9.
    auto p = SetupBoard(TRules::International, 10, 10, false, "W:18 b:15,22,24,25,28,32,38,44,45",
                        White);
    const auto moves = Ordered(*p, true);
    ASSERT_EQ(moves.size(), 32u);
    for (const auto& m : moves) EXPECT_EQ(std::count(m.begin(), m.end(), 'x'), 7) << m;
    EXPECT_EQ(moves.back(), "18x29x43x26x17x34x20x9:24,38,32,22,28,25,15");
    auto after = Play(*p, "18x29x43x26x17x34x20x9");
    EXPECT_EQ(after->At(9).Kind, King);
    EXPECT_EQ(after->Counts[Black][Man], 2); // 44 and 45 are left
    EXPECT_TRUE(after->Consistent());
}

// The later families' special rules, each in a position beside a family without the rule.
struct TRuleCase {
    const char* Rule;
    TRules Rules;
    bool Coloring;
    const char* Pieces;
    TList Moves;
};

TEST(LaterFamilies, SpecialRulesGiveExactlyTheseMoves) {
    const std::array<TRuleCase, 16> cases{{
        // A man reaching the crowning row during a capture: in Russian draughts it goes on as
        // a flying king (over b6 from d8); in Pool checkers it stops there.
        {"crowned mid-capture", TRules::Russian, false, "w:23 b:27,21", {"23x30x17"}},
        {"no crowning mid-capture", TRules::Pool, false, "w:23 b:27,21", {"23x30"}},
        // The Russian king may land on either square behind c7; the Pool man jumps back as a
        // man and lands on b6 only.
        {"crowned, lands anywhere",
         TRules::Russian,
         false,
         "w:23 b:27,26",
         {"23x30x17", "23x30x21"}},
        {"goes on as a man", TRules::Pool, false, "w:23 b:27,26", {"23x30x21"}},
        // A flying king under free choice must land where the capture goes on.
        {"king must go on", TRules::Russian, false, "W:1 b:10,22", {"1x19x26", "1x19x29"}},
        // Czech draughts: the king's capture comes first, though the man's takes more; with no
        // king able to capture, the man's is played; Russian lets either be chosen.
        {"king captures first", TRules::Czech, false, "W:29 w:9,15 b:13,22", {"29x19"}},
        {"then men", TRules::Czech, false, "w:9,15 b:13,22", {"9x18x27"}},
        {"free choice", TRules::Russian, false, "W:29 w:9,15 b:13,22", {"29x19", "9x18x27"}},
        // Italian draughts: a man does not take a king.
        {"men spare kings", TRules::Italian, false, "w:10 B:14", {"10-13"}},
        {"men take kings", TRules::Spanish, false, "w:10 B:14", {"10x19"}},
        // The order of Italian captures: the most pieces; a king's capture before a man's; the
        // most kings taken; the king met earliest. Straight checkers lets any be chosen.
        {"most pieces", TRules::Italian, false, "w:9,11 b:13,15,22", {"9x18x27"}},
        {"king before man", TRules::Italian, false, "w:9 W:11 b:13,15", {"11x20"}},
        {"any capture", TRules::Straight, false, "w:9 W:11 b:13,15", {"11x20", "9x18"}},
        {"most kings", TRules::Italian, false, "W:9,11 b:13 B:15", {"11x20"}},
        {"king earliest", TRules::Italian, false, "W:10 b:13,23 B:14,21", {"10x19x28"}},
        {"in any order", TRules::Straight, false, "W:10 b:13,23 B:14,21", {"10x17x26", "10x19x28"}},
    }};
    for (const auto& c : cases) {
        auto p = SetupBoard(c.Rules, 8, 8, c.Coloring, c.Pieces, White);
        EXPECT_EQ(LegalMoves(*p), c.Moves) << c.Rule;
    }
}

TEST(LaterFamilies, CrowningDuringACaptureLastsToTheEndOfTheMove) {
    auto russian = Board8(TRules::Russian, "w:23 b:27,26");
    EXPECT_EQ(Play(*russian, "23x30x21")->At(21).Kind, King);
    auto pool = Board8(TRules::Pool, "w:23 b:27,26");
    EXPECT_EQ(Play(*pool, "23x30x21")->At(21).Kind, Man);
    auto ends = Board8(TRules::Pool, "w:23 b:27,21");
    EXPECT_EQ(Play(*ends, "23x30")->At(30).Kind, King);
}

TEST(LaterFamilies, FirstMoverAndMen) {
    for (const auto& [rules, first] : {std::pair{TRules::Russian, White},
                                       {TRules::Pool, Black},
                                       {TRules::Czech, White},
                                       {TRules::Italian, White}}) {
        UseBoard(8, 8, rules == TRules::Italian);
        auto p = CreatePosition(rules);
        p->SetInitial();
        EXPECT_EQ(p->SideToMove, first);
        EXPECT_EQ(p->Counts[White][Man], 12);
        EXPECT_EQ(p->Counts[Black][Man], 12);
    }
}
