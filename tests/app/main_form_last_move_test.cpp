// "Last move" in the main window: off at first, with the board looking as it always did; once
// checked, the origin and landing squares of the move that led to the position shown stay
// marked after the move's display, whoever played it, and the mark follows Undo, Redo, a new
// game, setup and a loaded position. Switching it in the options marks at once, and the
// switch is kept in the settings file under its own key.
#include "window_test_support.h"

#include "control_support.h"
#include "draw.h"
#include "ini_file.h"
#include "position_file.h"
#include "settings_file.h"
#include "tune_form.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>

#include <set>

namespace quorvin::test {
namespace {

class LastMoveWindowTest : public TWindowTest {
  protected:
    TLastMove Marked() const { return Form->Board().LastMove(); }
    QImage Cell(const QImage& canvas, int square) const {
        return Part(canvas, Form->Board().CellRectOf(square));
    }
    // The board as a fresh grid draws the current position, with nothing marked.
    QImage Plain() const {
        TBoardGrid grid;
        grid.SetPositionSource([this] { return &Now(); });
        const TBoardGrid& board = Form->Board();
        grid.SetLayout(board.ColCount(), board.RowCount(), board.CellEdge());
        return grid.Canvas().copy();
    }
    // The squares whose cells differ from the unmarked board.
    std::set<int> MarkedCells() const {
        const QImage plain = Plain(), shown = Form->Board().Canvas();
        std::set<int> squares;
        for (int s = 1; s <= SquareCount; ++s)
            if (DifferingPixels(Cell(plain, s), Cell(shown, s)) > 0) squares.insert(s);
        return squares;
    }
    // The move that led from record position index - 1 to index, found by playing every legal
    // move of the earlier one.
    TLastMove Played(int index) const {
        const TPosition& before = Game().Positions(index - 1);
        for (int i = 1; i <= before.Moves.Count; ++i) {
            auto next = before.NewPosition();
            next->PlayMove(before, i);
            if (next->SameAs(Game().Positions(index))) {
                const TMove m = before.Moves.GetMove(i);
                return {m.From, m.To};
            }
        }
        ADD_FAILURE() << "no move leads to position " << index;
        return {};
    }
    // Plays White's first move by clicks; with the computer on Black it replies at once.
    TLastMove PlayFirstMove() {
        const TMove m = Now().Moves.GetMove(1);
        ClickMove(m);
        return {m.From, m.To};
    }
    void ExpectMarked(TLastMove move) {
        EXPECT_EQ(Marked(), move);
        EXPECT_EQ(MarkedCells(), (std::set<int>{move.From, move.To}));
    }
    void ExpectNothingMarked() {
        EXPECT_TRUE(Marked().Empty());
        EXPECT_EQ(DifferingPixels(Form->Board().Canvas(), Plain()), 0);
    }
};

TEST_F(LastMoveWindowTest, OffByDefaultTheBoardLooksAsItAlwaysDid) {
    EXPECT_FALSE(Settings().Checked(TSetting::LastMove));
    PlayFirstMove();
    ASSERT_EQ(Game().Current(), 3);
    ExpectNothingMarked();
    ClickAction(TActionId::Undo);
    ExpectNothingMarked();
}

TEST_F(LastMoveWindowTest, AMoveLeavesItsOriginAndLandingSquaresMarked) {
    Settings().Set(TSetting::Sides, 0);
    Settings().Set(TSetting::LastMove, 1);
    ExpectNothingMarked(); // a new game has no last move
    const TLastMove first = PlayFirstMove();
    ASSERT_EQ(Game().Current(), 2);
    ExpectMarked(first);
    EXPECT_TRUE(Now().At(first.From).Empty);
    EXPECT_FALSE(Now().At(first.To).Empty);
    // Black's reply takes the mark over; White's squares are plain again.
    const TLastMove reply = PlayFirstMove();
    ExpectMarked(reply);
    EXPECT_NE(reply, first);
}

TEST_F(LastMoveWindowTest, TheComputersReplyIsMarkedOnceItIsShown) {
    Settings().Set(TSetting::LastMove, 1);
    PlayFirstMove();
    ASSERT_EQ(Game().Current(), 3);
    const TLastMove reply = Played(2);
    ExpectMarked(reply);
    EXPECT_EQ(Game().PreviousPosition().At(reply.From).Side, Black);
    EXPECT_EQ(Now().At(reply.To).Side, Black);
}

TEST_F(LastMoveWindowTest, ACaptureIsMarkedAtItsStartAndItsLastLanding) {
    Settings().Set(TSetting::Sides, 0);
    Settings().Set(TSetting::LastMove, 1);
    UsePosition({{1, 1, WhiteMan}, {2, 2, BlackMan}, {2, 4, BlackMan}, {8, 8, BlackMan}}, White);
    ExpectNothingMarked();
    Click(1, 1);
    Click(3, 3);
    Click(1, 5);
    ASSERT_EQ(Game().Current(), 2);
    ExpectMarked({Sq(1, 1), Sq(1, 5)});
}

TEST_F(LastMoveWindowTest, TheMarkFollowsUndoAndRedo) {
    Settings().Set(TSetting::LastMove, 1);
    PlayFirstMove();
    PlayFirstMove();
    ASSERT_EQ(Game().Current(), 5);
    ExpectMarked(Played(4));

    ClickAction(TActionId::Undo); // back over the computer's reply to the human's choice
    ASSERT_EQ(Game().Current(), 3);
    ExpectMarked(Played(2));
    ClickAction(TActionId::UndoAll);
    ASSERT_EQ(Game().Current(), 1);
    ExpectNothingMarked();
    ClickAction(TActionId::Redo);
    ASSERT_EQ(Game().Current(), 3);
    ExpectMarked(Played(2));
    ClickAction(TActionId::RedoAll);
    ASSERT_EQ(Game().Current(), 5);
    ExpectMarked(Played(4));

    // A move after an Undo replaces the record's end; its own squares are marked.
    ClickAction(TActionId::Undo);
    const TMove other = Now().Moves.GetMove(Now().Moves.Count);
    ClickMove(other);
    ASSERT_EQ(Game().Current(), 5);
    EXPECT_EQ(Played(3), (TLastMove{other.From, other.To}));
    ExpectMarked(Played(4));
}

TEST_F(LastMoveWindowTest, ANewGameASetUpPositionAndALoadedOneStartUnmarked) {
    Settings().Set(TSetting::LastMove, 1);
    Answer = TMessageAnswer::Yes;
    PlayFirstMove();
    ASSERT_FALSE(Marked().Empty());
    ClickAction(TActionId::NewGame);
    ASSERT_EQ(Game().Count(), 1);
    ExpectNothingMarked();

    PlayFirstMove();
    ASSERT_FALSE(Marked().Empty());
    ClickAction(TActionId::Setup);
    ASSERT_EQ(Form->Mode(), TMode::Setup);
    ExpectNothingMarked();
    ClickAction(TActionId::Continue);
    ASSERT_EQ(Form->Mode(), TMode::Play);
    ExpectNothingMarked();

    PlayFirstMove();
    ASSERT_FALSE(Marked().Empty());
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("here.qvp"));
    WritePositionFile(QFile::encodeName(name).toStdString(), Settings().Get(TSetting::Rules),
                      Now());
    ASSERT_TRUE(Form->LoadPosition(name));
    ASSERT_EQ(Game().Count(), 1);
    ExpectNothingMarked();
}

TEST_F(LastMoveWindowTest, TheBoxInTheOptionsMarksAndUnmarksAtOnce) {
    PlayFirstMove();
    ASSERT_TRUE(Marked().Empty());
    TTuneForm& dialog = Form->Options();
    bool markedWhileOpen = false;
    When([&dialog] { return dialog.isVisible(); },
         [this, &dialog, &markedWhileOpen] {
             auto* box = qobject_cast<QCheckBox*>(dialog.Control(TSetting::LastMove));
             ASSERT_NE(box, nullptr);
             box->click();
             markedWhileOpen = !Marked().Empty();
             dialog.accept();
         });
    ClickAction(TActionId::BoardView);
    EXPECT_TRUE(markedWhileOpen);
    EXPECT_TRUE(Settings().Checked(TSetting::LastMove));
    ExpectMarked(Played(2));

    When([&dialog] { return dialog.isVisible(); },
         [&dialog] {
             UserSets(dialog.Control(TSetting::LastMove), 0);
             dialog.accept();
         });
    ClickAction(TActionId::BoardView);
    EXPECT_FALSE(Settings().Checked(TSetting::LastMove));
    ExpectNothingMarked();
}

TEST_F(LastMoveWindowTest, TheSwitchIsStoredUnderItsOwnKey) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quorvin.INI"));
    const auto stored = [&name] {
        TIniFile ini;
        SaveSettingsFile(name, ini);
        TIniFile back;
        back.Load(QFile::encodeName(name).toStdString());
        return back.Read("TTuneForm", "LastMoveCheckBox_Checked").value_or("?");
    };
    EXPECT_EQ(stored(), "False");
    Settings().Set(TSetting::LastMove, 1);
    EXPECT_EQ(stored(), "True");

    // The next start reads it back.
    Settings().RestoreDefaults();
    TIniFile ini;
    LoadSettingsFile(name, ini);
    EXPECT_TRUE(Settings().Checked(TSetting::LastMove));
    Restart();
    EXPECT_EQ(Shown(Form->Options().Control(TSetting::LastMove)), 1);
    PlayFirstMove();
    EXPECT_FALSE(Marked().Empty());
}

} // namespace
} // namespace quorvin::test
