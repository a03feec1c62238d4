// The rule families and the quick presets: which position class plays which rules, and the
// board each preset sets.
#pragma once

#include "position.h"

#include <memory>
#include <optional>
#include <string_view>

namespace quorvin {

// The stored index of each family: 0..3 are the first four families, 4..7 came later.
enum class TRules {
    Vorna = 0,
    International = 1,
    Spanish = 2,
    Straight = 3,
    Russian = 4,
    Pool = 5,
    Czech = 6,
    Italian = 7,
};
inline constexpr int RulesCount = 8;
// The families' names, by TRules value, as the options dialog and the command line list them.
inline constexpr std::array<std::string_view, RulesCount> FamilyNames{"Vorna",
                                                                      "International draughts",
                                                                      "Spanish checkers",
                                                                      "Straight checkers",
                                                                      "Russian draughts",
                                                                      "Pool checkers",
                                                                      "Czech draughts",
                                                                      "Italian draughts"};

// A new, empty position of the class that plays these rules.
std::unique_ptr<TPosition> CreatePosition(TRules rules);
// The switches of a family's move generation.
const TRuleSwitches& SwitchesOf(TRules rules);
// Whether three kings against one are a draw after a while: only where kings fly, since
// one-square kings can win such an ending.
bool ThreeKingsRuleApplies(TRules rules);
// The rules of a stored rules index: 0..7 as they are, above 7 the last family, as the
// settings clamp it; below 0 International draughts.
TRules RulesFromIndex(int index);

struct TPreset {
    std::string_view Name; // as typed on the command line
    TRules Rules;
    int Rows;
    int Files;
    bool Coloring;
};

inline constexpr std::array<TPreset, 10> Presets{{
    {"vorna", TRules::Vorna, 8, 10, false},
    {"brazilian", TRules::International, 8, 8, false},
    {"international", TRules::International, 10, 10, false},
    {"canadian", TRules::International, 12, 12, false},
    {"spanish", TRules::Spanish, 8, 8, true},
    {"straight", TRules::Straight, 8, 8, false},
    {"russian", TRules::Russian, 8, 8, false},
    {"pool", TRules::Pool, 8, 8, false},
    {"czech", TRules::Czech, 8, 8, false},
    {"italian", TRules::Italian, 8, 8, true},
}};

// The presets of the first four families, before the later ones; the bench measures these,
// so that its signature stays comparable across versions.
inline constexpr int ClassicPresetCount = 6;

std::optional<TPreset> FindPreset(std::string_view name);

} // namespace quorvin
