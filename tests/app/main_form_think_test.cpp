// The window while the engine thinks: it keeps repainting, it refuses to close, and Break
// calculation ends the search at once; against the computer's own search it hands the
// computer's side to a human, and for the adviser it only releases the adviser button.
//
// "At once" is counted in positions, not milliseconds: the search visits no position after
// a Break but the one it was at, however slow the machine (a loaded machine, sanitizers).
#include "game_settings.h"
#include "screen_geometry.h"
#include "window_test_support.h"

#include "draw.h"
#include "human_move.h"
#include "think.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace quorvin::test {
namespace {

constexpr int TenSecondsPerMove = 12;
// How long the computer's turn may go on after Break calculation on any machine, a loaded
// one or one running sanitizers included: far below the ten seconds the level would go on
// thinking for if Break did not end the search.
constexpr int BreakToEndLimitMs = 2000;

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
  public:
    int Count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Count;
        return false;
    }
};

class ThinkTest : public TWindowTest {};

TEST_F(ThinkTest, BreakCalculationStopsTheComputerAtOnce) {
    Settings().Set(TSetting::OpponentLevel, TenSecondsPerMove);
    TPaintCounter paints;
    Form->Board().installEventFilter(&paints);
    int paintsBefore = -1, paintsDuring = -1;
    bool refusedToClose = false, stopEnabled = false, thinking = false;
    long long positionsAtBreak = -1;
    QElapsedTimer sinceBreak, searching;
    // Measured from the moment the search is first seen running.
    auto searchedFor = [&](int ms) {
        if (!Searching()) return false;
        if (!searching.isValid()) searching.start();
        return searching.elapsed() >= ms;
    };

    When([&] { return searchedFor(300); },
         [&] {
             thinking = Form->IsThinking();
             paintsBefore = paints.Count;
             Form->Board().update(); // an ordinary repaint request while the engine runs
             refusedToClose = !Form->close() && Form->isVisible();
         });
    When([&] { return searchedFor(600); },
         [&] {
             paintsDuring = paints.Count;
             stopEnabled = Form->StopButton()->isEnabled();
             sinceBreak.start();
             QTest::mouseClick(Form->StopButton(), Qt::LeftButton);
             // Served from inside the search, which stands at a position now.
             positionsAtBreak = ThinkSearchState().Nodes;
         });
    QElapsedTimer total;
    total.start();
    Click(3, 3);
    Click(4, 4); // returns when the computer's turn is over
    const qint64 breakToEnd = sinceBreak.elapsed();
    const long long positionsAfterBreak = ThinkSearchState().Nodes - positionsAtBreak;

    ASSERT_TRUE(sinceBreak.isValid());
    RecordProperty("BreakToEndMs", static_cast<int>(breakToEnd));
    RecordProperty("PositionsAfterBreak", static_cast<int>(positionsAfterBreak));
    EXPECT_TRUE(thinking);
    EXPECT_TRUE(stopEnabled);
    EXPECT_GT(paintsDuring, paintsBefore);
    EXPECT_TRUE(refusedToClose);
    EXPECT_GT(positionsAtBreak, 0);
    EXPECT_LE(positionsAfterBreak, 1) << "the search went on after Break calculation";
    EXPECT_LT(breakToEnd, BreakToEndLimitMs) << "Break calculation took " << breakToEnd << " ms";
    EXPECT_LT(total.elapsed(), 5000);
    // No move was played, and the computer's side now belongs to a human.
    EXPECT_EQ(Game().Current(), 2);
    EXPECT_EQ(Now().SideToMove, Black);
    EXPECT_EQ(Settings().Get(TSetting::Sides), 0);
    EXPECT_EQ(Form->MoverPicture(TPanel::Up), QString::fromLatin1(":/Glyphs/Human.png"));
    EXPECT_EQ(Form->Mode(), TMode::Play);
    EXPECT_FALSE(Form->IsThinking());
    EXPECT_FALSE(Form->StopButton()->isEnabled());
    // Black's human player takes over; after the search the window closes again.
    ClickMove(Now().Moves.GetMove(1));
    EXPECT_EQ(Game().Current(), 3);
    EXPECT_TRUE(Form->close());
}

