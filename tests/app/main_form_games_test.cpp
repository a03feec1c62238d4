// Whole games and positions through the window: a position copied to the clipboard as FEN and
// pasted back, a FEN of another board asking first and then switching to that board, a text
// that is no FEN changing nothing; a game saved as PDN and opened again with the same moves
// and final position, walked with Undo and Redo and played on; a broken game file reported
// with its line and loaded up to the move before it; files that load nothing changing nothing.
#include "window_test_support.h"

#include "draw.h"
#include "fen.h"
#include "file_dialog.h"
#include "game_settings.h"
#include "pdn.h"
#include "rules.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QTemporaryDir>

namespace quorvin::test {
namespace {

class GamesTest : public TFileWindowTest {
  protected:
    void Trigger(const char* item) { Form->MenuItem(QLatin1String(item))->trigger(); }
    void SaveGame(const QString& name) {
        NextFile = name;
        Trigger("NSaveGame");
    }
    void OpenGame(const QString& name) {
        NextFile = name;
        Trigger("NOpenGame");
    }
    static void WriteText(const QString& name, const QByteArray& text) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QByteArray ReadText(const QString& name) {
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    static QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

    // Plays the first legal move by clicks; the computer, when it has Black, answers.
    void PlayFirstMove() { ClickMove(Now().Moves.GetMove(1)); }

    // Every position of the record, for comparing two records.
    std::vector<std::unique_ptr<TPosition>> Record() const {
        std::vector<std::unique_ptr<TPosition>> positions;
        for (int i = 0; i < Game().Count(); ++i) positions.push_back(Game().Positions(i).Clone());
        return positions;
    }
    void ExpectRecord(const std::vector<std::unique_ptr<TPosition>>& positions) const {
        ASSERT_EQ(Game().Count(), int(positions.size()));
        for (int i = 0; i < Game().Count(); ++i) {
            EXPECT_TRUE(Game().Positions(i).SameAs(*positions[std::size_t(i)])) << "position " << i;
            EXPECT_EQ(Game().Positions(i).SideToMove, positions[std::size_t(i)]->SideToMove);
        }
    }
};

// --- positions through the clipboard ---

TEST_F(GamesTest, ACopiedPositionPastesBackAsANewGame) {
    PlayFirstMove(); // and the computer's reply
    ASSERT_EQ(Game().Count(), 3);
    Trigger("NCopyPosition");
    const QString fen = Clipboard().text();
    EXPECT_EQ(fen.toStdString(), FormatFen(NotationForSettings(), Now()));
    EXPECT_TRUE(fen.startsWith(QStringLiteral("W:W"))) << fen.toStdString();
    const auto copied = Now().Clone();

    ClickAction(TActionId::UndoAll);
    ASSERT_FALSE(Now().SameAs(*copied));
    Clipboard().setText(QStringLiteral("  ") + fen + QStringLiteral("\n"));
    Trigger("NPastePosition");

    EXPECT_TRUE(Messages.empty()); // the same board: nothing to ask
    EXPECT_TRUE(Now().SameAs(*copied));
    EXPECT_EQ(Now().SideToMove, copied->SideToMove);
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_FALSE(Form->Action(TActionId::Undo)->isEnabled());
    EXPECT_EQ(Form->Mode(), TMode::Play);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Brazilian checkers"));
}

TEST_F(GamesTest, APositionWithBlackToMoveIsPlayedOnByTheComputer) {
    Clipboard().setText(QStringLiteral("B:Wa1,c1:Bf8,h8"));
    Trigger("NPastePosition");
    EXPECT_TRUE(Messages.empty());
    // Black, the computer, was to move and has moved.
    ASSERT_EQ(Game().Count(), 2);
    EXPECT_EQ(Game().Positions(0).SideToMove, Black);
    EXPECT_EQ(Now().SideToMove, White);
}

TEST_F(GamesTest, APositionOfAnotherBoardAsksFirstThenSwitchesToIt) {
    Settings().Set(TSetting::Sides, 0);
    PlayFirstMove();
    const auto before = Now().Clone();
    Clipboard().setText(QStringLiteral("W:W31-50:B1-20")); // fits the 10 x 10 board only

    Answer = TMessageAnswer::No;
    Trigger("NPastePosition");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, TMessageIcon::Question);
    EXPECT_EQ(Messages[0].Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(Messages[0].Caption, QStringLiteral("Confirmation"));
    EXPECT_TRUE(Messages[0].Text.contains(QStringLiteral("International draughts")))
        << Messages[0].Text.toStdString();
    // Declined: the game goes on as it was.
    EXPECT_EQ(Settings().Rows(), 8);
    EXPECT_EQ(Game().Count(), 2);
    EXPECT_TRUE(Now().SameAs(*before));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Brazilian checkers"));

    Messages.clear();
    Answer = TMessageAnswer::Yes;
    Trigger("NPastePosition");
    EXPECT_EQ(Messages.size(), 1u); // the question alone
    EXPECT_EQ(Settings().Rules(), TRules::International);
    EXPECT_EQ(Settings().Rows(), 10);
    EXPECT_EQ(Settings().Files(), 10);
    EXPECT_EQ(Form->Board().RowCount(), 10);
    EXPECT_EQ(Form->Board().ColCount(), 10);
    EXPECT_TRUE(Form->PresetItem(2)->isChecked());
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("International draughts"));
    EXPECT_EQ(Game().Count(), 1);
    const TGame initial(TRules::International);
    EXPECT_TRUE(Now().SameAs(initial.CurrentPosition()));
    EXPECT_EQ(Now().SideToMove, White);
    EXPECT_TRUE(Now().Consistent());
    EXPECT_EQ(Form->Mode(), TMode::Play);
}

TEST_F(GamesTest, TextThatIsNoPositionIsReportedOnceAndChangesNothing) {
    Settings().Set(TSetting::Sides, 0);
    PlayFirstMove();
    const auto before = Now().Clone();
    for (const char* text : {"", "hello", "W:W31-99:B1-20", "X:Wa1:Bh8", "W:Wz9:Bh8"}) {
        SCOPED_TRACE(text);
        Messages.clear();
        Clipboard().setText(QLatin1String(text));
        Trigger("NPastePosition");
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].Icon, TMessageIcon::Critical);
        EXPECT_TRUE(Messages[0].Text.startsWith(
            QStringLiteral("No position could be read from the clipboard.")));
        ExpectSentences(Messages[0].Text);
        EXPECT_EQ(Settings().Rows(), 8);
        EXPECT_EQ(Game().Count(), 2);
        EXPECT_TRUE(Now().SameAs(*before));
        EXPECT_EQ(Form->Mode(), TMode::Play);
    }
}

