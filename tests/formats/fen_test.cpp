// FEN both ways: the initial positions of the presets, the forms a FEN is read in (ranges and
// other programs' move counters among them), the faults it is refused for, and random
// positions of every rule family on every board size, always written square by square.
#include "fen.h"
#include "preset_boards.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using namespace quorvin;
using quorvin::test::UsePreset;

namespace {

std::string InitialFen(const char* preset) {
    const TNotation n = UsePreset(preset);
    auto p = CreatePosition(n.Rules());
    p->SetInitial();
    return FormatFen(n, *p);
}

// The FEN of men on the squares w1..w2 and b1..b2, square by square: "W:W31,32:B1,2".
std::string MenOn(char side, int w1, int w2, int b1, int b2) {
    std::string text(1, side);
    for (const auto& [letter, first, last] : {std::tuple{":W", w1, w2}, std::tuple{":B", b1, b2}}) {
        text += letter;
        for (int s = first; s <= last; ++s) {
            if (s > first) text += ',';
            text += std::to_string(s);
        }
    }
    return text;
}

// Cells of a read FEN as the FEN of a position holding them.
std::string Rewritten(const TNotation& n, const std::string& fen) {
    auto p = CreatePosition(n.Rules());
    ApplyFen(ParseFen(n, fen), *p);
    return FormatFen(n, *p);
}

} // namespace

TEST(Fen, InitialPositionsOfThePresets) {
    EXPECT_EQ(InitialFen("international"), MenOn('W', 31, 50, 1, 20));
    EXPECT_EQ(InitialFen("canadian"), MenOn('W', 43, 72, 1, 30));
    EXPECT_EQ(InitialFen("straight"), "B:W21,22,23,24,25,26,27,28,29,30,31,32:"
                                      "B1,2,3,4,5,6,7,8,9,10,11,12");
    EXPECT_EQ(InitialFen("spanish"), MenOn('W', 1, 12, 21, 32));
    for (const char* preset : {"brazilian", "russian", "czech"})
        EXPECT_EQ(InitialFen(preset), "W:Wa1,c1,e1,g1,b2,d2,f2,h2,a3,c3,e3,g3:"
                                      "Bb6,d6,f6,h6,a7,c7,e7,g7,b8,d8,f8,h8")
            << preset;
    EXPECT_EQ(InitialFen("pool"), MenOn('B', 21, 32, 1, 12));
    EXPECT_EQ(InitialFen("italian"), MenOn('W', 21, 32, 1, 12));
    // Vorna has no standard numbering: the program's own, 15 men a side on 8 x 10.
    EXPECT_EQ(InitialFen("vorna"), MenOn('W', 1, 15, 26, 40));
}

TEST(Fen, KingsAreMarkedAndEverySquareIsListed) {
    const TNotation n = UsePreset("international");
    const std::string fen = "B:WK10,K15,18,24,27,28:B12,16,20,K22,K25,K29";
    const TFenPosition read = ParseFen(n, fen);
    EXPECT_EQ(read.SideToMove, Black);
    const TSquare k10 = read.Cells[n.SquareNumbered(10)];
    EXPECT_TRUE(!k10.Empty && k10.Side == White && k10.Kind == King);
    const TSquare m18 = read.Cells[n.SquareNumbered(18)];
    EXPECT_TRUE(!m18.Empty && m18.Side == White && m18.Kind == Man);
    const TSquare k22 = read.Cells[n.SquareNumbered(22)];
    EXPECT_TRUE(!k22.Empty && k22.Side == Black && k22.Kind == King);
    EXPECT_TRUE(read.Cells[n.SquareNumbered(11)].Empty);
    // Written back in square order, kings among the men.
    EXPECT_EQ(Rewritten(n, fen), "B:WK10,K15,18,24,27,28:B12,16,20,K22,K25,K29");
    // Runs of men are written square by square too: some readers drop a range.
    EXPECT_EQ(Rewritten(n, "W:W31,32,K33,34,35,36:B1-4"), "W:W31,32,K33,34,35,36:B1,2,3,4");
}

TEST(Fen, EveryUsualFormIsRead) {
    const TNotation n = UsePreset("international");
    const std::string initial = MenOn('W', 31, 50, 1, 20), noBlack = MenOn('W', 31, 50, 1, 0);
    for (const char* form :
         {"W:W31-50:B1-20", "W:B1-20:W31-50", "w:W31-50:B1-20", " W : W31-50 : B1-20 ",
          "W:W31-50:B1-20.", "W:W31,32,33,34,35,36,37,38,39,40,41-50:B1-5,6-10,11-20",
          "W:W31-35,36-40,41-45,46-50:B01-20",
          // The move counters that some programs append are ignored.
          "W:W31-50:B1-20:H0:F1", "W:W31-50:B1-20:H12", "W:W31-50:B1-20 : F7 .",
          "W:W31-50:B1-20:h0:f1", "W:W31-50:H0:B1-20"})
        EXPECT_EQ(Rewritten(n, form), initial) << form;
    // A side without pieces, written or left out.
    EXPECT_EQ(Rewritten(n, "W:W31-50:B"), noBlack);
    EXPECT_EQ(Rewritten(n, "W:W31-50"), noBlack);
    EXPECT_EQ(Rewritten(n, "W:W31-50:H0:F1"), noBlack);
    EXPECT_EQ(Rewritten(n, "B:W:BK1"), "B:W:BK1");
    EXPECT_EQ(Rewritten(n, "W"), "W:W:B");
    // Kings in a range, and single squares as ranges.
    EXPECT_EQ(Rewritten(n, "W:WK1-3,7-7:B50"), "W:WK1,K2,K3,7:B50");

    const TNotation brazilian = UsePreset("brazilian");
    // Numbers on an algebraic board count as on the International diagram.
    EXPECT_EQ(Rewritten(brazilian, "W:W21-32:B1-12"), InitialFen("brazilian"));
    EXPECT_EQ(Rewritten(brazilian, "B:WKa1:Bh8"), "B:WKa1:Bh8");
}

