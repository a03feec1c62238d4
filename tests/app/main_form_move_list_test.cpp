// The move list beside the board: hidden at first with the window as it always was, shown by
// "Move list" of the Board menu without moving or shrinking the board, stored in the settings;
// the numbered moves in the board's notation with the current one marked, following moves,
// Undo all and Redo all, new games, setup and opened games; a click on a move walking the
// record there without letting the computer play over the moves ahead.
#include "window_test_support.h"

#include "draw.h"
#include "file_dialog.h"
#include "game_settings.h"
#include "ini_file.h"
#include "move_list_panel.h"
#include "pdn.h"
#include "settings_file.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace quorvin::test {
namespace {

class MoveListTest : public TWindowTest {
  protected:
    TMoveListPanel& List() const { return Form->MoveList(); }
    QAction* Item() const { return Form->MenuItem(QStringLiteral("NMoveList")); }
    void ShowList() {
        if (!Item()->isChecked()) Item()->trigger();
        ASSERT_TRUE(Form->MoveListShown());
        QTest::qWait(20); // the layout pass
    }
    void PlayFirstMove() { ClickMove(Now().Moves.GetMove(1)); }
    // The record's moves as the engine names them.
    std::vector<std::string> Names() const {
        return RecordedMoveNames(Game(), NotationForSettings());
    }
    void ClickListMove(int move) {
        const QRect rect = List().MoveRect(move);
        ASSERT_TRUE(rect.isValid()) << "move " << move;
        QTest::mouseClick(List().Viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Where the board lies in the window, and how large its cells are.
    QRect BoardPlace() const {
        return QRect(Form->Board().mapTo(Form.get(), QPoint(0, 0)), Form->Board().size());
    }
};

TEST_F(MoveListTest, HiddenAtFirstAndTheWindowLooksAsItAlwaysDid) {
    EXPECT_FALSE(Settings().Checked(TSetting::MoveList));
    EXPECT_FALSE(Form->MoveListShown());
    EXPECT_FALSE(List().isVisible());
    ASSERT_NE(Item(), nullptr);
    EXPECT_TRUE(Item()->isCheckable());
    EXPECT_FALSE(Item()->isChecked());
    EXPECT_TRUE(Item()->isEnabled());
    EXPECT_EQ(Item()->text(), QStringLiteral("&Move list"));
    // In the Board menu, after "Fit to screen".
    QStringList names;
    for (QAction* a : Form->findChild<QMenu*>(QStringLiteral("NBoard"))->actions())
        names << a->objectName();
    EXPECT_EQ(names.indexOf(QStringLiteral("NMoveList")),
              names.indexOf(QStringLiteral("NMaximise")) + 1);
    // The board and the column of panels fill the window, as without a list.
    const QWidget* right = Form->findChild<QWidget*>(QStringLiteral("RightPanel"));
    EXPECT_EQ(right->mapTo(Form.get(), QPoint(right->width(), 0)).x(), Form->width());
}

TEST_F(MoveListTest, ShowingAndHidingKeepsTheBoardWhereItIs) {
    QTest::qWait(20);
    const QRect board = BoardPlace();
    const int edge = Form->Board().CellEdge();
    const int width = Form->width();

    ShowList();
    EXPECT_TRUE(List().isVisible());
    EXPECT_TRUE(Settings().Checked(TSetting::MoveList));
    EXPECT_EQ(BoardPlace(), board);
    EXPECT_EQ(Form->Board().CellEdge(), edge);
    EXPECT_EQ(Form->width(), width + TMoveListPanel::PanelWidth);
    // Beside the column of panels, at the window's right edge, as tall as the board.
    const QWidget* right = Form->findChild<QWidget*>(QStringLiteral("RightPanel"));
    const QRect list(List().mapTo(Form.get(), QPoint(0, 0)), List().size());
    EXPECT_EQ(list.left(), right->mapTo(Form.get(), QPoint(right->width(), 0)).x());
    EXPECT_EQ(list.right() + 1, Form->width());
    EXPECT_GE(list.height(), board.height());

    Item()->trigger();
    QTest::qWait(20);
    EXPECT_FALSE(Form->MoveListShown());
    EXPECT_FALSE(Settings().Checked(TSetting::MoveList));
    EXPECT_EQ(BoardPlace(), board);
    EXPECT_EQ(Form->Board().CellEdge(), edge);
    EXPECT_EQ(Form->width(), width);
}

TEST_F(MoveListTest, TheSwitchIsStoredAndTheNextStartShowsTheList) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quorvin.INI"));
    const auto stored = [&name] {
        TIniFile ini;
        SaveSettingsFile(name, ini);
        TIniFile back;
        back.Load(QFile::encodeName(name).toStdString());
        return back.Read("TTuneForm", "NMoveList_Checked").value_or("?");
    };
    EXPECT_EQ(stored(), "False");
    ShowList();
    EXPECT_EQ(stored(), "True");

    Settings().RestoreDefaults();
    TIniFile ini;
    LoadSettingsFile(name, ini);
    Restart();
    EXPECT_TRUE(Form->MoveListShown());
    EXPECT_TRUE(Item()->isChecked());
    PlayFirstMove();
    EXPECT_EQ(List().MoveCount(), 2);
}

TEST_F(MoveListTest, TheNumberedMovesInTheBoardsNotationWithTheLastOneMarked) {
    ShowList();
    EXPECT_EQ(List().MoveCount(), 0);
    EXPECT_EQ(List().LineCount(), 0);
    PlayFirstMove(); // and the computer's reply
    PlayFirstMove();
    PlayFirstMove();
    ASSERT_EQ(Game().Count(), 7);
    const auto names = Names();
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(List().MoveCount(), 6);
    ASSERT_EQ(List().LineCount(), 3);
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(List().LineText(line).toStdString(), std::to_string(line + 1) + ". " +
                                                           names[std::size_t(2 * line)] + " " +
                                                           names[std::size_t(2 * line + 1)]);
    // Brazilian checkers names its squares a1..h8.
    EXPECT_EQ(names[0].size(), 5u);
    EXPECT_TRUE(names[0][0] >= 'a' && names[0][0] <= 'h') << names[0];
    EXPECT_EQ(List().MarkedMove(), 5);
    for (int move = 0; move < 6; ++move) EXPECT_FALSE(List().IsAhead(move));
}

TEST_F(MoveListTest, AGameStartingWithTheSecondSideLeavesTheFirstColumnEmpty) {
    Settings().Set(TSetting::Sides, 0);
    ShowList();
    UsePosition({{1, 1, WhiteMan}, {4, 6, BlackMan}, {8, 8, BlackMan}}, Black);
    PlayFirstMove();
    PlayFirstMove();
    const auto names = Names();
    ASSERT_EQ(names.size(), 2u);
    ASSERT_EQ(List().LineCount(), 2);
    EXPECT_EQ(List().LineText(0).toStdString(), "1. ... " + names[0]);
    EXPECT_EQ(List().LineText(1).toStdString(), "2. " + names[1]);
    EXPECT_EQ(List().MarkedMove(), 1);
}

TEST_F(MoveListTest, TheListFollowsUndoAllRedoAllAndAClickOnAMove) {
    Settings().Set(TSetting::Sides, 0); // every position is a person's choice
    ShowList();
    for (int i = 0; i < 6; ++i) PlayFirstMove();
    ASSERT_EQ(Game().Count(), 7);
    const auto names = Names();

    ClickAction(TActionId::UndoAll);
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_EQ(List().MoveCount(), 6); // the moves ahead stay listed
    EXPECT_EQ(List().MarkedMove(), -1);
    for (int move = 0; move < 6; ++move) EXPECT_TRUE(List().IsAhead(move));

    ClickAction(TActionId::RedoAll);
    EXPECT_EQ(Game().Current(), 7);
    EXPECT_EQ(List().MarkedMove(), 5);

    ClickAction(TActionId::Undo);
    EXPECT_EQ(List().MarkedMove(), 4);
    EXPECT_TRUE(List().IsAhead(5));

    ClickListMove(2);
    EXPECT_EQ(Game().Current(), 4);
    EXPECT_EQ(Game().Count(), 7);
    EXPECT_TRUE(Now().SameAs(Game().Positions(3)));
    EXPECT_EQ(List().MarkedMove(), 2);
    EXPECT_TRUE(Form->Action(TActionId::Redo)->isEnabled());

    ClickListMove(0);
    EXPECT_EQ(Game().Current(), 2);
    EXPECT_EQ(List().MarkedMove(), 0);
    ClickListMove(5);
    EXPECT_EQ(Game().Current(), 7);
    EXPECT_EQ(List().MarkedMove(), 5);
    EXPECT_EQ(Names(), names); // nothing played over
    EXPECT_EQ(Form->Mode(), TMode::Play);

    // A move played from the middle cuts the moves ahead, in the list too.
    ClickListMove(1);
    PlayFirstMove();
    EXPECT_EQ(Game().Count(), 4);
    EXPECT_EQ(List().MoveCount(), 3);
    EXPECT_EQ(List().MarkedMove(), 2);
}

TEST_F(MoveListTest, AClickOnAMoveTheComputerAnswersGoesOnToTheAnswer) {
    ShowList();
    for (int i = 0; i < 3; ++i) PlayFirstMove();
    ASSERT_EQ(Game().Count(), 7);
    const auto names = Names();
    ClickAction(TActionId::UndoAll);
    // After White's second move the computer is to move: the record goes on to its reply
    // instead of letting it play again.
    ClickListMove(2);
    EXPECT_EQ(Game().Current(), 5);
    EXPECT_EQ(Game().Count(), 7);
    EXPECT_EQ(Now().SideToMove, White);
    EXPECT_EQ(List().MarkedMove(), 3);
    EXPECT_FALSE(Form->IsThinking());
    EXPECT_EQ(Names(), names);
}

TEST_F(MoveListTest, NewGamesSetupAndOpenedGamesRenewTheList) {
    Settings().Set(TSetting::Sides, 0);
    ShowList();
    PlayFirstMove();
    PlayFirstMove();
    ASSERT_EQ(List().MoveCount(), 2);

    // Setup: nothing listed while the position is set up, nor after it.
    ClickAction(TActionId::Setup);
    EXPECT_EQ(List().MoveCount(), 0);
    ClickAction(TActionId::Continue);
    EXPECT_EQ(List().MoveCount(), 0);
    PlayFirstMove();
    EXPECT_EQ(List().MoveCount(), 1);

    Answer = TMessageAnswer::Yes;
    ClickAction(TActionId::NewGame);
    EXPECT_EQ(List().MoveCount(), 0);
    EXPECT_EQ(List().LineCount(), 0);

    // An opened game lists its moves in its own board's notation.
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("game.pdn"));
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[GameType \"20\"]\n\n1. 32-28 19-23 2. 28x19 14x23 3. 37-32 *\n");
    }
    SetFileDialogHandler([&name](const TFileDialogRequest&) { return name; });
    Form->MenuItem(QStringLiteral("NOpenGame"))->trigger();
    SetFileDialogHandler({});
    ASSERT_EQ(List().MoveCount(), 5);
    EXPECT_EQ(List().LineText(0), QStringLiteral("1. 32-28 19-23"));
    EXPECT_EQ(List().LineText(1), QStringLiteral("2. 28x19 14x23"));
    EXPECT_EQ(List().LineText(2), QStringLiteral("3. 37-32"));
    EXPECT_EQ(List().MarkedMove(), 4);
}

TEST_F(MoveListTest, NoWalkWhileTheEngineThinks) {
    Settings().Set(TSetting::Sides, 0);
    ShowList();
    PlayFirstMove();
    PlayFirstMove();
    bool clicked = false;
    When([this] { return Searching(); },
         [this, &clicked] {
             ClickListMove(0);
             clicked = true;
         });
    ClickAction(TActionId::Advice); // the adviser searches the current position
    EXPECT_TRUE(clicked);
    EXPECT_EQ(Game().Current(), 3);
    EXPECT_EQ(List().MarkedMove(), 1);
    ClickListMove(0); // and once it is done, the click walks
    EXPECT_EQ(Game().Current(), 2);
}

} // namespace
} // namespace quorvin::test
