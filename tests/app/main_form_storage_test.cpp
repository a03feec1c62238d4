// The window's own section of the settings file and where that file lives: the sound switch
// and the size come back at the next start, a stored size never exceeds the screen's work
// area, and the file lies beside the executable only when the program runs from a folder
// holding its own data, never inside an installed copy.
#include "window_test_support.h"

#include "data_module.h"
#include "ini_file.h"
#include "settings_file.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

namespace quorvin::test {
namespace {

class StorageTest : public TWindowTest {};

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

TEST_F(StorageTest, AStoredSizeLargerThanTheWorkAreaIsCutDown) {
    TIniFile ini;
    ini.Write("TMainForm", "MainFormHeight", "100000");
    ini.Write("TMainForm", "MainFormWidth", "100000");
    TMainForm next;
    next.RestoreState(ini);
    const QRect area = next.screen()->availableGeometry();
    EXPECT_LE(next.frameGeometry().height(), area.height());
    EXPECT_LE(next.frameGeometry().width(), area.width());
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