TEST_F(GamesTest, TheClipboardItemsFollowTheMode) {
    auto* copy = Form->MenuItem(QStringLiteral("NCopyPosition"));
    auto* paste = Form->MenuItem(QStringLiteral("NPastePosition"));
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_TRUE(paste->isEnabled());
    ClickAction(TActionId::Setup);
    EXPECT_TRUE(copy->isEnabled()); // the position being set up can be copied
    EXPECT_FALSE(paste->isEnabled());
    ClickAction(TActionId::Clear);
    Trigger("NCopyPosition");
    EXPECT_EQ(Clipboard().text(), QStringLiteral("W:W:B"));
    ClickAction(TActionId::Continue); // White has no piece: the game ends
    Messages.clear();
    EXPECT_TRUE(paste->isEnabled());
}

// --- games in PDN files ---

TEST_F(GamesTest, TheDialogsAskForPdnFiles) {
    SaveGame(QString());
    OpenGame(QString());
    ASSERT_EQ(Requests.size(), 2u);
    EXPECT_EQ(Requests[0].Kind, TFileDialogKind::Save);
    EXPECT_EQ(Requests[1].Kind, TFileDialogKind::Open);
    for (const TFileDialogRequest& r : Requests) {
        EXPECT_EQ(r.Filter, QStringLiteral("PDN games (*.pdn)"));
        EXPECT_EQ(r.DefaultSuffix, QStringLiteral("pdn"));
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GamesTest, ASavedGameOpensWithTheSameMovesAndFinalPosition) {
    for (int i = 0; i < 4; ++i) PlayFirstMove();
    ASSERT_EQ(Game().Count(), 9);
    const auto saved = Record();
    const QString name = File("game.pdn");
    SaveGame(name);

    const QByteArray text = ReadText(name);
    const QString date = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
    for (const QString& tag :
         {QStringLiteral("[Event \""), QStringLiteral("[Site \""),
          QStringLiteral("[Date \"") + date + QStringLiteral("\"]"), QStringLiteral("[Round \""),
          QStringLiteral("[White \"Human\"]"), QStringLiteral("[Black \"Computer\"]"),
          QStringLiteral("[Result \"*\"]"), QStringLiteral("[GameType \"26\"]")})
        EXPECT_TRUE(text.contains(tag.toUtf8())) << tag.toStdString() << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("[FEN ")); // from the initial arrangement

    // Somewhere else entirely, then back through the file.
    Answer = TMessageAnswer::Yes;
    Form->PresetItem(5)->trigger();
    ASSERT_EQ(Settings().Rules(), TRules::Straight);
    Messages.clear();
    OpenGame(name);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Settings().Rules(), TRules::International);
    EXPECT_EQ(Settings().Rows(), 8);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Brazilian checkers"));
    ExpectRecord(saved);
    EXPECT_EQ(Game().Current(), Game().Count());
    EXPECT_EQ(Form->Mode(), TMode::Play);

    // Walked back and forth, and played on.
    ASSERT_TRUE(Form->Action(TActionId::Undo)->isEnabled());
    ClickAction(TActionId::Undo);
    EXPECT_EQ(Game().Current(), 7);
    ClickAction(TActionId::UndoAll);
    EXPECT_EQ(Game().Current(), 1);
    ClickAction(TActionId::RedoAll);
    EXPECT_EQ(Game().Current(), 9);
    ExpectRecord(saved);
    PlayFirstMove();
    EXPECT_EQ(Game().Count(), 11);
}

