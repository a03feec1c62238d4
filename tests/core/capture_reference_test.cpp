// The capture generators against a plain recursive one, written here without any of their
// shortcuts (no marks, no piece sets, no lines of squares, no explicit stacks): random
// positions full of kings and men on boards of every size must give the same sequences.
#include "mathematics.h"
#include "move_list.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quorvin;
using namespace quorvin::test;

namespace {

struct TReference {
    TReference(const TPosition& p, TRules rules) : P(p), Rules(rules) {}

    const TPosition& P;
    TRules Rules;
    int Start = 0;
    std::vector<bool> Taken;
    std::vector<int> Path, Captured;
    std::vector<std::vector<int>> Paths, Captures;

    bool Empty(int s) const { return s == Start || P.At(s).Empty; }
    bool Enemy(int s) const {
        return s != 0 && s != Start && !P.At(s).Empty && P.At(s).Side != P.SideToMove && !Taken[s];
    }

    void Jump(int over, int landing) {
        Taken[over] = true;
        Path.push_back(landing);
        Captured.push_back(over);
        Walk(landing);
        Path.pop_back();
        Captured.pop_back();
        Taken[over] = false;
    }

    void Walk(int cur) {
        // Under Vorna every piece, a set-up king too, takes forwards only, one square at a
        // time; elsewhere kings take in every direction and fly but under Straight checkers.
        const bool king = P.At(Start).Kind == King && Rules != TRules::Vorna;
        const bool flying = king && Rules != TRules::Straight;
        const std::size_t before = Paths.size();
        for (int d = 0; d < 4; ++d) {
            const bool forward = P.SideToMove == White ? d < 2 : d >= 2;
            if (!king && Rules != TRules::International && !forward) continue;
            int v = Neighbour[cur][d];
            while (flying && v != 0 && Empty(v)) v = Neighbour[v][d];
            if (!Enemy(v)) continue;
            for (int t = Neighbour[v][d]; t != 0 && Empty(t); t = Neighbour[t][d]) {
                Jump(v, t);
                if (!flying) break;
            }
        }
        if (Paths.size() == before && !Captured.empty()) {
            Paths.push_back(Path);
            Captures.push_back(Captured);
        }
    }

    // Every sequence as "from x landing ... : taken, ...", the longest only where the rules
    // demand the majority.
    std::vector<std::string> Sequences() {
        Taken.assign(MaxSquares + 1, false);
        for (int s = 1; s <= SquareCount; ++s)
            if (!P.At(s).Empty && P.At(s).Side == P.SideToMove) {
                Start = s;
                Path = {s};
                Walk(s);
            }
        std::size_t longest = 0;
        for (const auto& c : Captures) longest = std::max(longest, c.size());
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < Paths.size(); ++i) {
            if (Rules != TRules::Straight && Captures[i].size() < longest) continue;
            std::string text = std::to_string(Paths[i][0]);
            for (std::size_t k = 1; k < Paths[i].size(); ++k)
                text.append("x").append(std::to_string(Paths[i][k]));
            text.append(":");
            for (std::size_t k = 0; k < Captures[i].size(); ++k)
                text.append(k ? "," : "").append(std::to_string(Captures[i][k]));
            texts.push_back(text);
        }
        std::sort(texts.begin(), texts.end());
        return texts;
    }
};

struct TTally {
    int Compared = 0, WithCaptures = 0, WithKingCaptures = 0, BeyondInlineRoom = 0;
};

// The generator's captures against the reference's, as sorted sets of texts.
void Compare(TPosition& p, TRules rules, TTally& tally) {
    TReference reference(p, rules);
    const std::vector<std::string> expected = reference.Sequences();
    std::size_t longest = 0;
    for (const auto& c : reference.Captures) longest = std::max(longest, c.size());
    if (longest > MaxCaptureLength) return; // longer than a move record takes

    EXPECT_EQ(p.GenerateCaptures(), !expected.empty());
    std::vector<std::string> generated = MoveTexts(p, true);
    std::sort(generated.begin(), generated.end());
    ASSERT_EQ(generated, expected)
        << "rules " << int(rules) << " board " << BoardRows << "x" << BoardFiles
        << (BoardColoringFlag == 0 ? " coloring" : "") << " side " << int(p.SideToMove);
    ++tally.Compared;
    if (!expected.empty()) ++tally.WithCaptures;
    for (int i = 1; i <= p.Moves.Count; ++i)
        if (p.At(p.Moves.FromOf(i)).Kind == King) {
            ++tally.WithKingCaptures;
            break;
        }
    tally.BeyondInlineRoom +=
        static_cast<int>(expected.size()) * MoveSize(p.Moves.CaptureLength()) > InlineMoveBytes;
}

} // namespace

