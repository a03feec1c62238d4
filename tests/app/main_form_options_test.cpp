// The options dialog as the main window uses it, and the rest of the window's commands:
// the defaults of a first start, a board change in the dialog starting a new game, a change
// of Sides letting the computer move at once, the pages each command opens, rotating and the
// picture presets, the maximise command, a missing picture, a stored board at the next
// start, the later families' presets stored as rules 4..7 and back at the next start, and
// Break calculation clicks that were queued during a move replay.
#include "window_test_support.h"

#include "control_support.h"
#include "data_module.h"
#include "draw.h"
#include "ini_file.h"
#include "rules.h"
#include "settings_file.h"
#include "tune_form.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace quorvin::test {
namespace {

class OptionsTest : public TWindowTest {
  protected:
    TTuneForm& Dialog() const { return Form->Options(); }
    QWidget* Control(TSetting s) const { return Dialog().Control(s); }
    // Opens the dialog with a command, makes the changes in it as a user does, and closes it
    // with OK. Answers the page it was opened on.
    int InDialog(TActionId command, const std::function<void()>& changes) {
        int page = -1;
        When([this] { return Dialog().isVisible(); },
             [this, &page, changes] {
                 page = Dialog().findChild<QTabWidget*>("TunePageControl")->currentIndex();
                 changes();
                 Dialog().accept();
             });
        ClickAction(command);
        EXPECT_FALSE(Dialog().isVisible());
        return page;
    }
    int Started() const { return Form->Sounds().PlayCount(TSound::Start); }
};

TEST_F(OptionsTest, AFirstStartStoresTheDefaults) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quorvin.INI"));
    TIniFile ini;
    Form->close();
    Form->SaveState(ini);
    SaveSettingsFile(name, ini);
    TIniFile stored;
    stored.Load(QFile::encodeName(name).toStdString());
    const auto key = [&stored](const char* k) { return stored.Read("TTuneForm", k).value_or("?"); };
    EXPECT_EQ(key("LengthRxSpinEdit_Value"), "8");
    EXPECT_EQ(key("WidthRxSpinEdit_Value"), "8");
    EXPECT_EQ(key("AlternativeCheckBox_Checked"), "False");
    EXPECT_EQ(key("RulesRadioGroup_ItemIndex"), "1");
    EXPECT_EQ(key("ColorRadioGroup_ItemIndex"), "1");
    EXPECT_EQ(key("OpponentComboBoxItemIndex"), "2");
    EXPECT_EQ(key("HinterComboBoxItemIndex"), "9");
    for (const char* on :
         {"ChangeCheckBox_Checked", "OneByOneCheckBox_Checked", "ForecastCheckBox_Checked",
          "FitCheckBox_Checked", "ThirdCheckBox_Checked", "QuietCheckBox_Checked",
          "ThreeVsOneCheckBox_Checked"})
        EXPECT_EQ(key(on), "True") << on;
    for (const char* off :
         {"OneMoveCheckBox_Checked", "FreeCheckBox_Checked", "LastMoveCheckBox_Checked"})
        EXPECT_EQ(key(off), "False") << off;
    // The dialog's and the window's placements share the file.
    EXPECT_TRUE(stored.Read("TMainForm", "NormPos").has_value());
}

TEST_F(OptionsTest, RowsWithSynchroInTheDialogStartANewTenByTenGame) {
    Settings().Set(TSetting::Synchro, 1);
    Settings().Set(TSetting::Sides, 0);
    ClickMove(Now().Moves.GetMove(1));
    const int started = Started();
    const int page = InDialog(TActionId::BoardSetup, [this] {
        auto* rows = qobject_cast<QSpinBox*>(Control(TSetting::Rows));
        rows->stepBy(1);
        rows->stepBy(1);
    });
    EXPECT_EQ(page, static_cast<int>(TTunePage::Board));
    EXPECT_EQ(Settings().Rows(), 10);
    EXPECT_EQ(Settings().Files(), 10);
    EXPECT_EQ(Form->Board().RowCount(), 10);
    EXPECT_EQ(Form->Board().ColCount(), 10);
    EXPECT_EQ(SquareCount, 50);
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_EQ(Started(), started + 1); // one new game, nothing asked
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("International draughts"));
}

TEST_F(OptionsTest, OnlySidesChangedLetsTheComputerMoveAtOnce) {
    const int started = Started();
    InDialog(TActionId::Sides, [this] { UserSets(Control(TSetting::Sides), 2); });
    ASSERT_TRUE(WaitUntil([this] { return Game().Count() == 2 && !Form->IsThinking(); }));
    EXPECT_EQ(Now().SideToMove, Black);
    EXPECT_EQ(Started(), started); // the game went on
    EXPECT_EQ(Form->MoverPicture(TPanel::Down), QString::fromLatin1(Resource::ComputerImage));
}

