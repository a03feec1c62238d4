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
    bool KingNow = false; // the walking piece is (or, in Russian draughts, has become) a king
    std::vector<bool> Taken;
    std::vector<int> Path, Captured;
    std::vector<std::vector<int>> Paths, Captures;
    std::vector<bool> ByKing;

    bool Empty(int s) const { return s == Start || P.At(s).Empty; }
    bool Enemy(int s) const {
        return s != 0 && s != Start && !P.At(s).Empty && P.At(s).Side != P.SideToMove && !Taken[s];
    }
    bool MenTakeBackwards() const {
        return Rules == TRules::International || Rules == TRules::Russian || Rules == TRules::Pool;
    }
    bool Flying() const { return KingNow && Rules != TRules::Straight && Rules != TRules::Italian; }
    bool FreeChoice() const {
        return Rules == TRules::Straight || Rules == TRules::Russian || Rules == TRules::Pool ||
               Rules == TRules::Czech;
    }
    // Under Italian rules a man may not take a king.
    bool MayTake(int s) const {
        return Enemy(s) && (KingNow || Rules != TRules::Italian || P.At(s).Kind != King);
    }

    // The first piece along direction d from cur that this piece could take, 0 if none; and
    // the free squares behind it it could land on.
    int Target(int cur, int d, std::vector<int>& landings) const {
        landings.clear();
        const bool forward = P.SideToMove == White ? d < 2 : d >= 2;
        if (!KingNow && !MenTakeBackwards() && !forward) return 0;
        int v = Neighbour[cur][d];
        while (Flying() && v != 0 && Empty(v)) v = Neighbour[v][d];
        if (!MayTake(v)) return 0;
        for (int t = Neighbour[v][d]; t != 0 && Empty(t); t = Neighbour[t][d]) {
            landings.push_back(t);
            if (!Flying()) break;
        }
        return landings.empty() ? 0 : v;
    }

    bool CanTakeFrom(int cur) const {
        std::vector<int> landings;
        for (int d = 0; d < 4; ++d)
            if (Target(cur, d, landings) != 0) return true;
        return false;
    }

    void Jump(int over, int landing) {
        Taken[over] = true;
        Path.push_back(landing);
        Captured.push_back(over);
        // A Russian man on the crowning row is a king from there on.
        const bool wasKing = KingNow;
        if (Rules == TRules::Russian && PromotionRow[landing][P.SideToMove]) KingNow = true;
        Walk(landing);
        KingNow = wasKing;
        Path.pop_back();
        Captured.pop_back();
        Taken[over] = false;
    }

    void Walk(int cur) {
        const std::size_t before = Paths.size();
        std::vector<int> landings;
        for (int d = 0; d < 4; ++d) {
            const int over = Target(cur, d, landings);
            if (over == 0) continue;
            // Under free choice a flying king lands where it can go on, if it can anywhere.
            if (Flying() && FreeChoice()) {
                Taken[over] = true;
                std::vector<int> goingOn;
                for (int t : landings)
                    if (CanTakeFrom(t)) goingOn.push_back(t);
                Taken[over] = false;
                if (!goingOn.empty()) landings = goingOn;
            }
            for (int t : landings) Jump(over, t);
        }
        if (Paths.size() == before && !Captured.empty()) {
            Paths.push_back(Path);
            Captures.push_back(Captured);
            ByKing.push_back(P.At(Start).Kind == King);
        }
    }

    // The rank of a sequence under Italian rules: pieces, a king capturing, kings taken, and
    // how early the first king falls.
    std::vector<int> Rank(std::size_t i) const {
        int kings = 0, first = 0;
        for (std::size_t k = 0; k < Captures[i].size(); ++k)
            if (P.At(Captures[i][k]).Kind == King) {
                ++kings;
                if (first == 0) first = static_cast<int>(k) + 1;
            }
        return {static_cast<int>(Captures[i].size()), ByKing[i] ? 1 : 0, kings,
                first == 0 ? 0 : 100 - first};
    }

    // Every sequence as "from x landing ... : taken, ...", filtered by the rules' obligations.
    std::vector<std::string> Sequences() {
        Taken.assign(MaxSquares + 1, false);
        for (int s = 1; s <= SquareCount; ++s)
            if (!P.At(s).Empty && P.At(s).Side == P.SideToMove) {
                Start = s;
                Path = {s};
                // Under Vorna every piece, a set-up king too, takes as a man.
                KingNow = P.At(s).Kind == King && Rules != TRules::Vorna;
                Walk(s);
            }
        std::size_t longest = 0;
        std::vector<int> best;
        bool kingTakes = false;
        for (std::size_t i = 0; i < Paths.size(); ++i) {
            longest = std::max(longest, Captures[i].size());
            best = std::max(best, Rank(i));
            kingTakes = kingTakes || ByKing[i];
        }
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < Paths.size(); ++i) {
            if (!FreeChoice() && Rules != TRules::Italian && Captures[i].size() < longest) continue;
            if (Rules == TRules::Italian && Rank(i) != best) continue;
            if (Rules == TRules::Czech && kingTakes && !ByKing[i]) continue;
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
    for (int r = 0; r < RulesCount; ++r)
        for (int round = 0; round < 1000; ++round) {
            const auto rules = static_cast<TRules>(r);
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
    for (auto rules : {TRules::International, TRules::Spanish, TRules::Straight, TRules::Russian,
                       TRules::Czech, TRules::Italian})
        for (int round = 0; round < 2000; ++round) {
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
