// The About box: its texts, the version line in the language of the language file, closing
// with OK, and its place kept in the settings file.
#include "about_form.h"

#include "ini_file.h"
#include "lang_changer.h"
#include "lang_test_support.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

TEST(AboutForm, ShowsTheProgramsIconNameVersionAndMotto) {
    TAboutForm about;
    EXPECT_EQ(about.objectName(), "TAboutForm");
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);

    const auto* icon = about.findChild<QLabel*>("Image1");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
    const auto* name = about.findChild<QLabel*>("ProgramNameLabel");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Quorvin");
    EXPECT_TRUE(name->font().bold());
    EXPECT_EQ(name->font().pixelSize(), 43);
    const auto* motto = about.findChild<QLabel*>("MottoStaticText");
    ASSERT_NE(motto, nullptr);
    EXPECT_EQ(motto->text(), "On any board by any rule");
    const auto* ok = about.findChild<QPushButton*>("OKBitBtn");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
}

TEST(AboutForm, EveryTextCanBeTranslated) {
    TAboutForm about;
    ExpectEveryTextTranslates(about, "AboutForm", AboutFormTexts);
}

TEST(AboutForm, TheVersionLineUsesTheTranslatedWord) {
    TAboutForm about;
    EXPECT_EQ(about.VersionText(), "Version 4.02");
    EXPECT_EQ(VersionLine(), "Version 4.02");

    TTempLangFile file;
    file.Write("[Messages]\nVersion=\xC2\xE5\xF0\xF1\xE8\xFF\n");
    LangChanger().SetLangFile(file.Path());
    about.SetVersionText(VersionLine());
    LangChanger().SetLangFile(QString());
    EXPECT_EQ(about.VersionText(), "Версия 4.02");
    EXPECT_EQ(about.findChild<QLabel*>("VersionStaticText")->text(), "Версия 4.02");
}

TEST(AboutForm, OKClosesTheBox) {
    TAboutForm about;
    about.open();
    ASSERT_TRUE(about.isVisible());
    about.findChild<QPushButton*>("OKBitBtn")->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(AboutForm, ThePlacementComesBackFromTheSettingsFile) {
    TAboutForm about;
    about.open();
    about.move(123, 87);
    about.accept();
    TIniFile ini;
    ini.Write("TMainForm", "NormPos", "1,2,3,4");
    about.SaveState(ini);
    for (const char* key : {"FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos"})
        EXPECT_TRUE(ini.Read("TAboutForm", key).has_value()) << key;
    const QRect frame = about.frameGeometry();
    EXPECT_EQ(ini.Read("TAboutForm", "NormPos"), QStringLiteral("%1,%2,%3,%4")
                                                     .arg(frame.left())
                                                     .arg(frame.top())
                                                     .arg(frame.left() + frame.width())
                                                     .arg(frame.top() + frame.height())
                                                     .toStdString());
    EXPECT_EQ(ini.Read("TMainForm", "NormPos"), "1,2,3,4"); // other sections untouched

    TAboutForm next;
    next.RestoreState(ini);
    EXPECT_EQ(next.pos(), QPoint(123, 87));
}

TEST(AboutForm, AnUnusablePlacementLeavesTheBoxWhereItIs) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* stored : {"-9000,-9000,-8800,-8900", "10,20,30", "a,b,c,d", ""}) {
        TAboutForm about;
        const QPoint before = about.pos();
        TIniFile ini;
        ini.Write("TAboutForm", "NormPos", stored);
        about.RestoreState(ini);
        EXPECT_EQ(about.pos(), before) << stored;
    }
    TAboutForm about;
    TIniFile ini;
    ini.Write("taboutform", "normpos",
              QStringLiteral("%1,%2,%3,%4")
                  .arg(screen.left() + 5)
                  .arg(screen.top() + 6)
                  .arg(screen.left() + 205)
                  .arg(screen.top() + 106)
                  .toStdString());
    about.RestoreState(ini);
    EXPECT_EQ(about.pos(), screen.topLeft() + QPoint(5, 6));
}

} // namespace
} // namespace quorvin::test
