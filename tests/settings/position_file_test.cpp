// Position files: the exact text written, round trips for every preset, what the reader
// tolerates, what it rejects (naming the line, changing nothing), safe saving, and the
// positions kept in the repository for the benchmark.
#include "game_settings.h"
#include "mathematics.h"
#include "position_file.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace quorvin;
using namespace quorvin::test;
namespace fs = std::filesystem;

namespace {

class PositionFileTest : public ::testing::Test {
  protected:
    fs::path Dir;

    void SetUp() override {
        Settings().RestoreDefaults();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Dir = fs::temp_directory_path() /
              ("quorvin_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::create_directories(Dir);
    }
    void TearDown() override {
        fs::remove_all(Dir);
        Settings().RestoreDefaults();
    }

    static std::string ReadText(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void WriteText(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    // The lines of a file as a reader sees them.
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t end = text.find("\r\n", pos);
            lines.push_back(text.substr(pos, end - pos));
            pos = end == std::string::npos ? text.size() : end + 2;
        }
        return lines;
    }

    static std::string Join(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines) text += line + "\r\n";
        return text;
    }

    // The text of a file holding the initial position of these rules and board.
    static std::string InitialFile(TRules rules, int rows, int files, bool coloring) {
        ApplyBoard(rules, rows, files, coloring);
        TGame game(rules);
        return FormatPositionFile(PositionFileOf(static_cast<int>(rules), game.CurrentPosition()));
    }

    static void ExpectSameBoard(const TPosition& a, const TPosition& b) {
        for (int s = 1; s <= SquareCount; ++s) {
            ASSERT_EQ(a.At(s).Empty, b.At(s).Empty) << "square " << s;
            if (!a.At(s).Empty) {
                EXPECT_EQ(a.At(s).Side, b.At(s).Side) << "square " << s;
                EXPECT_EQ(a.At(s).Kind, b.At(s).Kind) << "square " << s;
            }
        }
        EXPECT_EQ(a.SideToMove, b.SideToMove);
    }

