// Every setting of the program in one table (name, INI key, type, range, default), the live
// values, their storage in the INI file and the queries the rest of the program asks.
// Storage, the options dialog and the tests all read the same table.
#pragma once

#include "game.h"
#include "rules.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace quorvin {

class TIniFile;

enum class TSetting {
    LightPicture,
    DarkPicture,
    SelectPicture,
    WhiteTop,
    LastMove,
    MoveList,
    Rows,
    Files,
    Coloring,
    Synchro,
    AutoFit,
    Sides,
    AutoSingleMove,
    Animation,
    CaptureOneByOne,
    MarkBlocked,
    Forecast,
    OpponentLevel,
    OpponentDisposition,
    HinterLevel,
    HinterDisposition,
    TripleRepetitionDraw,
    QuietMovesDraw,
    ThreeKingsDraw,
    Rules,
    ActivePage,
    Count
};

enum class TSettingType { Integer, Boolean, Page };

// Where a person changes a setting: a control of the options dialog, or an item of the main
// window's menu.
enum class TSettingPlace { Options, Menu };

struct TSettingDef {
    TSetting Id;
    std::string_view Name; // the control or menu item that holds it
    std::string_view Key;  // key in the INI file
    TSettingType Type;
    int Min, Max, Default;
    TSettingPlace Place = TSettingPlace::Options;
};

inline constexpr int SettingCount = static_cast<int>(TSetting::Count);

inline constexpr std::array<TSettingDef, SettingCount> SettingTable{{
    {TSetting::LightPicture, "UnUsedRadioGroup", "UnUsedRadioGroup_ItemIndex",
     TSettingType::Integer, 0, 4, 0},
    {TSetting::DarkPicture, "UsedRadioGroup", "UsedRadioGroup_ItemIndex", TSettingType::Integer, 0,
     4, 0},
    {TSetting::SelectPicture, "SelectRadioGroup", "SelectRadioGroup_ItemIndex",
     TSettingType::Integer, 0, 1, 0},
    {TSetting::WhiteTop, "WhiteTopCheckBox", "WhiteTopCheckBox_Checked", TSettingType::Boolean, 0,
     1, 0},
    {TSetting::LastMove, "LastMoveCheckBox", "LastMoveCheckBox_Checked", TSettingType::Boolean, 0,
     1, 0},
    {TSetting::MoveList, "NMoveList", "NMoveList_Checked", TSettingType::Boolean, 0, 1, 0,
     TSettingPlace::Menu},
    {TSetting::Rows, "LengthRxSpinEdit", "LengthRxSpinEdit_Value", TSettingType::Integer, 4, 12, 8},
    {TSetting::Files, "WidthRxSpinEdit", "WidthRxSpinEdit_Value", TSettingType::Integer, 4, 12, 8},
    {TSetting::Coloring, "AlternativeCheckBox", "AlternativeCheckBox_Checked",
     TSettingType::Boolean, 0, 1, 0},
    {TSetting::Synchro, "TogetherCheckBox", "TogetherCheckBox_Checked", TSettingType::Boolean, 0, 1,
     0},
    {TSetting::AutoFit, "FitCheckBox", "FitCheckBox_Checked", TSettingType::Boolean, 0, 1, 1},
    {TSetting::Sides, "ColorRadioGroup", "ColorRadioGroup_ItemIndex", TSettingType::Integer, 0, 2,
     1},
    {TSetting::AutoSingleMove, "OneMoveCheckBox", "OneMoveCheckBox_Checked", TSettingType::Boolean,
     0, 1, 0},
    {TSetting::Animation, "ChangeCheckBox", "ChangeCheckBox_Checked", TSettingType::Boolean, 0, 1,
     1},
    {TSetting::CaptureOneByOne, "OneByOneCheckBox", "OneByOneCheckBox_Checked",
     TSettingType::Boolean, 0, 1, 1},
    {TSetting::MarkBlocked, "FreeCheckBox", "FreeCheckBox_Checked", TSettingType::Boolean, 0, 1, 0},
    {TSetting::Forecast, "ForecastCheckBox", "ForecastCheckBox_Checked", TSettingType::Boolean, 0,
     1, 1},
    {TSetting::OpponentLevel, "OpponentComboBox", "OpponentComboBoxItemIndex",
     TSettingType::Integer, 0, 13, 2},
    {TSetting::OpponentDisposition, "OpponentPositionCheckBox", "OpponentPositionCheckBox_Checked",
     TSettingType::Boolean, 0, 1, 0},
    {TSetting::HinterLevel, "HinterComboBox", "HinterComboBoxItemIndex", TSettingType::Integer, 0,
     13, 9},
    {TSetting::HinterDisposition, "HinterPositionCheckBox", "HinterPositionCheckBox_Checked",
     TSettingType::Boolean, 0, 1, 1},
    {TSetting::TripleRepetitionDraw, "ThirdCheckBox", "ThirdCheckBox_Checked",
     TSettingType::Boolean, 0, 1, 1},
    {TSetting::QuietMovesDraw, "QuietCheckBox", "QuietCheckBox_Checked", TSettingType::Boolean, 0,
     1, 1},
    {TSetting::ThreeKingsDraw, "ThreeVsOneCheckBox", "ThreeVsOneCheckBox_Checked",
     TSettingType::Boolean, 0, 1, 1},
    {TSetting::Rules, "RulesRadioGroup", "RulesRadioGroup_ItemIndex", TSettingType::Integer, 0, 7,
     1},
    {TSetting::ActivePage, "TunePageControl", "TunePageControl_ActivePage", TSettingType::Page, 0,
     6, 0},
}};

