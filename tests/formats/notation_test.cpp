// Square numbering of every preset against the PDN diagrams, the GameType tags, and the
// writing and reading of moves: the first moves of the games as their literature prints them,
// captures, and two captures between the same squares that only their paths tell apart.
#include "fen.h"
#include "notation.h"
#include "preset_boards.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace quorvin;
using quorvin::test::UsePreset;

namespace {

// The square of a cell written as a chess coordinate seen from White: "b10" is file 2, row 10.
int SquareOfCell(const TNotation& n, const std::string& cell) {
    return n.SquareAt(cell[0] - 'a' + 1, std::stoi(cell.substr(1)));
}

// The notation's name of the square on a cell.
std::string NameOfCell(const TNotation& n, const std::string& cell) {
    const int s = SquareOfCell(n, cell);
    EXPECT_NE(s, 0) << cell << " is no playing square";
    return n.SquareName(s);
}

// The sorted names of the legal moves of a position.
std::vector<std::string> LegalNames(const TNotation& n, TPosition& p) {
    p.ResetForReuse();
    p.ClassifyNode(false);
    std::vector<std::string> names;
    for (int i = 1; i <= p.Moves.Count; ++i) names.push_back(n.MoveName(p, i));
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<TPosition> Initial(TRules rules) {
    auto p = CreatePosition(rules);
    p->SetInitial();
    return p;
}

// Plays the move written `text` in p and answers the position after it.
std::unique_ptr<TPosition> Play(const TNotation& n, TPosition& p, const std::string& text) {
    p.ResetForReuse();
    p.ClassifyNode(false);
    const TMoveLookup found = n.FindMove(p, text);
    EXPECT_TRUE(found.Found()) << text << ": " << found.Message;
    auto child = p.NewPosition();
    if (found.Found()) child->PlayMove(p, found.Index);
    return child;
}

std::unique_ptr<TPosition> FromFen(const TNotation& n, const std::string& fen) {
    auto p = CreatePosition(n.Rules());
    ApplyFen(ParseFen(n, fen), *p);
    p->BuildValueTable(false);
    p->Evaluate();
    return p;
}

} // namespace

TEST(Notation, PresetsHaveTheirStandardGameTypes) {
    const std::pair<const char*, std::string> expected[] = {
        {"international", "20,W,10,10,N2,0"},
        {"straight", "21,B,8,8,N1,0"},
        {"spanish", "24,W,8,8,N1,1"},
        {"brazilian", "26,W,8,8,A0,0"},
        {"canadian", "27,W,12,12,N2,0"},
        {"russian", "25,W,8,8,A0,0"},
        {"pool", "23,B,8,8,N1,0"},
        {"czech", "29,W,8,8,A0,0"},
        {"italian", "22,W,8,8,N2,1"},
    };
    for (const auto& [preset, type] : expected) {
        const TNotation n = TNotation::ForPreset(*FindPreset(preset));
        EXPECT_TRUE(n.Standard()) << preset;
        EXPECT_EQ(n.PresetName(), preset);
        EXPECT_EQ(n.GameType().Text(), type) << preset;
        EXPECT_EQ(n.GameTypeTag(), type.substr(0, 2)) << preset;
        EXPECT_EQ(n.RulesTag(), "") << preset;
        // The game type's board is the preset's.
        EXPECT_EQ(n.GameType().Width, FindPreset(preset)->Files);
        EXPECT_EQ(n.GameType().Height, FindPreset(preset)->Rows);
        const TNotation back = TNotation::FromGameType(n.GameTypeTag());
        EXPECT_EQ(back.PresetName(), preset);
        EXPECT_EQ(back.Coloring(), FindPreset(preset)->Coloring) << preset;
    }
}

TEST(Notation, InternationalNumberingFollowsTheDiagram) {
    const TNotation n = UsePreset("international");
    // Square 1 in the far left corner seen from White, 46 on a1, rows of five.
    const std::pair<const char*, const char*> cells[] = {
        {"b10", "1"}, {"j10", "5"}, {"a9", "6"},  {"i9", "10"}, {"e5", "28"},
        {"f4", "33"}, {"a3", "36"}, {"d2", "42"}, {"j2", "45"}, {"a1", "46"},
        {"c1", "47"}, {"i1", "50"}, {"h6", "24"}, {"f8", "13"},
    };
    for (const auto& [cell, name] : cells) {
        EXPECT_EQ(NameOfCell(n, cell), name) << cell;
        EXPECT_EQ(n.SquareNamed(name), SquareOfCell(n, cell)) << name;
    }
}

TEST(Notation, StraightAndPoolCheckersAreNumberedFromBlacksSide) {
    for (const char* preset : {"straight", "pool"}) {
        const TNotation n = UsePreset(preset);
        // Black's pieces stand on 1..12, the single corners are 4 and 29, the double corners
        // 1-5 and 28-32.
        const std::pair<const char*, const char*> cells[] = {
            {"b8", "1"},  {"h8", "4"},  {"a7", "5"},  {"g7", "8"},  {"f6", "11"}, {"e5", "15"},
            {"d4", "18"}, {"c3", "22"}, {"h2", "28"}, {"a1", "29"}, {"g1", "32"},
        };
        for (const auto& [cell, name] : cells) {
            EXPECT_EQ(NameOfCell(n, cell), name) << preset << " " << cell;
            EXPECT_EQ(n.SquareNamed(name), SquareOfCell(n, cell)) << preset << " " << name;
        }
        const auto p = Initial(n.Rules());
        EXPECT_EQ(p->SideToMove, Black) << preset;
        for (int number = 1; number <= 12; ++number) {
            const TSquare q = p->At(n.SquareNumbered(number));
            EXPECT_TRUE(!q.Empty && q.Side == Black) << preset << " " << number;
            const TSquare w = p->At(n.SquareNumbered(number + 20));
            EXPECT_TRUE(!w.Empty && w.Side == White) << preset << " " << number + 20;
        }
    }
}

TEST(Notation, ItalianIsNumberedFromWhitesFarLeftCorner) {
    // The board turned as for Spanish checkers; square 1 in the far left corner seen from
    // White, who moves first from 21..32.
    const TNotation n = UsePreset("italian");
    const std::pair<const char*, const char*> cells[] = {
        {"a8", "1"},  {"g8", "4"},  {"b7", "5"},  {"h7", "8"},  {"a6", "9"},  {"d5", "14"},
        {"e4", "19"}, {"b3", "21"}, {"h3", "24"}, {"a2", "25"}, {"b1", "29"}, {"h1", "32"},
    };
    for (const auto& [cell, name] : cells) {
        EXPECT_EQ(NameOfCell(n, cell), name) << cell;
        EXPECT_EQ(n.SquareNamed(name), SquareOfCell(n, cell)) << name;
    }
    EXPECT_EQ(SquareOfCell(n, "a1"), 0); // the bottom left corner is not played on
    const auto p = Initial(TRules::Italian);
    EXPECT_EQ(p->SideToMove, White);
    EXPECT_EQ(p->At(n.SquareNumbered(21)).Side, White);
    EXPECT_EQ(p->At(n.SquareNumbered(12)).Side, Black);
}

TEST(Notation, SpanishIsNumberedFromWhitesRightHandCorner) {
    const TNotation n = UsePreset("spanish");
    const std::pair<const char*, const char*> cells[] = {
        {"h1", "1"},  {"b1", "4"},  {"g2", "5"},  {"a2", "8"},  {"h3", "9"},  {"e4", "14"},
        {"a4", "16"}, {"h7", "25"}, {"b7", "28"}, {"g8", "29"}, {"a8", "32"},
    };
    for (const auto& [cell, name] : cells) {
        EXPECT_EQ(NameOfCell(n, cell), name) << cell;
        EXPECT_EQ(n.SquareNamed(name), SquareOfCell(n, cell)) << name;
    }
    EXPECT_EQ(SquareOfCell(n, "a1"), 0); // the bottom left corner is not played on
    const auto p = Initial(TRules::Spanish);
    EXPECT_EQ(p->At(n.SquareNumbered(1)).Side, White);
    EXPECT_EQ(p->At(n.SquareNumbered(32)).Side, Black);
}

TEST(Notation, CanadianIsNumberedLikeInternational) {
    const TNotation n = UsePreset("canadian");
    const std::pair<const char*, const char*> cells[] = {
        {"b12", "1"}, {"l12", "6"}, {"a11", "7"}, {"k11", "12"}, {"a5", "43"},
        {"b6", "37"}, {"l2", "66"}, {"a1", "67"}, {"k1", "72"},
    };
    for (const auto& [cell, name] : cells) {
        EXPECT_EQ(NameOfCell(n, cell), name) << cell;
        EXPECT_EQ(n.SquareNamed(name), SquareOfCell(n, cell)) << name;
    }
}

TEST(Notation, BrazilianRussianAndCzechSquaresAreAlgebraic) {
    for (const char* preset : {"brazilian", "russian", "czech"}) {
        const TNotation n = UsePreset(preset);
        for (const char* cell : {"a1", "c1", "h2", "d4", "e5", "b8", "h8", "g7"}) {
            EXPECT_EQ(NameOfCell(n, cell), cell) << preset;
            EXPECT_EQ(n.SquareNamed(cell), SquareOfCell(n, cell)) << preset << " " << cell;
        }
        // Numbers are read as in the International diagram: 1 on b8, 32 on g1.
        EXPECT_EQ(n.SquareNamed("1"), SquareOfCell(n, "b8"));
        EXPECT_EQ(n.SquareNamed("32"), SquareOfCell(n, "g1"));
        EXPECT_EQ(n.SquareNamed("a2"), 0); // a light square
        // Beyond the board: no square, not another one further on.
        for (const char* name : {"i1", "r1", "a9", "a0", "a-1", "c1999999999"})
            EXPECT_EQ(n.SquareNamed(name), 0) << name;
    }
}

TEST(Notation, EverySquareOfEveryBoardHasANameThatReadsBack) {
    for (int rules = 0; rules < RulesCount; ++rules)
        for (int rows = MinSide; rows <= MaxSide; ++rows)
            for (int files = MinSide; files <= MaxSide; ++files)
                for (const bool coloring : {false, true}) {
                    const TNotation n =
                        TNotation::ForBoard(static_cast<TRules>(rules), rows, files, coloring);
                    BuildGeometry(rows, files, coloring ? 0 : 1);
                    ASSERT_TRUE(n.MatchesGeometry());
                    std::set<std::string> names;
                    for (int s = 1; s <= n.SquareCount(); ++s) {
                        // The notation's cells are the geometry's.
                        ASSERT_EQ(n.Cell(s), SquareCell[s]);
                        const std::string name = n.SquareName(s);
                        EXPECT_EQ(n.SquareNamed(name), s) << name;
                        names.insert(name);
                    }
                    EXPECT_EQ(static_cast<int>(names.size()), n.SquareCount());
                }
}

TEST(Notation, OwnNumberingIsDescribedByTheFullGameType) {
    const TNotation vorna = TNotation::ForPreset(*FindPreset("vorna"));
    EXPECT_FALSE(vorna.Standard());
    EXPECT_EQ(vorna.GameTypeTag(), "20,W,10,8,N0,0");
    EXPECT_EQ(vorna.RulesTag(), "Vorna");
    for (int s = 1; s <= vorna.SquareCount(); ++s)
        EXPECT_EQ(vorna.SquareName(s), std::to_string(s));

    // Black moves first in Straight checkers: square 1 is its top right corner.
    const TNotation straight = TNotation::ForBoard(TRules::Straight, 10, 10, false);
    EXPECT_EQ(straight.GameTypeTag(), "21,B,10,10,N3,0");
    EXPECT_EQ(straight.RulesTag(), "Straight");
    EXPECT_EQ(straight.SquareName(1), "1");
    // Coloring: a1 is no playing square, so the invert flag is set.
    EXPECT_EQ(TNotation::ForBoard(TRules::Spanish, 10, 10, true).GameTypeTag(), "24,W,10,10,N0,1");
    EXPECT_EQ(TNotation::ForBoard(TRules::International, 9, 7, false).GameTypeTag(),
              "20,W,7,9,N0,0");

    // Every board reads back from its tags as the same board in the same numbering.
    for (int rules = 0; rules < RulesCount; ++rules)
        for (int rows = MinSide; rows <= MaxSide; ++rows)
            for (int files = MinSide; files <= MaxSide; ++files)
                for (const bool coloring : {false, true}) {
                    const TNotation n =
                        TNotation::ForBoard(static_cast<TRules>(rules), rows, files, coloring);
                    const TNotation back = TNotation::FromGameType(n.GameTypeTag(), n.RulesTag());
                    ASSERT_EQ(back.Rules(), n.Rules());
                    ASSERT_EQ(back.Rows(), rows);
                    ASSERT_EQ(back.Files(), files);
                    ASSERT_EQ(back.Coloring(), coloring) << n.GameTypeTag();
                    ASSERT_EQ(back.PresetName(), n.PresetName());
                    for (int s = 1; s <= n.SquareCount(); ++s)
                        ASSERT_EQ(back.SquareName(s), n.SquareName(s));
                }
}

TEST(Notation, GameTypesThatNameNoBoardOfTheProgramAreRefused) {
    for (const char* type : {"28", "30", "abc", "", "20,W,10", "20,X,10,10,N2,0", "20,W,14,10,N2,0",
                             "20,W,10,10,N7,0", "20,W,10,10,S0,0", "20,B,10,10,N2,0", "99"})
        EXPECT_THROW(TNotation::FromGameType(type), TNotationError) << type;
    EXPECT_THROW(TNotation::FromGameType("20,W,10,8,N0,0", "Checkers"), TNotationError);
    try {
        TNotation::FromGameType("30");
        FAIL();
    } catch (const TNotationError& e) {
        EXPECT_NE(std::string(e.what()).find("Turkish"), std::string::npos) << e.what();
    }
    // Another numbering of a preset's board is read as such, not as the preset's.
    const TNotation bottom = TNotation::FromGameType("20,W,10,10,N0,0");
    EXPECT_FALSE(bottom.Standard());
    EXPECT_EQ(bottom.SquareName(bottom.SquareAt(1, 1)), "1");
    EXPECT_EQ(TNotation::FromGameType("21,B,8,8,N1,0").PresetName(), "straight");
    EXPECT_EQ(TNotation::FromGameType(" 24 ").PresetName(), "spanish");
}

TEST(Notation, ResultsAreWrittenInTheGameTypesForm) {
    const TNotation international = UsePreset("international");
    EXPECT_EQ(international.ResultText(TGameResult::WhiteWins), "2-0");
    EXPECT_EQ(international.ResultText(TGameResult::Draw), "1-1");
    EXPECT_EQ(international.ResultText(TGameResult::BlackWins), "0-2");
    EXPECT_EQ(international.ResultText(TGameResult::Unknown), "*");
    EXPECT_EQ(TNotation::ForPreset(*FindPreset("canadian")).ResultText(TGameResult::Draw), "1-1");
    // The first figure is the first mover's: Black's in English draughts.
    const TNotation straight = TNotation::ForPreset(*FindPreset("straight"));
    EXPECT_EQ(straight.ResultText(TGameResult::BlackWins), "1-0");
    EXPECT_EQ(straight.ResultText(TGameResult::WhiteWins), "0-1");
    EXPECT_EQ(straight.ResultText(TGameResult::Draw), "1/2-1/2");
    const TNotation brazilian = TNotation::ForPreset(*FindPreset("brazilian"));
    EXPECT_EQ(brazilian.ResultText(TGameResult::WhiteWins), "1-0");
    for (const TGameResult r : {TGameResult::WhiteWins, TGameResult::BlackWins, TGameResult::Draw,
                                TGameResult::Unknown}) {
        EXPECT_EQ(international.ParseResult(international.ResultText(r)), r);
        EXPECT_EQ(straight.ParseResult(straight.ResultText(r)), r);
    }
    EXPECT_EQ(international.ParseResult("1-0"), TGameResult::WhiteWins);
    EXPECT_EQ(straight.ParseResult("2-0"), TGameResult::BlackWins);
    EXPECT_EQ(straight.ParseResult("0-0"), TGameResult::Unknown);
}

TEST(Notation, FirstMovesAreWrittenAsInTheLiterature) {
    {
        const TNotation n = UsePreset("international");
        auto p = Initial(TRules::International);
        EXPECT_EQ(LegalNames(n, *p),
                  (std::vector<std::string>{"31-26", "31-27", "32-27", "32-28", "33-28", "33-29",
                                            "34-29", "34-30", "35-30"}));
        // 1. 32-28 19-23 2. 28x19 14x23: White's only move is the capture.
        auto a = Play(n, *p, "32-28");
        auto b = Play(n, *a, "19-23");
        EXPECT_EQ(LegalNames(n, *b), std::vector<std::string>{"28x19"});
        auto c = Play(n, *b, "28x19");
        const auto replies = LegalNames(n, *c);
        EXPECT_EQ(replies, (std::vector<std::string>{"13x24", "14x23"}));
    }
    {
        const TNotation n = UsePreset("straight");
        auto p = Initial(TRules::Straight);
        EXPECT_EQ(p->SideToMove, Black);
        EXPECT_EQ(LegalNames(n, *p), (std::vector<std::string>{"10-14", "10-15", "11-15", "11-16",
                                                               "12-16", "9-13", "9-14"}));
        // The Old Fourteenth: 1. 11-15 23-19 2. 8-11 22-17 3. 4-8 17-13 4. 15-18 24-20
        auto q = std::move(p);
        for (const char* move :
             {"11-15", "23-19", "8-11", "22-17", "4-8", "17-13", "15-18", "24-20"})
            q = Play(n, *q, move);
        EXPECT_EQ(FormatFen(n, *q),
                  "B:W13,19,20,21,25,26,27,28,29,30,31,32:B1,2,3,5,6,7,8,9,10,11,12,18");
    }
    {
        const TNotation n = UsePreset("spanish");
        auto p = Initial(TRules::Spanish);
        EXPECT_EQ(LegalNames(n, *p), (std::vector<std::string>{"10-13", "10-14", "11-14", "11-15",
                                                               "12-15", "12-16", "9-13"}));
    }
    {
        const TNotation n = UsePreset("brazilian");
        auto p = Initial(TRules::International);
        EXPECT_EQ(LegalNames(n, *p), (std::vector<std::string>{"a3-b4", "c3-b4", "c3-d4", "e3-d4",
                                                               "e3-f4", "g3-f4", "g3-h4"}));
        auto a = Play(n, *p, "c3-d4");
        auto b = Play(n, *a, "f6-e5");
        EXPECT_EQ(LegalNames(n, *b), std::vector<std::string>{"d4xf6"});
        // Numeric names and a missing separator are read too.
        EXPECT_TRUE(Play(n, *p, "22-18")->SameAs(*a));
        EXPECT_TRUE(Play(n, *p, "c3d4")->SameAs(*a));
    }
    {
        const TNotation n = UsePreset("canadian");
        auto p = Initial(TRules::International);
        const auto names = LegalNames(n, *p);
        EXPECT_EQ(names.size(), 11u);
        EXPECT_EQ(names.front(), "43-37");
        EXPECT_EQ(names.back(), "48-42");
    }
    // Russian and Czech draughts open as Brazilian does; captures are written with a colon in
    // Russian draughts and with an x in Czech draughts, every landing square written.
    for (const char* preset : {"russian", "czech"}) {
        const TNotation n = UsePreset(preset);
        auto p = Initial(n.Rules());
        EXPECT_EQ(LegalNames(n, *p), (std::vector<std::string>{"a3-b4", "c3-b4", "c3-d4", "e3-d4",
                                                               "e3-f4", "g3-f4", "g3-h4"}));
        // 1. c3-d4 f6-g5 2. g3-f4 b6-c5, as in the 2000 Czech championship (Krista - Ratusky).
        auto q = std::move(p);
        for (const char* move : {"c3-d4", "f6-g5", "g3-f4", "b6-c5"}) q = Play(n, *q, move);
        const bool russian = std::string(preset) == "russian";
        EXPECT_EQ(LegalNames(n, *q), std::vector<std::string>{russian ? "d4:b6" : "d4xb6"});
    }
    {
        // Pool checkers: Black moves first from 9..12, as in English draughts.
        const TNotation n = UsePreset("pool");
        auto p = Initial(TRules::Pool);
        EXPECT_EQ(LegalNames(n, *p), (std::vector<std::string>{"10-14", "10-15", "11-15", "11-16",
                                                               "12-16", "9-13", "9-14"}));
    }
    {
        // Italian draughts, the 2005 championship (Borghetti - Mascolo): 1. 21-17 12-15
        // 2. 23-19 11-14 3. 19x12 8x15.
        const TNotation n = UsePreset("italian");
        auto p = Initial(TRules::Italian);
        EXPECT_EQ(LegalNames(n, *p), (std::vector<std::string>{"21-17", "21-18", "22-18", "22-19",
                                                               "23-19", "23-20", "24-20"}));
        for (const char* move : {"21-17", "12-15", "23-19", "11-14"}) p = Play(n, *p, move);
        EXPECT_EQ(LegalNames(n, *p), std::vector<std::string>{"19x12"});
        p = Play(n, *p, "19x12");
        EXPECT_EQ(LegalNames(n, *p), (std::vector<std::string>{"7x16", "8x15"}));
    }
}

TEST(Notation, RussianMovesInTheirFullAndShortForms) {
    const TNotation n = UsePreset("russian");
    auto p = FromFen(n, "W:Wc3,Kh2:Bd4,f6,d6,b4");
    // A man's capture with every square it lands on, a king's single capture from start to end.
    EXPECT_EQ(LegalNames(n, *p),
              (std::vector<std::string>{"c3:a5", "c3:e5:c7", "c3:e5:g7", "h2:b8", "h2:c7"}));
    auto named = [&](const char* text) {
        const TMoveLookup found = n.FindMove(*p, text);
        return found.Found() ? n.MoveName(*p, found.Index) : found.Message;
    };
    // Full forms, from start to end, with the landing squares, with an x; short forms as the
    // books print them: the file the piece starts from, a colon, and where it ends.
    for (const char* text : {"c3:e5:g7", "c3:g7", "c3xe5xg7", "c:g7", "c:e5:g7", "C:g7"})
        EXPECT_EQ(named(text), "c3:e5:g7") << text;
    EXPECT_EQ(named("h:c7"), "h2:c7");
    EXPECT_EQ(named("h2:e5:c7"), "h2:c7");
    EXPECT_EQ(named("c:e5"), "illegal move \"c:e5\""); // the capture goes on
    EXPECT_EQ(named("cd4"), "illegal move \"cd4\"");   // a capture is compulsory

    // Simple moves: "cd4" is the piece on the c-file that can go to d4.
    auto q = FromFen(n, "W:Wa3,c3,e3,Kc5:Bh8");
    q->ClassifyNode(false);
    for (const auto& [text, name] :
         std::vector<std::pair<std::string, std::string>>{{"ab4", "a3-b4"},
                                                          {"ed4", "e3-d4"},
                                                          {"c5-d4", "c5-d4"},
                                                          {"c3\xE2\x80\x94"
                                                           "d4",
                                                           "c3-d4"},
                                                          {"e3\xE2\x80\x93"
                                                           "f4!",
                                                           "e3-f4"},
                                                          {"cb6", "c5-b6"}}) {
        const TMoveLookup found = n.FindMove(*q, text);
        ASSERT_TRUE(found.Found()) << text << ": " << found.Message;
        EXPECT_EQ(n.MoveName(*q, found.Index), name);
    }
    // Two pieces on the c-file can go to d4 and to b4: the short form says neither, and the
    // message names the moves it may be.
    const TMoveLookup both = n.FindMove(*q, "cd4");
    EXPECT_EQ(both.Status, TMoveLookup::TStatus::Ambiguous);
    EXPECT_EQ(both.Message, "ambiguous move \"cd4\": it may be c3-d4 or c5-d4");
    EXPECT_EQ(n.FindMove(*q, "cb4").Status, TMoveLookup::TStatus::Ambiguous);
    for (const char* text : {"gh4", "cf4", "c:d4"})
        EXPECT_EQ(n.FindMove(*q, text).Status, TMoveLookup::TStatus::Illegal) << text;
    for (const char* text : {"cd4:f6", "c:", "zd4", "c", "cd"})
        EXPECT_EQ(n.FindMove(*q, text).Status, TMoveLookup::TStatus::Unreadable) << text;
    // Numeric boards have no files to name.
    const TNotation international = UsePreset("international");
    auto r = Initial(TRules::International);
    r->ClassifyNode(false);
    EXPECT_EQ(international.FindMove(*r, "cd4").Status, TMoveLookup::TStatus::Unreadable);
}

TEST(Notation, TwoCapturesBetweenTheSameSquaresAreWrittenWithTheirPaths) {
    // The PDN standard's example: a white king on 47 takes four pieces ending on 36 by two
    // routes, over 33, 19 and 27 turning on 38, 24 and 13, or over 33, 14 and 27 turning on
    // 38, 20 and 9.
    const TNotation n = UsePreset("international");
    auto p = FromFen(n, "W:WK47:B42,33,19,14,27");
    const auto names = LegalNames(n, *p);
    EXPECT_NE(std::find(names.begin(), names.end(), "47x38x24x13x36"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "47x38x20x9x36"), names.end());
    for (const std::string& name : names) EXPECT_EQ(name.find("47x36"), std::string::npos);

    // Each path reads back to its own move, whose name it is.
    p->ResetForReuse();
    p->ClassifyNode(false);
    std::set<int> found;
    for (const char* path : {"47x38x24x13x36", "47x38x20x9x36"}) {
        const TMoveLookup lookup = n.FindMove(*p, path);
        ASSERT_TRUE(lookup.Found()) << lookup.Message;
        EXPECT_EQ(n.MoveName(*p, lookup.Index), path);
        const TMove m = p->Moves.GetMove(lookup.Index);
        std::set<std::string> taken;
        for (int k = 1; k <= m.CaptureCount; ++k) taken.insert(n.SquareName(m.Captured[k]));
        EXPECT_EQ(taken.count(std::string(path).find("x24x") != std::string::npos ? "19" : "14"),
                  1u)
            << path;
        found.insert(lookup.Index);
    }
    EXPECT_EQ(found.size(), 2u);

    // The start and end square alone do not tell them apart.
    const TMoveLookup both = n.FindMove(*p, "47x36");
    EXPECT_EQ(both.Status, TMoveLookup::TStatus::Ambiguous);
    EXPECT_NE(both.Message.find("47x36"), std::string::npos);
    // One square of the path is enough to choose, even where the standard writes none.
    const TMoveLookup viaNine = n.FindMove(*p, "47x9x36");
    ASSERT_TRUE(viaNine.Found());
    EXPECT_EQ(n.MoveName(*p, viaNine.Index), "47x38x20x9x36");
    // A square off both paths matches neither.
    EXPECT_EQ(n.FindMove(*p, "47x3x36").Status, TMoveLookup::TStatus::Illegal);
}

TEST(Notation, RoutesThatTakeTheSamePiecesAreOneMove) {
    // A king on 50 takes 44 and may land on 39, 33, 28 or 22 before it takes 17 further along
    // the same line: four routes that take the same pieces, so one move.
    const TNotation n = UsePreset("international");
    auto p = FromFen(n, "W:WK50:B44,17");
    p->ClassifyNode(false);
    ASSERT_GT(p->Moves.Count, 0);
    std::set<std::string> names;
    for (int i = 1; i <= p->Moves.Count; ++i) names.insert(n.MoveName(*p, i));
    // Every route ends on 11 or 6 behind 17; no path is needed.
    EXPECT_EQ(names, (std::set<std::string>{"50x11", "50x6"}));
    const TMoveLookup lookup = n.FindMove(*p, "50x11");
    ASSERT_TRUE(lookup.Found());
    // Written with a landing square, as older files do, it is still the same move.
    EXPECT_TRUE(n.FindMove(*p, "50x33x11").Found());
    EXPECT_TRUE(n.FindMove(*p, "50x39x11").Found());
}

TEST(Notation, AlongALineThePathNamesTheSquareJustBehindEachPiece) {
    // As in the standard's example, but with the second piece on 29 instead of 33: after
    // taking 42 the king may land on 38 or 33 and then take 29 straight on. Both routes are
    // written through 38, the square just behind 42, where the king need not have stopped.
    const TNotation n = UsePreset("international");
    auto p = FromFen(n, "W:WK47:B42,29,19,14,27");
    p->ClassifyNode(false);
    int viaLanding = 0;
    for (int i = 1; i <= p->Moves.Count; ++i) {
        const TMove m = p->Moves.GetMove(i);
        const std::string name = n.MoveName(*p, i);
        if (m.To != n.SquareNumbered(36)) continue;
        EXPECT_TRUE(name == "47x38x24x13x36" || name == "47x38x20x9x36") << name;
        if (m.Path[1] == n.SquareNumbered(33)) ++viaLanding;
        // Every name reads back to a move that takes the same pieces.
        const TMoveLookup back = n.FindMove(*p, name);
        ASSERT_TRUE(back.Found()) << name << ": " << back.Message;
        const TMove b = p->Moves.GetMove(back.Index);
        std::set<int> ta(m.Captured.begin() + 1, m.Captured.begin() + 1 + m.CaptureCount);
        std::set<int> tb(b.Captured.begin() + 1, b.Captured.begin() + 1 + b.CaptureCount);
        EXPECT_EQ(ta, tb) << name;
    }
    EXPECT_EQ(viaLanding, 2);
    // Older files name the landing square; that reads as well.
    EXPECT_TRUE(n.FindMove(*p, "47x33x24x13x36").Found());
}

TEST(Notation, TextsThatAreNoMovesAreReportedAsUnreadable) {
    const TNotation n = UsePreset("international");
    auto p = Initial(TRules::International);
    p->ClassifyNode(false);
    for (const char* text : {"", "32", "32-", "-28", "32--28", "abc", "32-28x", "e3-f4", "x"}) {
        const TMoveLookup lookup = n.FindMove(*p, text);
        EXPECT_EQ(lookup.Status, TMoveLookup::TStatus::Unreadable) << text;
        EXPECT_FALSE(lookup.Message.empty());
    }
    const TMoveLookup far = n.FindMove(*p, "32-51");
    EXPECT_EQ(far.Status, TMoveLookup::TStatus::Unreadable);
    EXPECT_NE(far.Message.find("51"), std::string::npos);
    for (const char* text : {"32-27x", "31-36", "28-32", "46-41", "32-23"})
        EXPECT_NE(n.FindMove(*p, text).Status, TMoveLookup::TStatus::Found) << text;
    EXPECT_EQ(n.FindMove(*p, "33-29").Status, TMoveLookup::TStatus::Found);
    EXPECT_EQ(n.FindMove(*p, "33-29!?").Status, TMoveLookup::TStatus::Found);
    EXPECT_EQ(n.FindMove(*p, "31-36").Status, TMoveLookup::TStatus::Illegal);
}