TEST(CaptureGenerators, AgreeWithAPlainRecursiveSearch) {
    SeedRandom(77);
    TTally tally;
    for (auto rules : {TRules::Vorna, TRules::International, TRules::Spanish, TRules::Straight})
        for (int round = 0; round < 1500; ++round) {
            const int rows = RandomBetween(4, 12), files = RandomBetween(4, 12);
            const bool coloring = RandomBetween(0, 1) == 1;
            UseBoard(rows, files, coloring);
            auto p = CreatePosition(rules);
            p->BuildValueTable(false);
            p->SetSideToMove(RandomBetween(0, 1));
            Scatter(*p, 15, 15, 10, 10);
            Compare(*p, rules, tally);
            if (HasFatalFailure()) return;
        }
    // The random boards must really exercise the generators, kings included.
    EXPECT_GT(tally.Compared, 5000);
    EXPECT_GT(tally.WithCaptures, 2000);
    EXPECT_GT(tally.WithKingCaptures, 1000);
}

TEST(CaptureGenerators, KeepEveryRouteOfKingsAmongManyMen) {
    // A few kings among many enemy men on big boards: long routes, and now and then more of
    // them than the list holds inside the position.
    SeedRandom(78);
    TTally tally;
    for (auto rules : {TRules::International, TRules::Spanish, TRules::Straight})
        for (int round = 0; round < 3000; ++round) {
            const int rows = RandomBetween(10, 12), files = RandomBetween(10, 12);
            UseBoard(rows, files, RandomBetween(0, 1) == 1);
            auto p = CreatePosition(rules);
            p->BuildValueTable(false);
            p->SetSideToMove(White);
            Scatter(*p, 0, RandomBetween(15, 40), RandomBetween(1, 4), 0);
            Compare(*p, rules, tally);
            if (HasFatalFailure()) return;
        }
    EXPECT_GT(tally.WithKingCaptures, 5000);
    EXPECT_GE(tally.BeyondInlineRoom, 5);
}

TEST(CaptureGenerators, KeepThousandsOfRoutes) {
    // Boards grown by a search for the most captures, squares 1..72 of 12 x 12 (K a White
    // king, b a Black man): every route counts, and there are thousands of them.
    struct TCase {
        TRules Rules;
        const char* Squares;
        std::size_t Routes;
    };
    const TCase cases[] = {
        {TRules::International,
         "KKK.K..bb...Kb.b..b..bb.b.....b.....Kb.bbb.bb..b..K.bb..b....b..bbb.Kb.b", 11010},
        {TRules::Straight,
         "K.....K....K.bbbbb.......bbbbb.......bbbbb.......bbbbb......bbbbbbK....K", 15864},
    };
    for (const TCase& c : cases) {
        UseBoard(12, 12, false);
        auto p = CreatePosition(c.Rules);
        p->BuildValueTable(false);
        p->SetSideToMove(White);
        for (int s = 1; s <= SquareCount; ++s)
            p->Put(s, c.Squares[s - 1] == 'K'   ? WhiteKing
                      : c.Squares[s - 1] == 'b' ? BlackMan
                                                : EmptySquare);
        p->ClearMoves();
        p->Evaluate();
        TTally tally;
        Compare(*p, c.Rules, tally);
        EXPECT_EQ(p->Moves.Count, static_cast<int>(c.Routes)) << int(c.Rules);
        EXPECT_EQ(tally.BeyondInlineRoom, 1);
    }
}