    // The line a parse of the text is rejected at.
    static int RejectedAt(const std::string& text) {
        try {
            ParsePositionFile(text);
        } catch (const TPositionFileError& e) {
            const std::string prefix = "Line " + std::to_string(e.Line) + ":";
            EXPECT_EQ(std::string(e.what()).rfind(prefix, 0), 0u) << e.what();
            return e.Line;
        }
        ADD_FAILURE() << "accepted:\n" << text.substr(0, 40);
        return -1;
    }
};

// --- the text written ---

TEST_F(PositionFileTest, WritesTheDocumentedLines) {
    const auto lines = Lines(InitialFile(TRules::International, 10, 10, false));
    ASSERT_EQ(lines.size(), 4u + 3u * 51u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "10");
    EXPECT_EQ(lines[2], "10");
    EXPECT_EQ(lines[3], "FALSE");
    // Cell 0: White to move; square 1 a white man; square 21 empty; square 50 a black man.
    const auto cell = [&lines](int n) {
        const auto at = static_cast<std::size_t>(4 + 3 * n);
        return lines[at] + "," + lines[at + 1] + "," + lines[at + 2];
    };
    EXPECT_EQ(cell(0), "0,0,0");
    EXPECT_EQ(cell(1), "0,0,0");
    EXPECT_EQ(cell(21), "1,0,0");
    EXPECT_EQ(cell(50), "0,1,0");

    const std::string straight = InitialFile(TRules::Straight, 8, 8, false);
    EXPECT_EQ(straight.substr(0, 21), "3\r\n 8\r\n 8\r\nFALSE\r\n0\r\n");
    EXPECT_EQ(Lines(straight)[5], "1"); // Black moves first
    EXPECT_EQ(straight.substr(straight.size() - 2), "\r\n");

    EXPECT_EQ(Lines(InitialFile(TRules::Spanish, 8, 8, true))[3], "TRUE");
}

TEST_F(PositionFileTest, SquareCountAgreesWithTheGeometry) {
    for (int rows = MinSide; rows <= MaxSide; ++rows)
        for (int files = MinSide; files <= MaxSide; ++files)
            for (const bool coloring : {false, true}) {
                BuildGeometry(rows, files, coloring ? 0 : 1);
                EXPECT_EQ(SquareCountOf(rows, files, coloring), SquareCount)
                    << rows << " x " << files << (coloring ? " coloured" : "");
            }
}

// --- round trips ---

TEST_F(PositionFileTest, EveryPresetSurvivesSaveAndLoad) {
    for (const TPreset& preset : Presets) {
        SCOPED_TRACE(std::string(preset.Name));
        ApplyBoard(preset.Rules, preset.Rows, preset.Files, preset.Coloring);
        TGame saved(preset.Rules);
        const fs::path path = Dir / (std::string(preset.Name) + ".qvp");
        WritePositionFile(path.string(), static_cast<int>(preset.Rules), saved.CurrentPosition());

        ApplyBoard(TRules::Vorna, 5, 7, !preset.Coloring); // another board in between
        const TPositionFile file = ReadPositionFile(path.string());
        EXPECT_EQ(file.RulesIndex, static_cast<int>(preset.Rules));
        TGame loaded = ApplyPositionFile(file);

        EXPECT_EQ(Settings().Rules(), preset.Rules);
        EXPECT_EQ(Settings().Rows(), preset.Rows);
        EXPECT_EQ(Settings().Files(), preset.Files);
        EXPECT_EQ(Settings().Checked(TSetting::Coloring), preset.Coloring);
        EXPECT_EQ(BoardRows, preset.Rows);
        EXPECT_EQ(BoardFiles, preset.Files);
        EXPECT_EQ(loaded.Rules(), preset.Rules);
        ExpectSameBoard(loaded.CurrentPosition(), saved.CurrentPosition());
        EXPECT_EQ(ReadText(path), FormatPositionFile(PositionFileOf(static_cast<int>(preset.Rules),
                                                                    loaded.CurrentPosition())));
    }
}

TEST_F(PositionFileTest, LoadedPositionStartsANewRecordReadyForPlay) {
    // A middle-game position with kings and Black to move, saved from the middle of a game.
    const auto setup = SetupBoard(TRules::International, 10, 10, false,
                                  "w:31,32,33,36 W:7 b:16,17,18 B:45", Black);
    const std::string text = FormatPositionFile(PositionFileOf(1, *setup));

    const TGame game = ApplyPositionFile(ParsePositionFile(text));
    ASSERT_EQ(game.Count(), 1);
    EXPECT_FALSE(game.CanUndo());
    const TPosition& p = game.CurrentPosition();
    ExpectSameBoard(p, *setup);
    EXPECT_EQ(p.Opponent, White);
    EXPECT_EQ(p.SideToMove, Black);
    EXPECT_EQ(p.Moves.Count, 0);
    EXPECT_TRUE(p.BudgetFresh);
    EXPECT_EQ(p.Counts[White][Man], 4);
    EXPECT_EQ(p.Counts[White][King], 1);
    EXPECT_EQ(p.Counts[Black][Man], 3);
    EXPECT_EQ(p.Counts[Black][King], 1);
    EXPECT_TRUE(p.Consistent());
}

// --- what the reader tolerates ---

TEST_F(PositionFileTest, OnlyExactlyTrueChecksColoring) {
    // 5 x 5 has 13 squares with Coloring unchecked and 12 with it checked, so the line
    // decides how many cells the file must hold.
    const std::string unchecked = InitialFile(TRules::International, 5, 5, false);
    auto lines = Lines(unchecked);
    ASSERT_EQ(lines.size(), 4u + 3u * 14u);
    for (const std::string word : {"FALSE", "true", "True", "TRUE ", " TRUE", "", "1"}) {
        lines[3] = word;
        const TPositionFile file = ParsePositionFile(Join(lines));
        EXPECT_FALSE(file.Coloring) << '"' << word << '"';
        EXPECT_EQ(file.SquareCount, 13);
    }
    const auto checked = ParsePositionFile(InitialFile(TRules::International, 5, 5, true));
    EXPECT_TRUE(checked.Coloring);
    EXPECT_EQ(checked.SquareCount, 12);
}

TEST_F(PositionFileTest, RulesIndexOutsideTheListStillNamesRules) {
    auto lines = Lines(InitialFile(TRules::International, 8, 8, false));
    lines[0] = "8";
    TPositionFile file = ParsePositionFile(Join(lines));
    EXPECT_EQ(file.RulesIndex, 8);
    EXPECT_EQ(file.Rules, TRules::Italian);
    EXPECT_EQ(ApplyPositionFile(file).Rules(), TRules::Italian);
    EXPECT_EQ(Settings().Rules(), TRules::Italian);

    lines[0] = "-1";
    file = ParsePositionFile(Join(lines));
    EXPECT_EQ(file.RulesIndex, -1);
    EXPECT_EQ(file.Rules, TRules::International);
}

TEST_F(PositionFileTest, AnyNonZeroEmptyValueMakesAnEmptySquare) {
    auto lines = Lines(InitialFile(TRules::International, 8, 8, false));
    // Square 1 holds a white man: mark it empty with a strange value and a black king.
    lines[7] = "5";
    lines[8] = "1";
    lines[9] = "1";
    const TPositionFile file = ParsePositionFile(Join(lines));
    EXPECT_EQ(file.Cells[1].Empty, 1);
    EXPECT_EQ(file.Cells[1].Side, 0);
    EXPECT_EQ(file.Cells[1].Kind, 0);
    const TGame game = ApplyPositionFile(file);
    EXPECT_TRUE(game.CurrentPosition().IsEmpty(1));
    EXPECT_EQ(game.CurrentPosition().Counts[White][Man], 11);
    EXPECT_EQ(game.CurrentPosition().Counts[Black][King], 0);
}

TEST_F(PositionFileTest, AnEmptySentinelCellStillGivesTheSideToMove) {
    auto lines = Lines(InitialFile(TRules::International, 8, 8, false));
    lines[4] = "1"; // cell 0 written as empty
    lines[5] = "1";
    const TGame game = ApplyPositionFile(ParsePositionFile(Join(lines)));
    const TPosition& p = game.CurrentPosition();
    EXPECT_EQ(p.SideToMove, Black);
    EXPECT_TRUE(p.Consistent());
}

TEST_F(PositionFileTest, ReaderAcceptsBlanksOtherLineEndsAndTrailingLines) {
    auto lines = Lines(InitialFile(TRules::Spanish, 8, 8, true));
    lines[0] = " 2 ";
    lines[7] = "\t0";
    lines[8] = "+0";
    std::string lineFeeds;
    for (const auto& line : lines) lineFeeds += line + "\n";
    const TPositionFile file = ParsePositionFile(lineFeeds + "extra\nlines\n");
    EXPECT_EQ(file.Rules, TRules::Spanish);
    EXPECT_TRUE(file.Coloring);
    EXPECT_EQ(file.SquareCount, 32);
    EXPECT_FALSE(file.Cells[1].Empty);

    std::string noFinalBreak = Join(lines);
    noFinalBreak.resize(noFinalBreak.size() - 2);
    EXPECT_NO_THROW(ParsePositionFile(noFinalBreak));
}

// --- what the reader rejects ---

TEST_F(PositionFileTest, BadFilesAreRejectedNamingTheLine) {
    const auto good = Lines(InitialFile(TRules::International, 8, 8, false));
    ASSERT_EQ(good.size(), 4u + 3u * 33u);
    const auto with = [&good](std::size_t index, const std::string& value) {
        auto lines = good;
        lines[index] = value;
        return Join(lines);
    };

    EXPECT_EQ(RejectedAt(""), 1);
    EXPECT_EQ(RejectedAt(with(0, "International")), 1);
    EXPECT_EQ(RejectedAt(with(0, "")), 1);
    EXPECT_EQ(RejectedAt(with(0, "99999999999")), 1);
    EXPECT_EQ(RejectedAt(with(1, "13")), 2);
    EXPECT_EQ(RejectedAt(with(1, " 3")), 2);
    EXPECT_EQ(RejectedAt(with(2, "8.0")), 3);
    EXPECT_EQ(RejectedAt(with(2, "-8")), 3);
    EXPECT_EQ(RejectedAt("1\r\n 8\r\n 8\r\n"), 4);
    EXPECT_EQ(RejectedAt(with(4, "0x")), 5);   // cell 0, Empty
    EXPECT_EQ(RejectedAt(with(5, "2")), 6);    // cell 0, Side
    EXPECT_EQ(RejectedAt(with(14, "-1")), 15); // square 3, Side
    EXPECT_EQ(RejectedAt(with(15, "2")), 16);  // square 3, Kind
    EXPECT_EQ(RejectedAt(with(good.size() - 1, "")), static_cast<int>(good.size()));

    auto shorter = good;
    shorter.pop_back();
    EXPECT_EQ(RejectedAt(Join(shorter)), static_cast<int>(good.size()));
    // A file for 8 x 8 read as 10 x 10 runs out of lines.
    EXPECT_EQ(RejectedAt(with(1, "10")), static_cast<int>(good.size()) + 1);
}

TEST_F(PositionFileTest, RejectedFileChangesNothing) {
    ApplyBoard(TRules::Spanish, 8, 8, true);
    auto lines = Lines(InitialFile(TRules::Vorna, 8, 10, false));
    ApplyBoard(TRules::Spanish, 8, 8, true);
    lines[40] = "king";
    const fs::path path = Dir / "bad.qvp";
    WriteText(path, Join(lines));

    try {
        ReadPositionFile(path.string());
        FAIL() << "accepted";
    } catch (const TPositionFileError& e) {
        EXPECT_EQ(e.Line, 41);
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        // The file and the line are named once each.
        EXPECT_EQ(std::string(e.what()).rfind(path.string() + ", line 41: ", 0), 0u) << e.what();
        EXPECT_EQ(std::string(e.what()).find("line", std::string(e.what()).find("line 41") + 1),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(Settings().Rules(), TRules::Spanish);
    EXPECT_EQ(Settings().Files(), 8);
    EXPECT_EQ(BoardFiles, 8);
    EXPECT_EQ(SquareCount, 32);
}

TEST_F(PositionFileTest, MissingFileIsReported) {
    const fs::path path = Dir / "absent.qvp";
    try {
        ReadPositionFile(path.string());
        FAIL() << "read a missing file";
    } catch (const TPositionFileError& e) {
        EXPECT_EQ(e.Line, 0);
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open " + path.string() + ": ", 0), 0u)
            << e.what();
    }
}

// --- saving ---

TEST_F(PositionFileTest, FailedSaveLeavesNothingBehindAndNamesTheChosenFile) {
    ApplyBoard(TRules::International, 8, 8, false);
    TGame game(TRules::International);
    const fs::path taken = Dir / "taken.qvp";
    fs::create_directory(taken); // the name is taken by a folder: the rename fails
    const fs::path unreachable = Dir / "no" / "such.qvp"; // the temporary file cannot be made
    for (const fs::path& target : {taken, unreachable}) {
        SCOPED_TRACE(target.string());
        try {
            WritePositionFile(target.string(), 1, game.CurrentPosition());
            FAIL() << "saved";
        } catch (const std::runtime_error& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.rfind("Cannot ", 0), 0u) << text;
            EXPECT_NE(text.find(target.string() + ": "), std::string::npos) << text;
            EXPECT_EQ(text.find(".tmp"), std::string::npos) << text;
        }
    }
    EXPECT_TRUE(fs::is_directory(taken));
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator{}), 1);
}

