// The rule families and the six quick presets: which position class plays which rules, and
// the board each preset sets.
#pragma once

#include "position.h"

#include <memory>
#include <optional>
#include <string_view>

namespace quorvin {

enum class TRules { Vorna = 0, International = 1, Spanish = 2, Straight = 3 };

// A new, empty position of the class that plays these rules.
std::unique_ptr<TPosition> CreatePosition(TRules rules);
// The rules of a stored rules index: 0..3 as they are, above 3 Straight checkers, below 0
// International draughts.
TRules RulesFromIndex(int index);

struct TPreset {
    std::string_view Name; // as typed on the command line
    TRules Rules;
    int Rows;
    int Files;
    bool Coloring;
};

inline constexpr std::array<TPreset, 6> Presets{{
    {"vorna", TRules::Vorna, 8, 10, false},
    {"brazilian", TRules::International, 8, 8, false},
    {"international", TRules::International, 10, 10, false},
    {"canadian", TRules::International, 12, 12, false},
    {"spanish", TRules::Spanish, 8, 8, true},
    {"straight", TRules::Straight, 8, 8, false},
}};

std::optional<TPreset> FindPreset(std::string_view name);

} // namespace quorvin