TEST_F(OptionsTest, EachCommandOpensItsPageAndOptionsTheLastOne) {
    EXPECT_EQ(InDialog(TActionId::BrainOptions, [] {}), static_cast<int>(TTunePage::Brain));
    EXPECT_EQ(InDialog(TActionId::BoardView, [] {}), static_cast<int>(TTunePage::View));
    EXPECT_EQ(InDialog(TActionId::Sides,
                       [this] {
                           UserSets(Dialog().findChild<QTabWidget*>("TunePageControl"),
                                    static_cast<int>(TTunePage::Draw));
                       }),
              static_cast<int>(TTunePage::Sides));
    EXPECT_EQ(InDialog(TActionId::Options, [] {}), static_cast<int>(TTunePage::Draw));
    // The mover indicators open the Brain page.
    When([this] { return Dialog().isVisible(); }, [this] { Dialog().accept(); });
    QTest::mouseClick(Form->findChild<QToolButton*>("UpMoverSpeedButton"), Qt::LeftButton);
    EXPECT_EQ(Settings().Get(TSetting::ActivePage), static_cast<int>(TTunePage::Brain));
}

TEST_F(OptionsTest, RotatingFromTheWindowIsStoredWithoutTheDialog) {
    const QString upper = Form->SidePicture(TPanel::Up);
    QTest::mouseClick(Form->findChild<QToolButton*>("DownSideSpeedButton"), Qt::LeftButton);
    EXPECT_TRUE(Settings().Checked(TSetting::WhiteTop));
    EXPECT_EQ(Form->SidePicture(TPanel::Down), upper);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quorvin.INI"));
    TIniFile ini;
    SaveSettingsFile(name, ini);
    TIniFile stored;
    stored.Load(QFile::encodeName(name).toStdString());
    EXPECT_EQ(stored.Read("TTuneForm", "WhiteTopCheckBox_Checked"), "True");
}

TEST_F(OptionsTest, AStoredBoardIsTheNextStartsBoard) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quorvin.INI"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[TTuneForm]\r\nLengthRxSpinEdit_Value=10\r\nWidthRxSpinEdit_Value=8\r\n");
    file.close();
    Form.reset();
    Settings().RestoreDefaults();
    TIniFile ini;
    LoadSettingsFile(name, ini);
    Form = std::make_unique<TMainForm>();
    Form->RestoreState(ini);
    Form->show();
    ASSERT_TRUE(WaitUntil([this] { return Form->Started(); }));
    EXPECT_EQ(Form->Board().RowCount(), 10);
    EXPECT_EQ(Form->Board().ColCount(), 8);
    EXPECT_EQ(BoardRows, 10);
    EXPECT_EQ(BoardFiles, 8);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("By rules of International draughts"));
}

TEST_F(OptionsTest, EachFamilyChosenInTheDialogStartsAGameByItsRules) {
    Settings().Set(TSetting::Sides, 0);
    for (int rules = RulesCount - 1; rules >= 0; --rules) {
        SCOPED_TRACE(rules);
        ClickMove(Now().Moves.GetMove(1));
        InDialog(TActionId::Options, [this, rules] { UserSets(Control(TSetting::Rules), rules); });
        EXPECT_EQ(Settings().Rules(), TRules(rules));
        EXPECT_EQ(Game().Rules(), TRules(rules));
        EXPECT_EQ(Game().Count(), 1);
        EXPECT_TRUE(Now().SameAs(TGame(TRules(rules)).CurrentPosition()));
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(OptionsTest, TheLaterPresetsAreStoredAsRulesFourToSevenAndComeBack) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("quorvin.INI"));
    for (int i = ClassicPresetCount; i < PresetCount; ++i) {
        const TPreset& p = Presets[std::size_t(i)];
        SCOPED_TRACE(std::string(p.Name));
        Settings().Set(TSetting::Sides, 0);
        Form->PresetItem(i)->trigger();
        const QString caption = Form->windowTitle();
        TIniFile ini;
        Form->close();
        Form->SaveState(ini);
        SaveSettingsFile(name, ini);
        TIniFile stored;
        stored.Load(QFile::encodeName(name).toStdString());
        EXPECT_EQ(stored.Read("TTuneForm", "RulesRadioGroup_ItemIndex"),
                  std::to_string(static_cast<int>(p.Rules)));
        EXPECT_EQ(stored.Read("TTuneForm", "AlternativeCheckBox_Checked"),
                  p.Coloring ? "True" : "False");

        // The next start, from defaults and the file alone.
        Form.reset();
        Settings().RestoreDefaults();
        TIniFile loaded;
        LoadSettingsFile(name, loaded);
        Form = std::make_unique<TMainForm>();
        Form->RestoreState(loaded);
        Form->show();
        ASSERT_TRUE(WaitUntil([this] { return Form->Started(); }));
        EXPECT_EQ(Settings().Rules(), p.Rules);
        EXPECT_EQ(Game().Rules(), p.Rules);
        EXPECT_EQ(Form->windowTitle(), caption);
        EXPECT_TRUE(Form->PresetItem(i)->isChecked());
    }
}

