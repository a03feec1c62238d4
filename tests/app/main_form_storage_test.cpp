// The window's own section of the settings file and where that file lives: the sound switch,
// the size and the place come back at the next start as they were stored, the whole frame
// stays inside the screen's work area, a window never shown keeps its stored place, and the
// file lies beside the executable only when the program runs from a folder holding its own
// data, never inside an installed copy.
#include "window_test_support.h"

#include "data_module.h"
#include "ini_file.h"
#include "settings_file.h"
#include "window_placement.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

#include <array>
#include <cstdlib>

namespace quorvin::test {
namespace {

class StorageTest : public TWindowTest {
  protected:
    // Starts the window again from these stored keys and waits until it has settled.
    void StartFrom(const TIniFile& ini) {
        Restart({}, [this, &ini] { Form->RestoreState(ini); });
        ASSERT_TRUE(WaitUntil([this] { return Form->PlacementSettled(); }));
    }
    // Closes the window as the program does at exit and stores what it leaves.
    TIniFile Stored() {
        Form->close();
        TIniFile ini;
        Form->SaveState(ini);
        return ini;
    }
    QRect Area() const { return Form->screen()->availableGeometry(); }
};

std::string Keys(const TIniFile& ini, const std::string& section) {
    std::string keys;
    for (const char* key : {"FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos",
                            "NormPos", "MainFormHeight", "MainFormWidth"})
        keys += std::string(key) + "=" + ini.Read(section, key).value_or("-") + " ";
    return keys;
}

TEST_F(StorageTest, TheSoundSwitchAndTheSizeAreStoredInTheWindowsSection) {
    Form->SoundItem()->trigger(); // off
    TIniFile ini;
    Form->SaveState(ini);
    EXPECT_EQ(ini.Read("TMainForm", "NSound_Checked"), "False");
    EXPECT_EQ(ini.Read("TMainForm", "MainFormHeight"),
              std::to_string(Form->frameGeometry().height()));
    EXPECT_EQ(ini.Read("TMainForm", "MainFormWidth"),
              std::to_string(Form->frameGeometry().width()));
    EXPECT_TRUE(ini.Read("TMainForm", "NormPos").has_value());

    TMainForm next;
    ASSERT_TRUE(next.SoundItem()->isChecked());
    next.RestoreState(ini);
    EXPECT_FALSE(next.SoundItem()->isChecked());
}

// The frame is stored and restored, not the client area: restarts leave the window where it
// was, with the same keys.
TEST_F(StorageTest, RestartsLeaveTheWindowWhereItWas) {
    StartFrom(TIniFile()); // a first start, without a settings file
    EXPECT_TRUE(Area().contains(Form->frameGeometry()));
    ASSERT_NE(Form->frameGeometry(), Form->geometry()); // the platform draws frames
    TIniFile previous = Stored();
    for (int restart = 1; restart <= 3; ++restart) {
        StartFrom(previous);
        EXPECT_TRUE(Area().contains(Form->frameGeometry())) << restart;
        const TIniFile next = Stored();
        EXPECT_EQ(Keys(next, "TMainForm"), Keys(previous, "TMainForm")) << restart;
        previous = next;
    }
}

TEST_F(StorageTest, AStoredPlaceComesBackAsTheFramesCorner) {
    const QPoint corner = Area().topLeft() + QPoint(100, 60);
    TIniFile ini;
    ini.Write("TMainForm", "NormPos",
              QStringLiteral("%1,%2,%3,%4")
                  .arg(corner.x())
                  .arg(corner.y())
                  .arg(corner.x() + 400)
                  .arg(corner.y() + 350)
                  .toStdString());
    ini.Write("TMainForm", "MainFormHeight", "350");
    ini.Write("TMainForm", "MainFormWidth", "400");
    StartFrom(ini);
    EXPECT_EQ(Form->frameGeometry().topLeft(), corner);
    const TIniFile stored = Stored();
    const auto frame = ReadNormalPosition(stored, "TMainForm");
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->topLeft(), corner);
    StartFrom(stored);
    EXPECT_EQ(Keys(Stored(), "TMainForm"), Keys(stored, "TMainForm"));
}

TEST_F(StorageTest, AStoredSizeLargerThanTheWorkAreaIsCutDown) {
    for (const char* place : {"0,0,100000,100000", "-300,-200,99700,99800", "500,400,900,800"}) {
        TIniFile ini;
        ini.Write("TMainForm", "NormPos", place);
        ini.Write("TMainForm", "MainFormHeight", "100000");
        ini.Write("TMainForm", "MainFormWidth", "100000");
        TMainForm next;
        next.RestoreState(ini);
        EXPECT_LE(next.frameGeometry().height(), Area().height()) << place;
        EXPECT_LE(next.frameGeometry().width(), Area().width()) << place;
        // Shown, the whole frame lies inside the work area.
        StartFrom(ini);
        EXPECT_TRUE(Area().contains(Form->frameGeometry())) << place;
    }
}

// A window not shown in a run keeps what the file had for it, and without anything stored
// writes a placement centred on the work area; every window writes all its placement keys.
TEST_F(StorageTest, WindowsNeverShownKeepTheirPlacementOrGetACentredOne) {
    TIniFile stored;
    stored.Write("TMainForm", "NormPos", "7,8,300,200");
    stored.Write("TMainForm", "MainFormHeight", "192");
    stored.Write("TMainForm", "MainFormWidth", "293");
    stored.Write("TTuneForm", "NormPos", "17,18,400,300");
    stored.Write("TAboutForm", "NormPos", "27,28,200,100");
    for (const bool withPlaces : {true, false}) {
        TMainForm next;
        next.RestoreState(withPlaces ? stored : TIniFile());
        TIniFile saved;
        next.SaveState(saved);
        for (const char* section : {"TMainForm", "TTuneForm", "TAboutForm"}) {
            for (const char* key :
                 {"FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "NormPos"})
                EXPECT_TRUE(saved.Read(section, key).has_value()) << section << " " << key;
            if (withPlaces) {
                EXPECT_EQ(saved.Read(section, "NormPos"), stored.Read(section, "NormPos"))
                    << section;
                continue;
            }
            const auto frame = ReadNormalPosition(saved, section);
            ASSERT_TRUE(frame.has_value()) << section;
            EXPECT_LE(std::abs(frame->center().x() - Area().center().x()), 1) << section;
            EXPECT_LE(std::abs(frame->center().y() - Area().center().y()), 1) << section;
            EXPECT_GT(frame->width(), 150) << section; // the window's own size, not a made-up one
            EXPECT_GT(frame->height(), 100) << section;
        }
        // A first start takes the whole work area.
        EXPECT_EQ(saved.Read("TMainForm", "MainFormHeight"),
                  withPlaces ? "192" : std::to_string(Area().height()));
    }
}

TEST(WindowPlacementTest, FramesAreKeptInsideTheWorkArea) {
    const QRect area(10, 20, 800, 600);
    struct TCase {
        QRect Frame, Fitted, Pulled;
    };
    const std::array<TCase, 5> cases{{
        // inside: unchanged
        {{100, 60, 400, 300}, {100, 60, 400, 300}, {100, 60, 400, 300}},
        // the title bar above the area: centred vertically, or pulled down
        {{100, 0, 400, 300}, {100, 170, 400, 300}, {100, 20, 400, 300}},
        // the bottom right corner outside: centred both ways, or pulled back
        {{600, 500, 400, 300}, {210, 170, 400, 300}, {410, 320, 400, 300}},
        // left of the area
        {{-50, 60, 400, 300}, {210, 60, 400, 300}, {10, 60, 400, 300}},
        // as large as the area
        {{50, 50, 800, 600}, {10, 20, 800, 600}, {10, 20, 800, 600}},
    }};
    for (const TCase& c : cases) {
        EXPECT_EQ(FitFrameInto(c.Frame, area), c.Fitted) << c.Frame.x() << "," << c.Frame.y();
        EXPECT_EQ(PullFrameInto(c.Frame, area), c.Pulled) << c.Frame.x() << "," << c.Frame.y();
    }
    EXPECT_EQ(CentredFrame(QSize(400, 300), area), QRect(210, 170, 400, 300));
}

// A folder laid out as `cmake --install` lays out a prefix: the executables in bin/, the data
// in share/quorvin/.
struct TInstalledLayout {
    QTemporaryDir Prefix;
    QString Bin() const { return Prefix.filePath("bin"); }
    TInstalledLayout() {
        QDir(Prefix.path()).mkpath("bin");
        QDir(Prefix.path()).mkpath("share/quorvin/Images/Board");
    }
};

TEST(SettingsFileTest, ACopyRunFromItsOwnDataFolderKeepsTheFileBesideTheExecutable) {
    QTemporaryDir program, config;
    ASSERT_TRUE(program.isValid() && config.isValid());
    ASSERT_TRUE(QDir(program.path()).mkpath("Images/Board"));
    const QString folder = ProgramFolderOf(program.path());
    EXPECT_EQ(SettingsFileNameFor(folder, program.path(), "quorvin", config.path()),
              QDir(program.path()).filePath("quorvin.INI"));
    // The same folder named another way is still the executable's own.
    EXPECT_EQ(SettingsFileNameFor(program.path() + "/Images/..", program.path(), "quorvin",
                                  config.path()),
              QDir(program.path()).filePath("quorvin.INI"));
}

TEST(SettingsFileTest, AnInstalledCopyUsesTheConfigFolderEvenWhenItsBinFolderIsWritable) {
    TInstalledLayout installed;
    QTemporaryDir config;
    ASSERT_TRUE(installed.Prefix.isValid() && config.isValid());
    ASSERT_TRUE(QFileInfo(installed.Bin()).isWritable());
    const QString folder = ProgramFolderOf(installed.Bin());
    ASSERT_EQ(folder, installed.Prefix.filePath("share/quorvin/"));
    EXPECT_EQ(SettingsFileNameFor(folder, installed.Bin(), "quorvin", config.path()),
              QDir(config.path()).filePath("quorvin/quorvin.INI"));
}

TEST(SettingsFileTest, AReadOnlyOrMissingProgramFolderUsesTheConfigFolder) {
    QTemporaryDir program, config;
    ASSERT_TRUE(program.isValid() && config.isValid());
    ASSERT_TRUE(QDir(program.path()).mkpath("Images/Board"));
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (!QFileInfo(program.path()).isWritable()) { // root may write anywhere
        EXPECT_EQ(SettingsFileNameFor(program.path(), program.path(), "quorvin", config.path()),
                  QDir(config.path()).filePath("quorvin/quorvin.INI"));
    }
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString missing = program.path() + "/missing";
    EXPECT_EQ(SettingsFileNameFor(missing, missing, "quorvin", config.path()),
              QDir(config.path()).filePath("quorvin/quorvin.INI"));
}

TEST(SettingsFileTest, SettingsSurviveASaveAndALoad) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString name = folder.filePath("sub/quorvin.INI");
    Settings().RestoreDefaults();
    Settings().Set(TSetting::WhiteTop, 1);
    TIniFile ini;
    ini.Write("TMainForm", "NSound_Checked", "False");
    SaveSettingsFile(name, ini);

    Settings().RestoreDefaults();
    TIniFile again;
    LoadSettingsFile(name, again);
    EXPECT_TRUE(Settings().Checked(TSetting::WhiteTop));
    EXPECT_EQ(again.Read("TMainForm", "NSound_Checked"), "False");
    Settings().RestoreDefaults();
}

} // namespace
} // namespace quorvin::test