TEST(Fen, FaultsAreRefusedWithTheirReason) {
    const TNotation n = UsePreset("international");
    const std::pair<const char*, const char*> faults[] = {
        {"", "side to move"},       {"X:W1:B2", "side to move"}, {"W:W51:B1", "51"},
        {"W:W0:B1", "\"0\""},       {"W:W1,1:B2", "twice"},      {"W:W1:B1", "twice"},
        {"W:W5-3:B1", "backwards"}, {"W:W1:W2", "twice"},        {"W:Z1", "W or B"},
        {"W:W1-:B2", "range"},      {"W:W1,,2:B3", "\"\""},      {"W:WK:B3", "\"\""},
        {"W:Wa1:B3", "a1"},         {"W:W1-60:B", "51"},
    };
    for (const auto& [fen, reason] : faults) {
        try {
            ParseFen(n, fen);
            ADD_FAILURE() << fen << " was read";
        } catch (const TNotationError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos)
                << fen << ": " << e.what();
        }
    }
}

TEST(Fen, RandomPositionsOfEveryFamilyAndBoardSizeReadBack) {
    std::mt19937 random(20240611);
    int positions = 0;
    for (int rules = 0; rules < RulesCount; ++rules)
        for (int rows = MinSide; rows <= MaxSide; ++rows)
            for (int files = MinSide; files <= MaxSide; ++files)
                for (const bool coloring : {false, true}) {
                    BuildGeometry(rows, files, (coloring) ? 0 : 1);
                    const TNotation n =
                        TNotation::ForBoard(static_cast<TRules>(rules), rows, files, coloring);
                    for (int round = 0; round < 3; ++round) {
                        auto p = CreatePosition(n.Rules());
                        const int fill = static_cast<int>(random() % 5); // sparse to full
                        for (int s = 1; s <= SquareCount; ++s) {
                            const unsigned r = random() % 8;
                            TSquare q = EmptySquare;
                            if (static_cast<int>(r) < fill + 1)
                                q = TSquare{0, static_cast<std::uint8_t>(random() % 2),
                                            static_cast<std::uint8_t>(random() % 2)};
                            p->Put(s, q);
                        }
                        p->SetSideToMove(static_cast<int>(random() % 2));
                        p->Evaluate();
                        const std::string fen = FormatFen(n, *p);
                        ASSERT_EQ(fen.find('-'), std::string::npos) << fen; // no ranges
                        const TFenPosition read = ParseFen(n, fen);
                        ASSERT_EQ(read.SideToMove, p->SideToMove) << fen;
                        for (int s = 1; s <= SquareCount; ++s) {
                            const TSquare a = p->At(s), b = read.Cells[s];
                            ASSERT_EQ(a.Empty, b.Empty) << fen << " square " << s;
                            if (!a.Empty) {
                                ASSERT_EQ(a.Side, b.Side) << fen << " square " << s;
                                ASSERT_EQ(a.Kind, b.Kind) << fen << " square " << s;
                            }
                        }
                        auto q = CreatePosition(n.Rules());
                        ApplyFen(read, *q);
                        EXPECT_TRUE(q->SameAs(*p));
                        EXPECT_TRUE(q->Consistent());
                        ++positions;
                    }
                }
    EXPECT_EQ(positions, RulesCount * 9 * 9 * 2 * 3);
}

TEST(Fen, TheBoardOfAFenIsFoundAmongThePresets) {
    const TNotation straight = TNotation::ForPreset(*FindPreset("straight"));
    // Fits the current board: kept.
    EXPECT_EQ(NotationForFen(straight, "B:W21-32:B1-12").PresetName(), "straight");
    // Squares beyond 32: the first preset that has them.
    EXPECT_EQ(NotationForFen(straight, "W:W31-50:B1-20").PresetName(), "international");
    EXPECT_EQ(NotationForFen(straight, "W:W43-72:B1-30").PresetName(), "canadian");
    EXPECT_EQ(NotationForFen(straight, "W:Wc3:Bf6").PresetName(), "brazilian");
    EXPECT_THROW(NotationForFen(straight, "W:W99:B1"), TNotationError);
}