TEST_F(OptionsTest, TheMaximiseCommandFitsInsteadOfMaximising) {
    Form->showMaximized();
    ASSERT_TRUE(WaitUntil([this] { return !Form->isMaximized(); }));
    ASSERT_TRUE(WaitUntil([this] {
        const QRect area = Form->screen()->availableGeometry();
        const QRect frame = Form->frameGeometry();
        return area.contains(frame) &&
               Form->Board().CellEdge() * 8 >= std::min(area.height(), area.width()) - 200;
    }));
    EXPECT_FALSE(Form->isMaximized());
}

// From a place partly off the work area, both fits leave the whole frame, title bar
// included, inside it.
TEST_F(OptionsTest, FittingBringsTheWholeFrameIntoTheWorkArea) {
    const QRect area = Form->screen()->availableGeometry();
    ASSERT_TRUE(WaitUntil([this] { return Form->PlacementSettled(); }));
    for (const bool maximise : {false, true}) {
        Form->move(area.right() - 150, area.top() - 10);
        ASSERT_TRUE(WaitUntil([this] { return Form->PlacementSettled(); }));
        ASSERT_FALSE(area.contains(Form->frameGeometry()));
        if (maximise)
            Form->showMaximized();
        else
            Form->MenuItem(QStringLiteral("NMaximise"))->trigger();
        ASSERT_TRUE(WaitUntil([this] { return !Form->isMaximized() && Form->PlacementSettled(); }));
        EXPECT_TRUE(area.contains(Form->frameGeometry())) << maximise;
        // The board grew as large as the work area lets it.
        const QRect frame = Form->frameGeometry();
        const int cell = Form->Board().CellEdge();
        EXPECT_TRUE(frame.height() > area.height() - cell || frame.width() > area.width() - cell)
            << maximise;
    }
}

TEST_F(OptionsTest, TheBoardPicturePresetsSetBothSquares) {
    const QImage before = Form->Board().Canvas().copy();
    const QRect dark = Form->Board().CellRectOf(Sq(2, 4)); // an empty dark square
    const QRect light = Form->Board().CellRect(0, 0);
    Form->MenuItem(QStringLiteral("mMahogany"))->trigger();
    EXPECT_EQ(Settings().Get(TSetting::LightPicture), 3);
    EXPECT_EQ(Settings().Get(TSetting::DarkPicture), 3);
    const QImage after = Form->Board().Canvas();
    EXPECT_GT(DifferingPixels(Part(before, dark), Part(after, dark)), dark.width());
    EXPECT_GT(DifferingPixels(Part(before, light), Part(after, light)), light.width());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(OptionsTest, AMissingPictureIsReportedAndTheGameGoesOn) {
    QTemporaryDir dir;
    const QString images = dir.filePath(QStringLiteral("Images/Board"));
    ASSERT_TRUE(QDir().mkpath(images));
    const QDir source(BuildFolder() + QStringLiteral("/Images/Board"));
    for (const QString& name : source.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), QDir(images).filePath(name)));
    ASSERT_TRUE(QFile::remove(QDir(images).filePath(QStringLiteral("Used3.jpg"))));
    OverrideProgramFolder(dir.path());

    Settings().Set(TSetting::Sides, 0);
    Form->MenuItem(QStringLiteral("mMahogany"))->trigger();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, TMessageIcon::Critical);
    EXPECT_TRUE(Messages[0].Text.contains(QStringLiteral("Used3.jpg")))
        << Messages[0].Text.toStdString();
    // The pictures that could be read stay in use, and play goes on.
    EXPECT_EQ(Settings().Get(TSetting::DarkPicture), 0);
    EXPECT_EQ(Form->Mode(), TMode::Play);
    ClickMove(Now().Moves.GetMove(1));
    EXPECT_EQ(Game().Count(), 2);
    EXPECT_EQ(Messages.size(), 1u);
    OverrideProgramFolder(BuildFolder());
}

TEST_F(OptionsTest, ABreakClickQueuedDuringAReplayGoesNowhere) {
    Settings().Set(TSetting::OpponentLevel, 6); // 0.1 s per move: a search that can be broken
    bool posted = false;
    // The click arrives while the user's own move is replayed, when no event is served.
    QObject::connect(&Form->Sounds(), &TSounds::Played, Form.get(), [&](TSound sound) {
        if (sound != TSound::Move || posted) return;
        posted = true;
        QToolButton* stop = Form->StopButton();
        const QPointF centre = QRectF(stop->rect()).center();
        QApplication::postEvent(stop, new QMouseEvent(QEvent::MouseButtonPress, centre,
                                                      stop->mapToGlobal(centre), Qt::LeftButton,
                                                      Qt::LeftButton, Qt::NoModifier));
        QApplication::postEvent(stop, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                      stop->mapToGlobal(centre), Qt::LeftButton,
                                                      Qt::NoButton, Qt::NoModifier));
    });
    ClickMove(Now().Moves.GetMove(1));
    ASSERT_TRUE(posted);
    ASSERT_TRUE(WaitUntil([this] { return Game().Count() == 3 && !Form->IsThinking(); }));
    EXPECT_EQ(Settings().Get(TSetting::Sides), 1);
    EXPECT_EQ(Form->MoverPicture(TPanel::Up), QString::fromLatin1(Resource::ComputerImage));
}

} // namespace
} // namespace quorvin::test
