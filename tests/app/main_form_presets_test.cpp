// The rule presets and the caption: the presets' menu with its separators, each preset chosen
// in the middle of a game (one question, then the preset's board and rules), declining changing
// nothing, and the caption naming the preset or "By rules of" the family for boards that match
// none, for every family.
#include "window_test_support.h"

#include "draw.h"
#include "rules.h"

#include <QAction>
#include <QMenu>

namespace quorvin::test {
namespace {

constexpr std::array<const char*, PresetCount> PresetCaptions{"Vorna",
                                                              "Brazilian checkers",
                                                              "International draughts",
                                                              "Canadian checkers",
                                                              "Spanish checkers",
                                                              "Straight checkers",
                                                              "Russian draughts",
                                                              "Pool checkers",
                                                              "Czech draughts",
                                                              "Italian draughts"};

class PresetsTest : public TWindowTest {
  protected:
    int CheckedPreset() const {
        int checked = -1;
        for (int i = 0; i < PresetCount; ++i)
            if (Form->PresetItem(i)->isChecked()) {
                EXPECT_EQ(checked, -1) << "two presets checked";
                checked = i;
            }
        return checked;
    }
    int Confirmations() const {
        return static_cast<int>(std::count_if(Messages.begin(), Messages.end(), [](auto& m) {
            return m.Text == QStringLiteral("New game - are you sure?");
        }));
    }
};

TEST_F(PresetsTest, EveryPresetFromAGameInProgress) {
    Settings().Set(TSetting::Sides, 0);
    Answer = TMessageAnswer::Yes;
    for (int i = 0; i < PresetCount; ++i) {
        SCOPED_TRACE(PresetCaptions[std::size_t(i)]);
        ClickMove(Now().Moves.GetMove(1));
        ASSERT_EQ(Game().Count(), 2);
        Messages.clear();
        Form->PresetItem(i)->trigger();
        EXPECT_EQ(Confirmations(), 1);
        EXPECT_EQ(Messages.size(), 1u);
        const TPreset& p = Presets[std::size_t(i)];
        EXPECT_EQ(Settings().Rules(), p.Rules);
        EXPECT_EQ(Settings().Rows(), p.Rows);
        EXPECT_EQ(Settings().Files(), p.Files);
        EXPECT_EQ(Settings().Checked(TSetting::Coloring), p.Coloring);
        EXPECT_EQ(Game().Rules(), p.Rules);
        EXPECT_EQ(BoardRows, p.Rows);
        EXPECT_EQ(BoardFiles, p.Files);
        EXPECT_EQ(Form->Board().RowCount(), p.Rows);
        EXPECT_EQ(Form->Board().ColCount(), p.Files);
        EXPECT_EQ(Game().Count(), 1);
        EXPECT_TRUE(Now().SameAs(TGame(p.Rules).CurrentPosition()));
        EXPECT_EQ(Form->windowTitle(), QString::fromLatin1(PresetCaptions[std::size_t(i)]));
        EXPECT_EQ(CheckedPreset(), i);
        EXPECT_EQ(Form->Sounds().PlayCount(TSound::Start), i + 2); // the first game and each
    }
}

TEST_F(PresetsTest, TheQuickMenuPartsTheFamiliesBySeparators) {
    const auto* menu = Form->findChild<QMenu*>(QStringLiteral("NQuick"));
    ASSERT_NE(menu, nullptr);
    QStringList shown;
    for (const QAction* item : menu->actions())
        shown << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(shown.join(QLatin1Char('|')),
              QStringLiteral("&Vorna|-|&Brazilian checkers|&International draughts|"
                             "&Canadian checkers|-|&Spanish checkers|-|S&traight checkers|-|"
                             "&Russian draughts|&Pool checkers|C&zech draughts|It&alian draughts"));
    for (int i = 0; i < PresetCount; ++i)
        EXPECT_TRUE(menu->actions().contains(Form->PresetItem(i)));
}

TEST_F(PresetsTest, DecliningChangesNothing) {
    ClickMove(Now().Moves.GetMove(1));
    const int count = Game().Count();
    Answer = TMessageAnswer::No;
    Form->PresetItem(3)->trigger(); // Canadian checkers
    EXPECT_EQ(Confirmations(), 1);
    EXPECT_EQ(Settings().Rows(), 8);
    EXPECT_EQ(Settings().Files(), 8);
    EXPECT_EQ(Game().Count(), count);
    EXPECT_EQ(CheckedPreset(), 1);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Brazilian checkers"));
}

TEST_F(PresetsTest, BoardsThatMatchNoPresetNameTheFamily) {
    Form->ChangeSetting(TSetting::Rows, 10);
    Form->ChangeSetting(TSetting::Files, 10);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("International draughts"));
    EXPECT_EQ(CheckedPreset(), 2);
    Form->ChangeSetting(TSetting::Coloring, 1);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("By rules of International draughts"));
    EXPECT_EQ(CheckedPreset(), -1);

