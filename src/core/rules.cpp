// Which position class plays which rules, and the quick presets.
#include "rules.h"

#include "czech_position.h"
#include "draughts_position.h"
#include "english_position.h"
#include "italian_position.h"
#include "pool_position.h"
#include "russian_position.h"
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
    case TRules::Russian:
        return std::make_unique<TRussianPosition>();
    case TRules::Pool:
        return std::make_unique<TPoolPosition>();
    case TRules::Czech:
        return std::make_unique<TCzechPosition>();
    case TRules::Italian:
        return std::make_unique<TItalianPosition>();
    case TRules::International:
        break;
    }
    return std::make_unique<TDraughtsPosition>();
}

const TRuleSwitches& SwitchesOf(TRules rules) {
    switch (rules) {
    case TRules::Vorna:
        return VornaSwitches;
    case TRules::Spanish:
        return SpanishSwitches;
    case TRules::Straight:
        return StraightSwitches;
    case TRules::Russian:
        return RussianSwitches;
    case TRules::Pool:
        return PoolSwitches;
    case TRules::Czech:
        return CzechSwitches;
    case TRules::Italian:
        return ItalianSwitches;
    case TRules::International:
        break;
    }
    return InternationalSwitches;
}

bool ThreeKingsRuleApplies(TRules rules) {
    return SwitchesOf(rules).Kings == TKingMoves::Flying;
}

TRules RulesFromIndex(int index) {
    if (index >= RulesCount) return TRules::Italian;
    if (index < 0) return TRules::International;
    return static_cast<TRules>(index);
}

std::optional<TPreset> FindPreset(std::string_view name) {
    for (const auto& p : Presets)
        if (p.Name == name) return p;
    return std::nullopt;
}

} // namespace quorvin