TEST_F(ThinkTest, BreakingTheAdviserReleasesItsButtonAndPlaysNothing) {
    Settings().Set(TSetting::HinterLevel, TenSecondsPerMove);
    bool buttonDownWhileThinking = false;
    When([this] { return Searching(); },
         [&] {
             buttonDownWhileThinking = Form->AdviserButton()->isChecked() && Form->IsThinking();
             QTest::mouseClick(Form->StopButton(), Qt::LeftButton);
         });
    QTest::mouseClick(Form->AdviserButton(), Qt::LeftButton);

    EXPECT_TRUE(buttonDownWhileThinking);
    EXPECT_FALSE(Form->AdviserButton()->isChecked());
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_EQ(Settings().Get(TSetting::Sides), 1); // the human's side stays the human's
    EXPECT_EQ(Form->Mode(), TMode::Play);
}

TEST_F(ThinkTest, TheAdviserPlaysForTheHumanUntilItsButtonIsReleased) {
    Settings().Set(TSetting::HinterLevel, 2);
    int movesWhenReleased = 0;
    bool busyWhenReleased = false;
    When([this] { return Form->Mode() == TMode::Busy && Game().Current() >= 3; },
         [&] {
             movesWhenReleased = Game().Current();
             busyWhenReleased = Form->Mode() == TMode::Busy;
             // Released while the engine runs: no second search, honoured at the next turn.
             QTest::mouseClick(Form->AdviserButton(), Qt::LeftButton);
         });
    QTest::mouseClick(Form->AdviserButton(), Qt::LeftButton);

    EXPECT_TRUE(busyWhenReleased);
    EXPECT_FALSE(Form->AdviserButton()->isChecked());
    // The adviser moved for White at least once, each time answered by the computer, and
    // the window now waits for the human.
    EXPECT_GE(Game().Current(), 3);
    EXPECT_GE(Game().Current(), movesWhenReleased);
    EXPECT_EQ(Now().SideToMove, White);
    EXPECT_EQ(Form->Mode(), TMode::Play);
    EXPECT_FALSE(Form->IsGameOver());
}

TEST_F(ThinkTest, AdviceMarksAMoveWithoutPlayingIt) {
    Settings().Set(TSetting::HinterLevel, 2);
    ClickAction(TActionId::Advice);
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_EQ(Form->Sounds().PlayCount(TSound::Advice), 1);
    EXPECT_EQ(Form->Mode(), TMode::Play);
    // The advised squares stay marked on the board until the next click.
    const QImage marked = Form->Board().Canvas().copy();
    ASSERT_EQ(SquareAt(1, 1, Orientation()), 0);
    ClickCell(0, 0); // a light cell: no move, but the marks go
    EXPECT_NE(Form->Board().Canvas(), marked);
}

TEST_F(ThinkTest, TheComputerOpensWhenItPlaysWhite) {
    Settings().Set(TSetting::Sides, 2);
    ClickAction(TActionId::NewGame);
    EXPECT_EQ(Game().Current(), 2);
    EXPECT_EQ(Now().SideToMove, Black);
    EXPECT_EQ(Form->MoverPicture(TPanel::Down), QString::fromLatin1(":/Glyphs/Computer.png"));
    EXPECT_EQ(Form->MoverPicture(TPanel::Up), QString::fromLatin1(":/Glyphs/Human.png"));
    EXPECT_EQ(Form->SidePicture(TPanel::Up), QString::fromLatin1(":/Glyphs/Black.png"));
    EXPECT_EQ(Form->SidePicture(TPanel::Down), QString::fromLatin1(":/Glyphs/Empty.png"));
}

} // namespace
} // namespace quorvin::test
