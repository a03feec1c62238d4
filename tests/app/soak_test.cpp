// A soak of the main window: a driver with a fixed seed issues random commands, board
// clicks, options changes (board size, rules, sides, levels kept at "At Random" and "Kiddy"),
// presets of every family, picture sets, position setup and undo/redo steps, answering every
// question at random, and after each step checks that the game record and the command states hold
// together. A short run is part of the suite; QUORVIN_SOAK_SECONDS (make soak) runs it for
// longer, QUORVIN_SOAK_STEPS sets the number of steps.
#include "window_test_support.h"

#include "control_support.h"
#include "draw.h"
#include "tune_form.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <vector>

namespace quorvin::test {
namespace {

constexpr int DefaultSteps = 300;
constexpr unsigned Seed = 20261209;

int EnvironmentNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

class SoakTest : public TWindowTest {
  protected:
    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(Random); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    void Step() {
        Answer = Chance(70) ? TMessageAnswer::Yes : TMessageAnswer::No;
        switch (Pick(0, 9)) {
        case 0:
        case 1:
        case 2:
            PlayAMove();
            break;
        case 3:
            ClickCell(Pick(0, Form->Board().ColCount() - 1), Pick(0, Form->Board().RowCount() - 1),
                      Chance(80) ? Qt::LeftButton : Qt::RightButton);
            if (Form->ToolMenu()->isVisible()) Form->ToolMenu()->close();
            break;
        case 4:
        case 5:
            TriggerACommand();
            break;
        case 6:
            ChangeOptions();
            break;
        case 7:
            Form->PresetItem(NextPreset())->trigger();
            break;
        case 8:
            Form->MenuItem(QStringLiteral("mTechno mWood mPolish mMahogany mCloth")
                               .split(QLatin1Char(' '))[Pick(0, 4)])
                ->trigger();
            break;
        default:
            SetUpSomething();
            break;
        }
    }

    // The presets come in rounds, each round every preset once in a random order, so that a
    // run of the usual length chooses each of them a few times.
    int NextPreset() {
        if (PresetDeck.empty()) {
            for (int i = 0; i < PresetCount; ++i) PresetDeck.push_back(i);
            std::shuffle(PresetDeck.begin(), PresetDeck.end(), Random);
        }
        const int preset = PresetDeck.back();
        PresetDeck.pop_back();
        return preset;
    }

    void PlayAMove() {
        if (Form->Mode() != TMode::Play || Form->IsGameOver() || Now().Moves.Count == 0) return;
        ClickMove(Now().Moves.GetMove(Pick(1, Now().Moves.Count)));
    }

    void TriggerACommand() {
        static constexpr std::array<TActionId, 12> commands{
            TActionId::NewGame, TActionId::Undo,    TActionId::Redo,     TActionId::UndoAll,
            TActionId::RedoAll, TActionId::Advice,  TActionId::Setup,    TActionId::Continue,
            TActionId::Clear,   TActionId::Arrange, TActionId::Delegate, TActionId::RotateBoard};
        QAction* action = Form->Action(commands[std::size_t(Pick(0, commands.size() - 1))]);
        if (action->isEnabled() && action->isVisible()) action->trigger();
    }

    void SetUpSomething() {
        if (Form->Mode() != TMode::Setup) {
            if (Chance(30)) ClickAction(TActionId::Setup);
            return;
        }
        static constexpr std::array<TActionId, 5> tools{TActionId::EmptySquare,
                                                        TActionId::WhitePawn, TActionId::BlackPawn,
                                                        TActionId::WhiteKing, TActionId::BlackKing};
        QAction* tool = Form->Action(tools[std::size_t(Pick(0, 4))]);
        if (tool->isVisible()) tool->trigger();
        for (int n = Pick(1, 6); n > 0; --n)
            ClickCell(Pick(0, Form->Board().ColCount() - 1), Pick(0, Form->Board().RowCount() - 1));
        if (Chance(40)) ClickAction(TActionId::Continue);
    }

    void ChangeOptions() {
        static constexpr std::array<TActionId, 5> openers{
            TActionId::Options, TActionId::Sides, TActionId::BrainOptions, TActionId::BoardSetup,
            TActionId::BoardView};
        QAction* opener = Form->Action(openers[std::size_t(Pick(0, 4))]);
        if (!opener->isEnabled()) return;
        TTuneForm& dialog = Form->Options();
        When([&dialog] { return dialog.isVisible(); },
             [this, &dialog] {
                 for (int n = Pick(1, 3); n > 0; --n) ChangeOneOption(dialog);
                 dialog.accept();
             });
        opener->trigger();
        ASSERT_FALSE(dialog.isVisible());
    }