TEST_F(GamesTest, TheMovesAheadOfTheBoardAreSavedToo) {
    for (int i = 0; i < 3; ++i) PlayFirstMove();
    const auto saved = Record();
    ClickAction(TActionId::UndoAll);
    const QString name = File("whole.pdn");
    SaveGame(name);
    Answer = TMessageAnswer::Yes;
    Form->PresetItem(1)->trigger(); // a new game of the same preset
    ASSERT_EQ(Game().Count(), 1);
    OpenGame(name);
    ExpectRecord(saved);
    EXPECT_EQ(Game().Current(), Game().Count());
}

TEST_F(GamesTest, AGameOfAnotherBoardFromASetUpPositionBringsItsBoard) {
    Settings().Set(TSetting::Sides, 0);
    Answer = TMessageAnswer::Yes;
    Form->PresetItem(4)->trigger(); // Spanish checkers, to a position of its own
    UsePosition({{8, 1, WhiteKing}, {3, 8, BlackMan}, {5, 8, BlackMan}}, White);
    PlayFirstMove();
    PlayFirstMove();
    const auto saved = Record();
    const QString name = File("spanish.pdn");
    SaveGame(name);
    const QByteArray text = ReadText(name);
    EXPECT_TRUE(text.contains("[GameType \"24\"]")) << text.toStdString();
    EXPECT_TRUE(text.contains("[SetUp \"1\"]"));
    EXPECT_TRUE(text.contains("[FEN \""));
    EXPECT_TRUE(text.contains("[White \"Human\"]"));
    EXPECT_TRUE(text.contains("[Black \"Human\"]"));

    Form->PresetItem(3)->trigger(); // Canadian checkers
    ASSERT_EQ(Settings().Rows(), 12);
    Messages.clear();
    OpenGame(name);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Settings().Rules(), TRules::Spanish);
    EXPECT_EQ(Settings().Rows(), 8);
    EXPECT_TRUE(Settings().Checked(TSetting::Coloring));
    EXPECT_EQ(Form->Board().RowCount(), 8);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Spanish checkers"));
    ExpectRecord(saved);
}

TEST_F(GamesTest, AFinishedGameIsSavedWithItsResultEvenWhenTakenBack) {
    Settings().Set(TSetting::Sides, 0);
    UsePosition({{3, 3, WhiteMan}, {4, 4, BlackMan}}, White);
    PlayFirstMove(); // the capture takes Black's last piece
    ASSERT_TRUE(Form->IsGameOver());
    const std::string won =
        "[Result \"" + NotationForSettings().ResultText(TGameResult::WhiteWins) + "\"]";
    const QString name = File("won.pdn");
    SaveGame(name);
    EXPECT_TRUE(ReadText(name).contains(won.c_str())) << ReadText(name).toStdString();

    // Taken back, the record still ends with the win, and so does the file.
    ClickAction(TActionId::UndoAll);
    ASSERT_FALSE(Form->IsGameOver());
    const auto before = Now().Clone();
    SaveGame(name);
    EXPECT_TRUE(ReadText(name).contains(won.c_str())) << ReadText(name).toStdString();
    EXPECT_EQ(Game().Current(), 1);
    EXPECT_TRUE(Now().SameAs(*before));

    // A game going on has no result yet.
    UsePosition({{3, 3, WhiteMan}, {6, 6, BlackMan}}, White);
    SaveGame(name);
    EXPECT_TRUE(ReadText(name).contains("[Result \"*\"]")) << ReadText(name).toStdString();
}

