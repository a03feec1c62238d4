// The settings table, its defaults, queries and INI storage.
#include "geometry.h"
#include "ini_file.h"
#include "settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

using namespace quorvin;

TEST(Settings, DefaultsOfAFirstStart) {
    TSettings s;
    TIniFile empty;
    s.Load(empty);
    EXPECT_EQ(s.Rows(), 8);
    EXPECT_EQ(s.Files(), 8);
    EXPECT_EQ(s.ColoringFlag(), 1);
    EXPECT_TRUE(s.IsInternationalRules());
    EXPECT_EQ(s.Get(TSetting::Sides), 1);
    EXPECT_TRUE(s.IsComputerSide(Black));
    EXPECT_FALSE(s.IsComputerSide(White));
    EXPECT_EQ(s.Get(TSetting::OpponentLevel), 2);
    EXPECT_EQ(s.Get(TSetting::HinterLevel), 9);
    for (auto on : {TSetting::Animation, TSetting::CaptureOneByOne, TSetting::Forecast,
                    TSetting::AutoFit, TSetting::TripleRepetitionDraw, TSetting::QuietMovesDraw,
                    TSetting::ThreeKingsDraw, TSetting::HinterDisposition})
        EXPECT_TRUE(s.Checked(on));
    for (auto off :
         {TSetting::AutoSingleMove, TSetting::MarkBlocked, TSetting::WhiteTop,
          TSetting::OpponentDisposition, TSetting::Synchro, TSetting::LastMove, TSetting::MoveList})
        EXPECT_FALSE(s.Checked(off));
}

TEST(Settings, TableIsConsistent) {
    std::set<std::string_view> keys;
    for (int i = 0; i < SettingCount; ++i) {
        const auto& d = SettingTable[i];
        EXPECT_EQ(static_cast<int>(d.Id), i);
        EXPECT_TRUE(keys.insert(d.Key).second) << d.Key;
        EXPECT_LE(d.Min, d.Default);
        EXPECT_LE(d.Default, d.Max);
        // A menu item holds a switch, and is stored under its own name.
        if (d.Place == TSettingPlace::Menu) {
            EXPECT_EQ(d.Type, TSettingType::Boolean) << d.Key;
            EXPECT_EQ(std::string(d.Key), std::string(d.Name) + "_Checked");
        }
    }
}

TEST(Settings, QueriesFollowTheValues) {
    TSettings s;
    s.Set(TSetting::Sides, 2);
    EXPECT_TRUE(s.IsComputerSide(White));
    EXPECT_FALSE(s.IsComputerSide(Black));
    s.Set(TSetting::Sides, 0);
    EXPECT_FALSE(s.IsComputerSide(White) || s.IsComputerSide(Black));
    s.Set(TSetting::Coloring, 1);
    EXPECT_EQ(s.ColoringFlag(), 0);
    s.Set(TSetting::Rules, 0);
    EXPECT_TRUE(s.IsVornaRules());
    s.Set(TSetting::Rules, 3);
    EXPECT_TRUE(s.IsStraightRules());
    s.Set(TSetting::Rules, 2);
    EXPECT_TRUE(s.IsSpanishRules());
    s.Set(TSetting::Rows, 40);
    EXPECT_EQ(s.Rows(), 12);
}

TEST(Settings, IniRoundTripKeepsOtherSections) {
    const auto path = std::filesystem::temp_directory_path() / "quorvin_settings_test.INI";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[TMainForm]\r\nMainFormHeight=600\r\n\r\n[TTuneForm]\r\nFlags=0\r\n";
    }
    TSettings s;
    s.Set(TSetting::Rows, 10);
    s.Set(TSetting::WhiteTop, 1);
    s.Set(TSetting::ActivePage, 4);
    TIniFile ini;
    ini.Load(path.string());
    s.Save(ini);
    ini.Save(path.string());

    TIniFile again;
    again.Load(path.string());
    EXPECT_EQ(again.Read("TMainForm", "MainFormHeight").value_or(""), "600");
    EXPECT_EQ(again.Read("TTuneForm", "Flags").value_or(""), "0");
    EXPECT_EQ(again.Read("TTuneForm", "LengthRxSpinEdit_Value").value_or(""), "10");
    EXPECT_EQ(again.Read("TTuneForm", "WhiteTopCheckBox_Checked").value_or(""), "True");
    EXPECT_EQ(again.Read("TTuneForm", "AlternativeCheckBox_Checked").value_or(""), "False");
    EXPECT_EQ(again.Read("TTuneForm", "OpponentComboBoxItemIndex").value_or(""), "2");
    EXPECT_EQ(again.Read("TTuneForm", "TunePageControl_ActivePage").value_or(""), "AITabSheet");
    TSettings loaded;
    loaded.Load(again);
    for (const auto& d : SettingTable) EXPECT_EQ(loaded.Get(d.Id), s.Get(d.Id)) << d.Key;
    std::filesystem::remove(path);
}

TEST(Settings, HandEditedFileIsReadLeniently) {
    TIniFile ini;
    ini.Parse("[ttuneform]\n"
              "lengthrxspinedit_value=10\n"
              "WIDTHRXSPINEDIT_VALUE = 8.0\n"
              "ColorRadioGroup_ItemIndex=7\n"
              "OpponentComboBoxItemIndex=-3\n"
              "HinterComboBoxItemIndex=eleven\n"
              "ThirdCheckBox_Checked=false\n"
              "FreeCheckBox_Checked=TRUE\n"
              "ForecastCheckBox_Checked=maybe\n"
              "RulesRadioGroup_ItemIndex=99\n"
              "tunepagecontrol_activepage=drawtabsheet\n");
    TSettings s;
    s.Load(ini);
    EXPECT_EQ(s.Rows(), 10);
    EXPECT_EQ(s.Files(), 8);
    EXPECT_EQ(s.Get(TSetting::Sides), 2);         // clamped
    EXPECT_EQ(s.Get(TSetting::OpponentLevel), 0); // clamped
    EXPECT_EQ(s.Get(TSetting::HinterLevel), 9);   // unparsable: default kept
    EXPECT_FALSE(s.Checked(TSetting::TripleRepetitionDraw));
    EXPECT_TRUE(s.Checked(TSetting::MarkBlocked));
    EXPECT_TRUE(s.Checked(TSetting::Forecast));
    EXPECT_EQ(s.Rules(), TRules::Italian); // clamped to the last family
    EXPECT_EQ(s.Get(TSetting::ActivePage), 5);
}

TEST(IniFile, SavesAtomicallyAndReportsFailure) {
    TIniFile ini;
    ini.Write("A", "k", "v");
    EXPECT_THROW(ini.Save("/nonexistent-folder/x.INI"), std::runtime_error);
    const auto path = std::filesystem::temp_directory_path() / "quorvin_atomic.INI";
    ini.Save(path.string());
    TIniFile back;
    back.Load(path.string());
    EXPECT_EQ(back.Read("a", "K").value_or(""), "v");
    EXPECT_FALSE(back.Read("a", "missing").has_value());
    std::filesystem::remove(path);
}