    void ChangeOneOption(TTuneForm& dialog) {
        static constexpr std::array<TSetting, 14> settings{TSetting::Rows,
                                                           TSetting::Files,
                                                           TSetting::Coloring,
                                                           TSetting::Rules,
                                                           TSetting::Sides,
                                                           TSetting::OpponentLevel,
                                                           TSetting::HinterLevel,
                                                           TSetting::Synchro,
                                                           TSetting::AutoSingleMove,
                                                           TSetting::WhiteTop,
                                                           TSetting::LightPicture,
                                                           TSetting::MarkBlocked,
                                                           TSetting::TripleRepetitionDraw,
                                                           TSetting::ActivePage};
        const TSetting s = settings[std::size_t(Pick(0, settings.size() - 1))];
        QWidget* control = dialog.Control(s);
        if (!control->isEnabled()) return;
        const TSettingDef& d = SettingDef(s);
        int value = Pick(d.Min, d.Max);
        if (s == TSetting::Rows || s == TSetting::Files)
            value = std::clamp(Shown(control) + (Chance(50) ? 1 : -1), d.Min, d.Max);
        if (s == TSetting::OpponentLevel || s == TSetting::HinterLevel) value = Pick(0, 1);
        UserSets(control, value);
    }

    // Every position of the record follows from the one before by a legal move, with its
    // counts and evaluation kept right along the way. The evaluation is checked against the
    // value table in force now, so each step is replayed from a freshly evaluated parent.
    void ExpectRecordWhole() {
        for (int i = 0; i < Game().Count(); ++i) {
            const TPosition& p = Game().Positions(i);
            auto fresh = p.Clone();
            fresh->Evaluate();
            ASSERT_EQ(fresh->Counts, p.Counts) << "position " << i;
            ASSERT_EQ(p.Opponent, 1 - p.SideToMove) << "position " << i;
            if (i == 0) continue;
            auto parent = Game().Positions(i - 1).Clone();
            parent->Evaluate();
            parent->ClassifyNode(false);
            bool reached = false;
            for (int m = 1; m <= parent->Moves.Count && !reached; ++m) {
                auto child = parent->NewPosition();
                child->PlayMove(*parent, m);
                if (!child->SameAs(p)) continue;
                reached = true;
                ASSERT_TRUE(child->Consistent()) << "position " << i;
            }
            ASSERT_TRUE(reached) << "no legal move leads to position " << i;
        }
    }

    void ExpectConsistent(int step) {
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_NE(Form->Game(), nullptr);
        const TMode mode = Form->Mode();
        ASSERT_NE(mode, TMode::Busy);
        ASSERT_FALSE(Form->IsThinking());
        ASSERT_GE(Game().Current(), 1);
        ASSERT_LE(Game().Current(), Game().Count());
        ASSERT_EQ(Game().Rules(), Settings().Rules());
        RulesPlayed.insert(Game().Rules());
        ASSERT_EQ(Form->Board().RowCount(), Settings().Rows());
        ASSERT_EQ(Form->Board().ColCount(), Settings().Files());
        ASSERT_EQ(BoardRows, Settings().Rows());
        ASSERT_EQ(BoardFiles, Settings().Files());
        const bool play = mode == TMode::Play;
        const bool setup = mode == TMode::Setup;
        if (play) ExpectRecordWhole();
        auto on = [this](TActionId id) { return Form->Action(id)->isEnabled(); };
        auto shown = [this](TActionId id) { return Form->Action(id)->isVisible(); };
        ASSERT_EQ(on(TActionId::NewGame), play);
        ASSERT_EQ(on(TActionId::Undo), play && Game().Current() > 1);
        ASSERT_EQ(on(TActionId::Redo), play && Game().Current() < Game().Count());
        ASSERT_EQ(on(TActionId::Advice), play && !Form->IsGameOver());
        ASSERT_EQ(Form->MenuItem(QStringLiteral("NOpen"))->isEnabled(), play);
        ASSERT_EQ(shown(TActionId::Setup), !setup);
        ASSERT_EQ(shown(TActionId::Continue), setup);
        ASSERT_EQ(shown(TActionId::WhiteKing), setup && !Settings().IsVornaRules());
        ASSERT_EQ(Form->SetupPanelShown(), setup);
        ASSERT_EQ(Form->windowTitle().startsWith(QStringLiteral("Set up position|")), setup);
        ASSERT_FALSE(Form->StopButton()->isEnabled());
        for (const TMessageRequest& m : Messages)
            ASSERT_NE(m.Icon, TMessageIcon::Critical) << m.Text.toStdString();
        Messages.clear();
    }

    std::mt19937 Random{Seed};
    std::vector<int> PresetDeck;
    std::set<TRules> RulesPlayed;
};

TEST_F(SoakTest, RandomCommandsKeepTheGameWhole) {
    Settings().Set(TSetting::OpponentLevel, 0);
    Settings().Set(TSetting::HinterLevel, 1);
    const int seconds = EnvironmentNumber("QUORVIN_SOAK_SECONDS", 0);
    const int steps = EnvironmentNumber("QUORVIN_SOAK_STEPS", seconds > 0 ? 1 << 30 : DefaultSteps);
    QElapsedTimer clock;
    clock.start();
    int step = 0;
    for (; step < steps; ++step) {
        if (seconds > 0 && clock.elapsed() > seconds * 1000LL) break;
        Step();
        ExpectConsistent(step);
        if (HasFatalFailure()) return;
    }
    RecordProperty("steps", step);
    std::printf("soak: %d steps in %lld ms\n", step, static_cast<long long>(clock.elapsed()));
    EXPECT_GT(step, 0);
    // The presets and the Rules page between them reach every family in a run of the usual
    // length.
    if (step >= DefaultSteps) {
        EXPECT_EQ(RulesPlayed.size(), std::size_t(RulesCount));
    }
}

} // namespace
} // namespace quorvin::test
