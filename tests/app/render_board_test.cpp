// render_board as tests and people use it: the picture's size for presets, explicit boards
// and position files, "White side on top", and refusing bad arguments.
#include "app_test_support.h"
#include "position_file.h"
#include "rules.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

class RenderBoardTest : public testing::Test {
  protected:
    // Runs the tool with the arguments and --out; answers its exit code.
    int Run(QStringList args) {
        QProcess tool;
        args << "--out" << Out;
        tool.start(QStringLiteral(QUORVIN_RENDER_BOARD), args);
        if (!tool.waitForFinished(60000)) return -1;
        Errors = QString::fromLocal8Bit(tool.readAllStandardError());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

    QTemporaryDir Dir;
    QString Out = Dir.filePath("board.png");
    QString Errors;
};

TEST_F(RenderBoardTest, APresetIsFilesCellsWideAndRowsCellsHigh) {
    ASSERT_EQ(Run({"--preset", "vorna", "--cell", "30"}), 0) << Errors.toStdString();
    EXPECT_EQ(QImage(Out).size(), QSize(300, 240));
    ASSERT_EQ(Run({"--preset", "canadian"}), 0) << Errors.toStdString();
    EXPECT_EQ(QImage(Out).size(), QSize(480, 480));
}

TEST_F(RenderBoardTest, AnExplicitBoardAndItsOptions) {
    ASSERT_EQ(Run({"--rules", "3", "--rows", "6", "--files", "11", "--coloring", "--set", "4",
                   "--mark", "1", "--highlight", "3,4", "--king", "1", "--cell", "20"}),
              0)
        << Errors.toStdString();
    EXPECT_EQ(QImage(Out).size(), QSize(220, 120));
}

TEST_F(RenderBoardTest, WhiteSideOnTopTurnsTheBoardRound) {
    ASSERT_EQ(Run({"--preset", "brazilian", "--king", "1"}), 0);
    const QImage normal(Out);
    ASSERT_EQ(Run({"--preset", "brazilian", "--king", "1", "--top"}), 0);
    const QImage top(Out);
    ASSERT_EQ(normal.size(), top.size());
    // Square 1 (the king) moves from the bottom-left cell to the top-right one.
    EXPECT_EQ(DifferingPixels(normal.copy(0, 280, 40, 40), top.copy(280, 0, 40, 40)), 0);
    EXPECT_GT(DifferingPixels(normal, top), 0);
}

TEST_F(RenderBoardTest, APositionFileIsDrawnOnItsOwnBoard) {
    ResetApp(TRules::Vorna, 8, 10);
    auto position = CreatePosition(TRules::Vorna);
    position->SetInitial();
    const QString file = Dir.filePath("start.qvp");
    WritePositionFile(file.toStdString(), 0, *position);
    ASSERT_EQ(Run({"--file", file, "--cell", "25"}), 0) << Errors.toStdString();
    EXPECT_EQ(QImage(Out).size(), QSize(250, 200));
}

TEST_F(RenderBoardTest, BadArgumentsAreRefused) {
    EXPECT_NE(Run({"--preset", "nonsense"}), 0);
    EXPECT_NE(Run({"--rules", "1"}), 0);
    EXPECT_NE(Run({"--preset", "vorna", "--file", "x.qvp"}), 0);
    EXPECT_NE(Run({"--preset", "vorna", "--cell", "many"}), 0);
    EXPECT_NE(Run({"--file", Dir.filePath("missing.qvp")}), 0);
    EXPECT_FALSE(Errors.isEmpty());
}

} // namespace
} // namespace quorvin::test
