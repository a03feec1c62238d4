// Which position class plays which rules, and the six quick presets.
#include "rules.h"

#include "draughts_position.h"
#include "english_position.h"
#include "spanish_position.h"
#include "vorna_position.h"

namespace quorvin {

std::unique_ptr<TPosition> CreatePosition(TRules rules) {
    switch (rules) {
    case TRules::Vorna:
        return std::make_unique<TVornaPosition>();
    case TRules::Spanish:
        return std::make_unique<TSpanishPosition>();
    case TRules::Straight:
        return std::make_unique<TEnglishPosition>();
    case TRules::International:
        break;
    }
    return std::make_unique<TDraughtsPosition>();
}

TRules RulesFromIndex(int index) {
    if (index > 3) return TRules::Straight;
    if (index < 0) return TRules::International;
    return static_cast<TRules>(index);
}

std::optional<TPreset> FindPreset(std::string_view name) {
    for (const auto& p : Presets)
        if (p.Name == name) return p;
    return std::nullopt;
}

} // namespace quorvin
