// The rules and the board of the game: the quick presets that set them at once, what a
// real change of the board or the rules does to the game and the window, and the caption
// that names the rules in force (with the matching preset checked in the menu).
#include "main_form.h"

#include "draw.h"
#include "rules.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace quorvin {

namespace {

struct TPresetItem {
    const char* Name;
    const char* Caption;
};

// The menu items of the presets, in the order of Presets.
constexpr std::array<TPresetItem, PresetCount> PresetMenu{{
    {"NVorna", "&Vorna"},
    {"NBrazilian", "&Brazilian checkers"},
    {"NDraughts", "&International draughts"},
    {"NCanadien", "&Canadian checkers"},
    {"NSpanish", "&Spanish checkers"},
    {"NStraight", "S&traight checkers"},
    {"NRussian", "&Russian draughts"},
    {"NPool", "&Pool checkers"},
    {"NCzech", "C&zech draughts"},
    {"NItalian", "It&alian draughts"},
}};
static_assert(PresetMenu.size() == Presets.size(), "a menu item for every preset");

// The preset whose caption names a rule family on a board that matches no preset.
constexpr int FamilyPreset(TRules rules) {
    switch (rules) {
    case TRules::Vorna:
        return 0;
    case TRules::International:
        return 2;
    case TRules::Spanish:
        return 4;
    case TRules::Straight:
        return 5;
    case TRules::Russian:
        return 6;
    case TRules::Pool:
        return 7;
    case TRules::Czech:
        return 8;
    case TRules::Italian:
        return 9;
    }
    return 5;
}

// Every family is named by a preset of its own rules.
constexpr bool EveryFamilyHasItsPreset() {
    for (int r = 0; r < RulesCount; ++r)
        if (Presets[std::size_t(FamilyPreset(TRules(r)))].Rules != TRules(r)) return false;
    return true;
}
static_assert(EveryFamilyHasItsPreset());

QString WithoutAccelerator(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

} // namespace

void TMainForm::CreatePresetItems() {
    auto* group = new QActionGroup(this);
    // The check marks are recomputed from the settings, which may match no preset at all.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int i = 0; i < PresetCount; ++i) {
        auto* item = new QAction(QString::fromLatin1(PresetMenu[std::size_t(i)].Caption), this);
        item->setObjectName(QString::fromLatin1(PresetMenu[std::size_t(i)].Name));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, i] { RunCommand(TWhen::Idle, [this, i] { NVornaClick(i); }); });
        PresetItems[std::size_t(i)] = item;
    }
}

void TMainForm::NVornaClick(int preset) {
    if (Flow.Mode() != TMode::Play || !Flow.ConfirmNewGame()) {
        UpdateCaption(); // the click must not leave its check mark behind
        return;
    }
    PresetItems[std::size_t(preset)]->setChecked(true);
    const TPreset& p = Presets[std::size_t(preset)];
    // In this order, each real change rebuilding the game for what is set so far.
    ChangeSetting(TSetting::Rows, p.Rows);
    ChangeSetting(TSetting::Files, p.Files);
    ChangeSetting(TSetting::Coloring, p.Coloring ? 1 : 0);
    ChangeSetting(TSetting::Rules, static_cast<int>(p.Rules));
    UpdateCaption();
    // The question was asked above: choosing the preset already in force starts a new game
    // without asking twice.
    Flow.StartNewGame();
}

bool TMainForm::ChangeSetting(TSetting setting, int value) {
    const int before = Settings().Get(setting);
    Settings().Set(setting, value);
    if (Settings().Get(setting) == before) return false;
    switch (setting) {
    case TSetting::Rows:
    case TSetting::Files:
    case TSetting::Coloring:
        BoardSettingChanged();
        break;
    case TSetting::Rules:
        Flow.RebuildGame();
        break;
    default:
        break;
    }
    return true;
}

void TMainForm::BoardSettingChanged() {
    // The window grows or shrinks by whole cells, so that the cells keep their size.
    const int edge = BoardRxDrawGrid->CellEdge();
    const int addedRows = Settings().Rows() - BoardRxDrawGrid->RowCount();
    const int addedFiles = Settings().Files() - BoardRxDrawGrid->ColCount();
    BoardRxDrawGrid->hide();
    Flow.DestroyGame();
    resize(std::max(minimumWidth(), width() + addedFiles * edge),
           std::max(minimumHeight(), height() + addedRows * edge));
    Flow.RebuildGame();
    if (Settings().Checked(TSetting::AutoFit)) FitToScreen();
}

QString TMainForm::BoardCaption(TRules rules, int rows, int files, bool coloring) const {
    // The captions are read from the menu as it stands, so a translated menu translates the
    // caption too.
    for (int i = 0; i < PresetCount; ++i) {
        const TPreset& p = Presets[std::size_t(i)];
        if (p.Rules == rules && p.Rows == rows && p.Files == files && p.Coloring == coloring)
            return WithoutAccelerator(PresetItems[std::size_t(i)]->text());
    }
    return Translated("By rules of") + QLatin1Char(' ') +
           WithoutAccelerator(PresetItems[std::size_t(FamilyPreset(rules))]->text());
}

void TMainForm::UpdateCaption() {
    QString caption;
    if (Flow.Mode() == TMode::Setup) caption = Translated("Set up position|");

    const TRules rules = Settings().Rules();
    const int rows = Settings().Rows();
    const int files = Settings().Files();
    const bool coloring = Settings().Checked(TSetting::Coloring);
    for (int i = 0; i < PresetCount; ++i) {
        const TPreset& p = Presets[std::size_t(i)];
        PresetItems[std::size_t(i)]->setChecked(p.Rules == rules && p.Rows == rows &&
                                                p.Files == files && p.Coloring == coloring);
    }
    setWindowTitle(caption + BoardCaption(rules, rows, files, coloring));
}

} // namespace quorvin