// The pages of the options dialog, in order; the active one is stored by name.
inline constexpr std::array<std::string_view, 7> TunePageNames{
    "ViewTabSheet", "BoardTabSheet", "ColorTabSheet", "BehaviorTabSheet",
    "AITabSheet",   "DrawTabSheet",  "RulesTabSheet"};

// The section of the INI file that holds the settings.
inline constexpr std::string_view SettingsSection = "TTuneForm";

constexpr const TSettingDef& SettingDef(TSetting s) {
    return SettingTable[static_cast<int>(s)];
}

class TSettings {
  public:
    TSettings() { RestoreDefaults(); }

    void RestoreDefaults();
    int Get(TSetting s) const { return Values[static_cast<int>(s)]; }
    bool Checked(TSetting s) const { return Get(s) != 0; }
    // Stores the value clamped to the setting's range.
    void Set(TSetting s, int value);

    // Every key present in the section overwrites its value (clamped to the range); a value
    // that does not parse keeps what was there.
    void Load(const TIniFile& ini);
    void Save(TIniFile& ini) const;
    static std::string FormatValue(TSetting s, int value);
    static bool ParseValue(TSetting s, const std::string& text, int& value);

    int Rows() const { return Get(TSetting::Rows); }
    int Files() const { return Get(TSetting::Files); }
    int ColoringFlag() const { return Checked(TSetting::Coloring) ? 0 : 1; }
    bool AutoSingleMove() const { return Checked(TSetting::AutoSingleMove); }
    bool IsComputerSide(int side) const {
        return (side == 0 && Get(TSetting::Sides) == 2) || (side == 1 && Get(TSetting::Sides) == 1);
    }
    TRules Rules() const { return static_cast<TRules>(Get(TSetting::Rules)); }
    bool IsVornaRules() const { return Rules() == TRules::Vorna; }
    bool IsInternationalRules() const { return Rules() == TRules::International; }
    bool IsSpanishRules() const { return Rules() == TRules::Spanish; }
    bool IsStraightRules() const { return Rules() == TRules::Straight; }
    // What a game record needs of the settings: who plays each side and the draw rules.
    TGameOptions GameOptions() const;
    // Called after every change of a value, so that the window can hand the game record
    // the options in force; empty to stop.
    void SetChangeHook(std::function<void()> hook) { ChangeHook = std::move(hook); }

  private:
    std::array<int, SettingCount> Values{};
    std::function<void()> ChangeHook;
};

// The one set of live settings of the process.
TSettings& Settings();

} // namespace quorvin
