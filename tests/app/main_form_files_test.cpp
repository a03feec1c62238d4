// Position files from the window: saving and opening the initial position of every preset,
// a position saved in the middle of a game opening as a new game, a position without a move
// ending the game at once, a bad file changing nothing, and "load FILE" at start-up.
#include "window_test_support.h"

#include "draw.h"
#include "file_dialog.h"
#include "mathematics.h"
#include "rules.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace quorvin::test {
namespace {

class FilesTest : public TFileWindowTest {
  protected:
    void Save(const QString& name) {
        NextFile = name;
        Form->MenuItem(QStringLiteral("NSave"))->trigger();
    }
    void Open(const QString& name) {
        NextFile = name;
        Form->MenuItem(QStringLiteral("NOpen"))->trigger();
    }
    static void WriteText(const QString& name, const QByteArray& text) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    int CheckedPreset() const {
        for (int i = 0; i < PresetCount; ++i)
            if (Form->PresetItem(i)->isChecked()) return i;
        return -1;
    }
};

TEST_F(FilesTest, TheDialogsAskForPositionFiles) {
    Save(QString());
    Open(QString());
    ASSERT_EQ(Requests.size(), 2u);
    EXPECT_EQ(Requests[0].Kind, TFileDialogKind::Save);
    EXPECT_EQ(Requests[1].Kind, TFileDialogKind::Open);
    for (const TFileDialogRequest& r : Requests) {
        EXPECT_EQ(r.Filter, QStringLiteral("Quorvin position (*.qvp)"));
        EXPECT_EQ(r.DefaultSuffix, QStringLiteral("qvp"));
    }
    EXPECT_TRUE(Messages.empty()); // cancelled dialogs do nothing
}

TEST_F(FilesTest, EveryPresetsInitialPositionRoundTrips) {
    Settings().Set(TSetting::Sides, 0);
    for (int i = 0; i < PresetCount; ++i) {
        Form->PresetItem(i)->trigger();
        const QString caption = Form->windowTitle();
        const QString name = File("preset.qvp");
        Save(name);
        ASSERT_TRUE(QFile::exists(name));
        const TGame saved(Settings().Rules());
        // Somewhere else entirely, then back through the file.
        Form->PresetItem(i == 3 ? 4 : 3)->trigger();
        Open(name);
        SCOPED_TRACE(caption.toStdString());
        EXPECT_EQ(Form->windowTitle(), caption);
        EXPECT_EQ(CheckedPreset(), i);
        EXPECT_EQ(Settings().Rules(), Presets[std::size_t(i)].Rules);
        EXPECT_EQ(Form->Board().RowCount(), Presets[std::size_t(i)].Rows);
        EXPECT_TRUE(Now().SameAs(saved.CurrentPosition()));
        EXPECT_EQ(Now().SideToMove, saved.CurrentPosition().SideToMove);
        EXPECT_TRUE(Now().Consistent());
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FilesTest, APositionSavedMidGameOpensAsANewGame) {
    ClickMove(Now().Moves.GetMove(1)); // and the computer replies
    ASSERT_EQ(Game().Count(), 3);
    const QString name = File("middle.qvp");
    Save(name);
    const auto saved = Now().Clone();
    ClickAction(TActionId::UndoAll);
    Open(name);
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_FALSE(Form->Action(TActionId::Undo)->isEnabled());
    EXPECT_TRUE(Now().SameAs(*saved));
    EXPECT_EQ(Form->Mode(), TMode::Play);
    EXPECT_FALSE(Form->IsGameOver());
}

TEST_F(FilesTest, ASideWithoutAMoveLosesAsSoonAsItIsOpened) {
    // Black to move without a piece: the game ends as soon as the position is on the board.
    UsePosition({{1, 1, WhiteMan}}, Black);
    const QString name = File("lost.qvp");
    Save(name);
    UsePosition({{3, 3, WhiteMan}, {6, 6, BlackMan}}, White);
    Messages.clear();
    Open(name);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Text, QStringLiteral("The game is finished. Black have lost."));
    EXPECT_TRUE(Form->IsGameOver());
    EXPECT_EQ(Now().SideToMove, Black);
}

TEST_F(FilesTest, ABadFileChangesNothing) {
    Settings().Set(TSetting::Sides, 0);
    Answer = TMessageAnswer::Yes;
    Form->PresetItem(4)->trigger(); // Spanish checkers
    ClickMove(Now().Moves.GetMove(1));
    const auto before = Now().Clone();
    const QString caption = Form->windowTitle();
    Messages.clear();

    const QString name = File("bad.qvp");
    WriteText(name, "1\r\n13\r\n8\r\nFALSE\r\n");
    Open(name);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, TMessageIcon::Critical);
    const QString text = Messages[0].Text;
    EXPECT_TRUE(text.contains(name)) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("line")), 1) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("line 2"))) << text.toStdString();
    ExpectSentences(text, name);
    EXPECT_EQ(Settings().Rules(), TRules::Spanish);
    EXPECT_TRUE(Settings().Checked(TSetting::Coloring));
    EXPECT_EQ(Game().Count(), 2);
    EXPECT_TRUE(Now().SameAs(*before));
    EXPECT_EQ(Form->windowTitle(), caption);
    EXPECT_EQ(Form->Mode(), TMode::Play);
}

TEST_F(FilesTest, LoadAtStartUpShowsThePosition) {
    Settings().Set(TSetting::Sides, 0);
    UsePosition({{1, 1, WhiteKing}, {8, 8, BlackKing}}, White);
    const QString name = File("start.qvp");
    Save(name);
    const auto saved = Now().Clone();
    Restart({QStringLiteral("load"), name});
    EXPECT_TRUE(Now().SameAs(*saved));
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FilesTest, AFailedLoadAtStartUpStartsANewGameWithoutAsking) {
    Restart({QStringLiteral("load"), File("absent.qvp")});
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, TMessageIcon::Critical);
    EXPECT_TRUE(Messages[0].Text.contains(QStringLiteral("absent.qvp")));
    ExpectSentences(Messages[0].Text);
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_EQ(Form->Sounds().PlayCount(TSound::Start), 1);
}

TEST_F(FilesTest, ALoadedPositionStartsTheRandomChoicesAfresh) {
    const QString name = File("seed.qvp");
    Save(name);
    SeedRandom(7);
    ASSERT_TRUE(Form->LoadPosition(name));
    const int first = RandomBetween(0, 1 << 30);
    SeedRandom(7);
    QTest::qWait(2);
    ASSERT_TRUE(Form->LoadPosition(name));
    EXPECT_NE(RandomBetween(0, 1 << 30), first);
}

} // namespace
} // namespace quorvin::test