    Form->ChangeSetting(TSetting::Rules, static_cast<int>(TRules::Vorna));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("By rules of Vorna"));
    Form->ChangeSetting(TSetting::Rows, 8);
    Form->ChangeSetting(TSetting::Coloring, 0);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vorna"));
    EXPECT_EQ(CheckedPreset(), 0);

    // Spanish checkers on an 8 x 8 board without Coloring is not the Spanish preset.
    Form->ChangeSetting(TSetting::Files, 8);
    Form->ChangeSetting(TSetting::Rules, static_cast<int>(TRules::Spanish));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("By rules of Spanish checkers"));
    Form->ChangeSetting(TSetting::Rules, static_cast<int>(TRules::Straight));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Straight checkers"));
    EXPECT_EQ(CheckedPreset(), 5);

    ClickAction(TActionId::Setup);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Set up position|Straight checkers"));
}

TEST_F(PresetsTest, TheLaterFamiliesNameThemselvesOffTheirBoards) {
    struct TCase {
        TRules Rules;
        int Rows, Files;
        bool Coloring;
        const char* Caption;
        int Checked;
    };
    // On 8 x 8 the rules alone tell Brazilian, Russian, Pool and Czech apart, and Spanish from
    // Italian; the colouring that belongs to the other family's preset matches none.
    constexpr std::array<TCase, 9> cases{{
        {TRules::Russian, 8, 8, false, "Russian draughts", 6},
        {TRules::Russian, 8, 8, true, "By rules of Russian draughts", -1},
        {TRules::Pool, 8, 8, false, "Pool checkers", 7},
        {TRules::Pool, 10, 10, false, "By rules of Pool checkers", -1},
        {TRules::Czech, 8, 8, false, "Czech draughts", 8},
        {TRules::Czech, 12, 8, false, "By rules of Czech draughts", -1},
        {TRules::Italian, 8, 8, true, "Italian draughts", 9},
        {TRules::Italian, 8, 8, false, "By rules of Italian draughts", -1},
        {TRules::Spanish, 8, 8, true, "Spanish checkers", 4},
    }};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Caption);
        Form->ChangeSetting(TSetting::Rules, static_cast<int>(c.Rules));
        Form->ChangeSetting(TSetting::Rows, c.Rows);
        Form->ChangeSetting(TSetting::Files, c.Files);
        Form->ChangeSetting(TSetting::Coloring, c.Coloring ? 1 : 0);
        EXPECT_EQ(Form->windowTitle(), QString::fromLatin1(c.Caption));
        EXPECT_EQ(CheckedPreset(), c.Checked);
        EXPECT_EQ(Game().Rules(), c.Rules);
    }
}

TEST_F(PresetsTest, AChangeRebuildsOnlyWhenTheValueChanges) {
    Settings().Set(TSetting::Sides, 0);
    ClickMove(Now().Moves.GetMove(1));
    EXPECT_FALSE(Form->ChangeSetting(TSetting::Rows, 8));
    EXPECT_EQ(Game().Count(), 2); // the game goes on
    Settings().Set(TSetting::AutoFit, 0);
    const int edge = Form->Board().CellEdge();
    EXPECT_TRUE(Form->ChangeSetting(TSetting::Rows, 10));
    EXPECT_EQ(Game().Count(), 1);
    EXPECT_EQ(Form->Board().RowCount(), 10);
    EXPECT_EQ(SquareCount, 40);
    // The window grew by two rows of cells, so the cells kept their size.
    ASSERT_TRUE(WaitUntil([&] { return std::abs(Form->Board().CellEdge() - edge) <= 1; }));
}

} // namespace
} // namespace quorvin::test