TEST_F(PositionFileTest, SaveReplacesAnOlderFileWhole) {
    ApplyBoard(TRules::International, 10, 10, false);
    TGame big(TRules::International);
    const fs::path path = Dir / "game.qvp";
    WritePositionFile(path.string(), 1, big.CurrentPosition());
    ApplyBoard(TRules::Straight, 8, 8, false);
    TGame small(TRules::Straight);
    WritePositionFile(path.string(), 3, small.CurrentPosition());
    EXPECT_EQ(ReadText(path), FormatPositionFile(PositionFileOf(3, small.CurrentPosition())));
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator{}), 1);
}

// --- the positions kept for the benchmark ---

TEST_F(PositionFileTest, BenchPositionsLoadAndArePlayable) {
    const fs::path folder = fs::path(QUORVIN_SOURCE_DIR) / "data" / "Positions";
    std::set<TRules> families;
    std::set<std::pair<int, int>> boards;
    int withKings = 0;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".qvp") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++count;
        const TPositionFile file = ReadPositionFile(entry.path().string());
        EXPECT_TRUE(InRange(file.RulesIndex, 0, 3));
        TGame game = ApplyPositionFile(file);
        TPosition& p = game.CurrentPosition();
        p.BuildValueTable(false);
        p.Evaluate();
        EXPECT_EQ(p.ClassifyNode(false), NodeHasMoves);
        EXPECT_GT(p.Moves.Count, 1) << "no choice to search";
        // No man waits on its own crowning row, where it could not have arrived uncrowned.
        for (int s = 1; s <= SquareCount && file.Rules != TRules::Vorna; ++s) {
            if (!p.IsEmpty(s) && p.At(s).Kind == Man) {
                EXPECT_FALSE(PromotionRow[s][p.At(s).Side]) << "square " << s;
            }
        }
        families.insert(file.Rules);
        boards.insert({file.Rows, file.Files});
        withKings += p.Counts[White][King] + p.Counts[Black][King] > 0;
    }
    EXPECT_GE(count, 6);
    EXPECT_EQ(families.size(), 4u);
    EXPECT_GE(boards.size(), 3u);
    EXPECT_GE(withKings, 2);
}

} // namespace

TEST(PositionFileRead, OversizedFileIsRejectedAndNormalFileRead) {
    const fs::path path = fs::temp_directory_path() / "quorvin_oversized.qvp";
    {
        std::ofstream out(path, std::ios::binary);
        out << std::string((1 << 20) + 10, '0');
    }
    EXPECT_THROW(ReadPositionFile(path.string()), TPositionFileError);
    // A valid file longer than one read piece (trailing lines are ignored) still reads whole.
    ApplyBoard(TRules::International, 12, 12, false);
    auto p = CreatePosition(TRules::International);
    p->SetInitial();
    WritePositionFile(path.string(), 1, *p);
    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(10000, '\n');
    ASSERT_GT(fs::file_size(path), 2 * 4096u);
    const TPositionFile file = ReadPositionFile(path.string());
    EXPECT_EQ(file.Rows, 12);
    EXPECT_EQ(file.SquareCount, 72);
    fs::remove(path);
}
