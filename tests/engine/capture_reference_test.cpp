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

    bool Empty(int s) const { return s == Start || P.Board[s].Empty; }
    bool Enemy(int s) const {
        return s != 0 && s != Start && !P.Board[s].Empty && P.Board[s].Side != P.SideToMove &&
               !Taken[s];
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
        const bool king = P.Board[Start].Kind == King && Rules != TRules::Vorna;
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
            if (!P.Board[s].Empty && P.Board[s].Side == P.SideToMove) {
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

} // namespace

TEST(CaptureGenerators, AgreeWithAPlainRecursiveSearch) {
    SeedRandom(77);
    int compared = 0, withCaptures = 0, withKingCaptures = 0;
    for (auto rules : {TRules::Vorna, TRules::International, TRules::Spanish, TRules::Straight})
        for (int round = 0; round < 1500; ++round) {
            const int rows = RandomBetween(4, 12), files = RandomBetween(4, 12);
            const bool coloring = RandomBetween(0, 1) == 1;
            ApplyBoard(rules, rows, files, coloring);
            auto p = CreatePosition(rules);
            p->BuildValueTable(false);
            for (int s = 1; s <= SquareCount; ++s) {
                const int r = RandomBetween(0, 99);
                p->Board[s] = r < 50   ? EmptySquare
                              : r < 65 ? WhiteMan
                              : r < 80 ? BlackMan
                              : r < 90 ? WhiteKing
                                       : BlackKing;
            }
            p->SetSideToMove(RandomBetween(0, 1));
            p->MarkAllPieces();
            p->Evaluate();

            TReference reference(*p, rules);
            const std::vector<std::string> expected = reference.Sequences();
            // Leave out what the move list cannot hold: more moves than fit, or a sequence
            // longer than a move record takes.
            std::size_t longest = 0;
            for (const auto& c : reference.Captures) longest = std::max(longest, c.size());
            if (longest > MaxCaptureLength ||
                expected.size() * MoveSize(static_cast<int>(longest)) > MoveListBytes - 1)
                continue;

            EXPECT_EQ(p->GenerateCaptures(), !expected.empty());
            std::vector<std::string> generated = MoveTexts(*p, true);
            std::sort(generated.begin(), generated.end());
            ASSERT_EQ(generated, expected)
                << "rules " << int(rules) << " board " << rows << "x" << files
                << (coloring ? " coloring" : "") << " side " << int(p->SideToMove);
            ++compared;
            if (!expected.empty()) ++withCaptures;
            for (int i = 1; i <= p->Moves.Count; ++i)
                if (p->Board[p->Moves.FromOf(i)].Kind == King) {
                    ++withKingCaptures;
                    break;
                }
        }
    // The random boards must really exercise the generators, kings included.
    EXPECT_GT(compared, 5000);
    EXPECT_GT(withCaptures, 2000);
    EXPECT_GT(withKingCaptures, 1000);
}
