// Settings values and their INI storage; see settings.h.
#include "settings.h"

#include "ini_file.h"
#include "mathematics.h"

#include <cmath>
#include <cstdlib>

namespace quorvin {

TSettings& Settings() {
    static TSettings settings;
    return settings;
}

void TSettings::RestoreDefaults() {
    for (const auto& d : SettingTable) Values[static_cast<int>(d.Id)] = d.Default;
    if (ChangeHook) ChangeHook();
}

void TSettings::Set(TSetting s, int value) {
    const auto& d = SettingDef(s);
    int& stored = Values[static_cast<int>(s)];
    const int clamped = Clamp(value, d.Min, d.Max);
    if (stored == clamped) return;
    stored = clamped;
    if (ChangeHook) ChangeHook();
}

std::string TSettings::FormatValue(TSetting s, int value) {
    switch (SettingDef(s).Type) {
    case TSettingType::Boolean:
        return value ? "True" : "False";
    case TSettingType::Page:
        return std::string(TunePageNames[Clamp(value, 0, int(TunePageNames.size()) - 1)]);
    case TSettingType::Integer:
        break;
    }
    return std::to_string(value);
}

bool TSettings::ParseValue(TSetting s, const std::string& raw, int& value) {
    std::string text = raw;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.erase(0, 1);
    if (text.empty()) return false;
    switch (SettingDef(s).Type) {
    case TSettingType::Boolean:
        if (SameText(text, "True") || text == "1")
            value = 1;
        else if (SameText(text, "False") || text == "0")
            value = 0;
        else
            return false;
        return true;
    case TSettingType::Page:
        for (std::size_t i = 0; i < TunePageNames.size(); ++i)
            if (SameText(text, std::string(TunePageNames[i]))) {
                value = static_cast<int>(i);
                return true;
            }
        return false;
    case TSettingType::Integer:
        break;
    }
    // Integers; the board sizes are stored in general number format, so "8.0" reads as 8.
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return false;
    value = static_cast<int>(std::lround(Clamp(v, -1e9, 1e9)));
    return true;
}

TGameOptions TSettings::GameOptions() const {
    TGameOptions options;
    options.ComputerSide = {IsComputerSide(White), IsComputerSide(Black)};
    options.AutoSingleMove = AutoSingleMove();
    options.TripleRepetitionDraw = Checked(TSetting::TripleRepetitionDraw);
    options.QuietMovesDraw = Checked(TSetting::QuietMovesDraw);
    options.ThreeKingsDraw = Checked(TSetting::ThreeKingsDraw);
    return options;
}

void TSettings::Load(const TIniFile& ini) {
    const std::string section(SettingsSection);
    for (const auto& d : SettingTable) {
        const auto text = ini.Read(section, std::string(d.Key));
        int value = 0;
        if (text && ParseValue(d.Id, *text, value)) Set(d.Id, value);
    }
}

void TSettings::Save(TIniFile& ini) const {
    const std::string section(SettingsSection);
    for (const auto& d : SettingTable)
        ini.Write(section, std::string(d.Key), FormatValue(d.Id, Get(d.Id)));
}

} // namespace quorvin