TEST_F(GamesTest, ABrokenGameIsReportedWithItsLineAndLoadedUpToTheMoveBefore) {
    Settings().Set(TSetting::Sides, 0);
    const QString name = File("broken.pdn");
    WriteText(name, "[Event \"Broken\"]\n"
                    "[GameType \"20\"]\n"
                    "\n"
                    "1. 32-28 19-23 2. 28x19 14x23\n"
                    "3. 37-32 33-29 4. 31-27 *\n");
    OpenGame(name);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, TMessageIcon::Critical);
    const QString text = Messages[0].Text;
    EXPECT_TRUE(text.contains(QStringLiteral("broken.pdn"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Line 5"))) << text.toStdString();
    ExpectSentences(text, QDir::toNativeSeparators(name));
    EXPECT_TRUE(text.contains(QStringLiteral("33-29"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("The moves before it are loaded.")));

    // International draughts, its five moves before 33-29 (a white square) played.
    EXPECT_EQ(Settings().Rows(), 10);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("International draughts"));
    EXPECT_EQ(Game().Count(), 6);
    EXPECT_EQ(Game().Current(), 6);
    EXPECT_EQ(Now().SideToMove, Black);
    const TNotation notation = NotationForSettings();
    EXPECT_EQ(FormatFen(notation, Now()),
              FormatFen(notation, Game().Positions(5))); // the board shows the last one
    const auto at = [&](int number) { return Now().At(notation.SquareNumbered(number)); };
    EXPECT_TRUE(!at(32).Empty && at(32).Side == White && at(32).Kind == Man);
    EXPECT_TRUE(at(37).Empty);
    EXPECT_TRUE(!at(23).Empty && at(23).Side == Black && at(23).Kind == Man);
    EXPECT_EQ(Form->Mode(), TMode::Play);
}

TEST_F(GamesTest, FilesThatLoadNothingChangeNothing) {
    Settings().Set(TSetting::Sides, 0);
    PlayFirstMove();
    const auto saved = Record();
    const std::vector<std::pair<const char*, QByteArray>> files{
        {"absent.pdn", {}},
        {"empty.pdn", ""},
        {"badtype.pdn", "[GameType \"99\"]\n\n1. 32-28 *\n"},
        {"badfen.pdn", "[GameType \"20\"]\n[FEN \"W:W51:B1\"]\n\n1. 32-28 *\n"},
    };
    for (const auto& [file, contents] : files) {
        SCOPED_TRACE(file);
        const QString name = File(file);
        if (!contents.isNull()) WriteText(name, contents);
        Messages.clear();
        OpenGame(name);
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].Icon, TMessageIcon::Critical);
        EXPECT_TRUE(Messages[0].Text.contains(QLatin1String(file)))
            << Messages[0].Text.toStdString();
        ExpectSentences(Messages[0].Text, QDir::toNativeSeparators(name));
        EXPECT_EQ(Settings().Rows(), 8);
        EXPECT_EQ(Form->windowTitle(), QStringLiteral("Brazilian checkers"));
        ExpectRecord(saved);
        EXPECT_EQ(Form->Mode(), TMode::Play);
    }
}

TEST_F(GamesTest, AFileOfSeveralGamesOpensTheFirst) {
    Settings().Set(TSetting::Sides, 0);
    const QString name = File("two.pdn");
    WriteText(name, "[GameType \"21\"]\n\n1. 11-15 23-19 *\n\n"
                    "[GameType \"20\"]\n\n1. 32-28 *\n");
    OpenGame(name);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Settings().Rules(), TRules::Straight);
    EXPECT_EQ(Game().Count(), 3);
}

TEST_F(GamesTest, TheGameItemsFollowTheMode) {
    for (const char* item : {"NOpenGame", "NSaveGame"}) {
        EXPECT_TRUE(Form->MenuItem(QLatin1String(item))->isEnabled()) << item;
        ClickAction(TActionId::Setup);
        EXPECT_FALSE(Form->MenuItem(QLatin1String(item))->isEnabled()) << item;
        ClickAction(TActionId::Continue);
    }
    // In the Game menu, after the presets.
    const QStringList names{QStringLiteral("NNewGame"),  QStringLiteral("NQuickItem"),
                            QStringLiteral("N11"),       QStringLiteral("NOpenGame"),
                            QStringLiteral("NSaveGame"), QStringLiteral("N1")};
    QStringList found;
    for (QAction* a : Form->findChild<QMenu*>(QStringLiteral("NGame"))->actions())
        found << a->objectName();
    EXPECT_EQ(found.mid(0, names.size()), names);
}

} // namespace
} // namespace quorvin::test
