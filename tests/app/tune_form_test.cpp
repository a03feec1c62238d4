// The options dialog: its pages and controls against the settings table, showing the live
// settings without reporting them, each change the user makes written and reported once,
// Synchro and the size limits, the rule-dependent boxes for every family, the Rules page's
// column of families, the level lists that ignore typed keys, the page it opens on, and its
// placement in the settings file.
#include "app_test_support.h"
#include "control_support.h"

#include "ini_file.h"
#include "tune_form.h"
#include "window_placement.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

namespace quorvin::test {
namespace {

using TEvents = std::vector<std::string>;

// Everything the dialog reports, in order, as short texts.
class TReport {
  public:
    explicit TReport(TTuneForm& form) {
        QObject::connect(&form, &TTuneForm::SettingChanged, &Context, [this](TSetting s) {
            Settings.push_back(std::string(SettingDef(s).Name));
        });
        QObject::connect(&form, &TTuneForm::PicturesChanged, &Context, [this](bool swap) {
            Events.push_back(swap ? "Pictures swap" : "Pictures");
        });
        QObject::connect(&form, &TTuneForm::BoardChanged, &Context, [this](int rows, int files) {
            Events.push_back("Board " + std::to_string(rows) + "x" + std::to_string(files));
        });
        QObject::connect(&form, &TTuneForm::RulesChanged, &Context,
                         [this] { Events.push_back("Rules"); });
        QObject::connect(&form, &TTuneForm::SidesChanged, &Context,
                         [this] { Events.push_back("Sides"); });
        QObject::connect(&form, &TTuneForm::ForecastChanged, &Context,
                         [this] { Events.push_back("Forecast"); });
        QObject::connect(&form, &TTuneForm::FitRequested, &Context,
                         [this] { Events.push_back("Fit"); });
    }

    TEvents Events;
    TEvents Settings; // names of the settings reported changed

  private:
    QObject Context; // ends the connections with the report
};

// A value of the setting other than its default.
int OtherValue(const TSettingDef& d) {
    return d.Default == d.Max ? d.Min : d.Max;
}

class TuneFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetApp();
        Form = std::make_unique<TTuneForm>();
    }
    void TearDown() override {
        Form.reset();
        Settings().RestoreDefaults();
    }

    template <class T> T* Find(const char* name) const {
        auto* widget = Form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QSpinBox* Rows() const { return Find<QSpinBox>("LengthRxSpinEdit"); }
    QSpinBox* Files() const { return Find<QSpinBox>("WidthRxSpinEdit"); }

    std::unique_ptr<TTuneForm> Form;
};

TEST_F(TuneFormTest, SevenPagesInOrderWithTheirCaptionsAndAnOkButton) {
    EXPECT_EQ(Form->objectName(), "TTuneForm");
    EXPECT_EQ(Form->windowTitle(), "Options");
    const auto* pages = Find<QTabWidget>("TunePageControl");
    const std::vector<std::pair<QString, QString>> expected{
        {"ViewTabSheet", "View"},          {"BoardTabSheet", "Board"}, {"ColorTabSheet", "Sides"},
        {"BehaviorTabSheet", "Behaviour"}, {"AITabSheet", "Brain"},    {"DrawTabSheet", "Draw"},
        {"RulesTabSheet", "Rules"}};
    ASSERT_EQ(pages->count(), int(expected.size()));
    for (int i = 0; i < pages->count(); ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), expected[i].first);
        EXPECT_EQ(pages->tabText(i), expected[i].second);
    }

    auto* ok = Find<QPushButton>("ExitBitBtn");
    EXPECT_TRUE(ok->isDefault());
    Form->show();
    ok->click();
    EXPECT_EQ(Form->result(), QDialog::Accepted);
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(TuneFormTest, EverySettingHasItsControlWithTheRangeOfTheTable) {
    for (const auto& d : SettingTable) {
        SCOPED_TRACE(std::string(d.Name));
        if (d.Place == TSettingPlace::Menu) {
            // The main window's menu holds it; the dialog has nothing of that name.
            EXPECT_EQ(Form->Control(d.Id), nullptr);
            EXPECT_EQ(Form->Component(d.Name), nullptr);
            continue;
        }
        QWidget* control = Form->Component(d.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control, Form->Control(d.Id));
        const int values = d.Max - d.Min + 1;
        if (d.Type == TSettingType::Boolean) {
            EXPECT_NE(qobject_cast<QCheckBox*>(control), nullptr);
        } else if (d.Type == TSettingType::Page) {
            EXPECT_EQ(qobject_cast<QTabWidget*>(control)->count(), values);
        } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
            EXPECT_EQ(spin->minimum(), d.Min);
            EXPECT_EQ(spin->maximum(), d.Max);
            EXPECT_EQ(spin->singleStep(), 1);
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            EXPECT_EQ(list->count(), values);
            EXPECT_EQ(list->maxVisibleItems(), values); // the whole list without scrolling
        } else {
            ASSERT_NE(qobject_cast<QGroupBox*>(control), nullptr);
            const auto buttons = GroupOf(control)->buttons();
            ASSERT_EQ(buttons.size(), values);
            for (int i = 0; i < values; ++i) {
                EXPECT_EQ(GroupOf(control)->id(buttons[i]), d.Min + i);
                EXPECT_EQ(buttons[i]->objectName(),
                          QString::fromUtf8(d.Name.data(), d.Name.size()) + QString::number(i));
            }
        }
    }
}

TEST_F(TuneFormTest, TheTextsAreThoseThePlayerReads) {
    EXPECT_EQ(Find<QCheckBox>("FitCheckBox")->toolTip(), "At change of the board size ");
    EXPECT_EQ(Find<QCheckBox>("QuietCheckBox")->text(),
              "After 32 moves without captures and crownes");
    EXPECT_EQ(Find<QLabel>("LengthLabel")->text(), "Rows");
    EXPECT_EQ(Find<QLabel>("LengthLabel")->buddy(), Rows());
    EXPECT_EQ(Find<QGroupBox>("OpponentGroupBox")->title(), "Opponent");
    EXPECT_EQ(Find<QGroupBox>("HinterGroupBox")->title(), "Adviser");
    EXPECT_EQ(Find<QComboBox>("OpponentComboBox")->itemText(3), "  0.01 sec/move");
    EXPECT_EQ(Find<QComboBox>("OpponentComboBox")->itemText(12), "10.0 sec/move");
    EXPECT_EQ(Find<QComboBox>("HinterComboBox")->itemText(6), "  0.1   sec/move");
    EXPECT_EQ(Find<QRadioButton>("ColorRadioGroup2")->text(), "Computer - Human");
    EXPECT_EQ(Find<QRadioButton>("RulesRadioGroup3")->text(), "Straight checkers");
    EXPECT_EQ(Find<QRadioButton>("RulesRadioGroup4")->text(), "Russian draughts");
    EXPECT_EQ(Find<QRadioButton>("RulesRadioGroup7")->text(), "Italian draughts");
    EXPECT_EQ(Find<QGroupBox>("RulesRadioGroup")->title(), "On the current board by rules of");
    // The square pictures are chosen by their look: no caption, a preview of the picture.
    for (const char* name : {"UnUsedRadioGroup4", "UsedRadioGroup0", "SelectRadioGroup1"}) {
        EXPECT_TRUE(Find<QRadioButton>(name)->text().isEmpty()) << name;
        EXPECT_FALSE(Find<QRadioButton>(name)->icon().isNull()) << name;
    }
}

TEST_F(TuneFormTest, ALanguageCanReplaceTextsByComponentAndProperty) {
    EXPECT_TRUE(Form->SetText("TTuneForm", TTextProperty::Caption, "Настройки"));
    EXPECT_TRUE(Form->SetText("AITabSheet", TTextProperty::Caption, "Мозг"));
    EXPECT_TRUE(Form->SetText("WidthRxSpinEdit", TTextProperty::Caption, "Поля"));
    EXPECT_TRUE(Form->SetText("ThirdCheckBox", TTextProperty::Hint, "x"));
    EXPECT_TRUE(Form->SetItems("OpponentComboBox", {"a", "b", "c"}));
    EXPECT_FALSE(Form->SetText("NoSuchCheckBox", TTextProperty::Caption, "x"));
    EXPECT_FALSE(Form->SetItems("ThirdCheckBox", {"x"}));

    EXPECT_EQ(Form->windowTitle(), "Настройки");
    EXPECT_EQ(Find<QTabWidget>("TunePageControl")->tabText(4), "Мозг");
    EXPECT_EQ(Find<QLabel>("WidthLabel")->text(), "Поля");
    EXPECT_EQ(Find<QCheckBox>("ThirdCheckBox")->toolTip(), "x");
    const auto* levels = Find<QComboBox>("OpponentComboBox");
    EXPECT_EQ(levels->itemText(2), "c");
    EXPECT_EQ(levels->itemText(3), "  0.01 sec/move");
    EXPECT_EQ(levels->count(), 14); // the thirteen levels and the master search
    EXPECT_EQ(levels->itemText(13), "Master");
}

// The main window changes settings while the dialog is hidden (rotate board, picture and
// rule presets, Break calculation); the dialog must show them and not take them for changes.
TEST_F(TuneFormTest, ShowingTheDialogShowsTheSettingsWithoutReportingAnything) {
    Form->show();
    Form->hide();
    for (const auto& d : SettingTable) Settings().Set(d.Id, OtherValue(d));
    TReport report(*Form);
    Form->show();
    for (const auto& d : SettingTable) {
        if (d.Place == TSettingPlace::Menu) continue;
        EXPECT_EQ(Shown(Form->Control(d.Id)), OtherValue(d)) << d.Name;
        EXPECT_EQ(Settings().Get(d.Id), OtherValue(d)) << d.Name;
    }
    EXPECT_TRUE(report.Events.empty());
    EXPECT_TRUE(report.Settings.empty());
    EXPECT_FALSE(Form->IsChanged());

    // Building the controls does not write their initial values into the settings either.
    TTuneForm fresh;
    for (const auto& d : SettingTable) {
        if (d.Place == TSettingPlace::Menu) continue;
        EXPECT_EQ(Shown(fresh.Control(d.Id)), OtherValue(d)) << d.Name;
        EXPECT_EQ(Settings().Get(d.Id), OtherValue(d)) << d.Name;
    }
}

TEST_F(TuneFormTest, EachChangeTheUserMakesIsWrittenAndReportedOnce) {
    for (const auto& d : SettingTable) {
        SCOPED_TRACE(std::string(d.Name));
        if (d.Place == TSettingPlace::Menu) continue;
        // "Mark blocked" can be changed under Vorna only, the draw rules under the others.
        const bool vorna = d.Id == TSetting::MarkBlocked;
        Settings().Set(TSetting::Rules,
                       static_cast<int>(vorna ? TRules::Vorna : TRules::International));
        Form->hide();
        Form->show();
        TReport report(*Form);
        UserSets(Form->Control(d.Id), OtherValue(d));
        EXPECT_EQ(Settings().Get(d.Id), OtherValue(d));
        EXPECT_EQ(report.Settings, TEvents{std::string(d.Name)});
    }
}

TEST_F(TuneFormTest, ChangesNeedingAnAnswerHaveTheirSignals) {
    Form->show();
    TReport report(*Form);
    Find<QRadioButton>("UnUsedRadioGroup2")->click();
    Find<QRadioButton>("UsedRadioGroup3")->click();
    Find<QRadioButton>("SelectRadioGroup1")->click();
    Find<QCheckBox>("WhiteTopCheckBox")->click();
    Find<QCheckBox>("AlternativeCheckBox")->click();
    Find<QRadioButton>("ColorRadioGroup0")->click();
    Find<QCheckBox>("ForecastCheckBox")->click();
    Find<QCheckBox>("FitCheckBox")->click(); // off: nothing to fit
    Find<QCheckBox>("FitCheckBox")->click(); // on again
    Find<QRadioButton>("RulesRadioGroup0")->click();
    Find<QRadioButton>("RulesRadioGroup0")->click(); // already chosen
    Find<QCheckBox>("OneMoveCheckBox")->click();     // read when needed; nothing to answer
    EXPECT_EQ(report.Events, (TEvents{"Pictures", "Pictures", "Pictures", "Pictures swap",
                                      "Board 8x8", "Sides", "Forecast", "Fit", "Rules"}));
    EXPECT_TRUE(Form->IsChanged());
}

TEST_F(TuneFormTest, TheLastMoveBoxSitsOnTheViewPageAndOnlyReportsItsChange) {
    auto* box = Find<QCheckBox>("LastMoveCheckBox");
    EXPECT_EQ(box, Form->Control(TSetting::LastMove));
    EXPECT_EQ(box->text(), "Last move");
    EXPECT_FALSE(box->toolTip().isEmpty());
    const auto* pages = Find<QTabWidget>("TunePageControl");
    EXPECT_TRUE(pages->widget(static_cast<int>(TTunePage::View))->isAncestorOf(box));
    // It comes right after "White side on top".
    auto* layout = pages->widget(static_cast<int>(TTunePage::View))->layout();
    EXPECT_EQ(layout->indexOf(box), layout->indexOf(Find<QCheckBox>("WhiteTopCheckBox")) + 1);

    Form->show();
    EXPECT_FALSE(box->isChecked());
    TReport report(*Form);
    box->click();
    EXPECT_TRUE(Settings().Checked(TSetting::LastMove));
    box->click();
    EXPECT_FALSE(Settings().Checked(TSetting::LastMove));
    EXPECT_EQ(report.Settings, (TEvents{"LastMoveCheckBox", "LastMoveCheckBox"}));
    EXPECT_TRUE(report.Events.empty());
    EXPECT_FALSE(Form->IsChanged());
}

TEST_F(TuneFormTest, ChangedIsSetByBoardOrRulesAndClearedByTheNextShow) {
    Form->show();
    Find<QRadioButton>("ColorRadioGroup2")->click();
    Find<QComboBox>("OpponentComboBox")->setCurrentIndex(7);
    EXPECT_FALSE(Form->IsChanged());
    Files()->stepBy(1);
    EXPECT_TRUE(Form->IsChanged());
    Form->hide();
    Form->show();
    EXPECT_FALSE(Form->IsChanged());
    Find<QRadioButton>("RulesRadioGroup2")->click();
    EXPECT_TRUE(Form->IsChanged());
}

TEST_F(TuneFormTest, SynchroArrowsTakeTheOtherSizeAlong) {
    Form->show();
    Find<QCheckBox>("TogetherCheckBox")->click();
    TReport report(*Form);
    Rows()->stepBy(1);
    Rows()->stepBy(1);
    EXPECT_EQ(Settings().Rows(), 10);
    EXPECT_EQ(Settings().Files(), 10);
    EXPECT_EQ(Files()->value(), 10);
    // Each size's change is reported once, with the board it replaces.
    EXPECT_EQ(report.Events, (TEvents{"Board 8x8", "Board 9x8", "Board 9x9", "Board 10x9"}));

    report.Events.clear();
    Files()->stepBy(-1);
    EXPECT_EQ(report.Events, (TEvents{"Board 10x10", "Board 10x9"}));
    EXPECT_EQ(Settings().Rows(), 9);
    EXPECT_EQ(Settings().Files(), 9);
}

TEST_F(TuneFormTest, OnlyArrowStepsAreSynchronised) {
    Form->show();
    TReport report(*Form);
    Rows()->stepBy(1); // Synchro is off
    EXPECT_EQ(Settings().Rows(), 9);
    EXPECT_EQ(Settings().Files(), 8);

    Find<QCheckBox>("TogetherCheckBox")->click();
    Rows()->setValue(11);
    Rows()->setValue(11); // the same value again
    EXPECT_EQ(Settings().Rows(), 11);
    EXPECT_EQ(Settings().Files(), 8);
    EXPECT_EQ(report.Events, (TEvents{"Board 8x8", "Board 9x8"}));
}

TEST_F(TuneFormTest, ArrowsDoNothingAtTheLimits) {
    Settings().Set(TSetting::Synchro, 1);
    Settings().Set(TSetting::Rows, 12);
    Settings().Set(TSetting::Files, 8);
    Form->show();
    TReport report(*Form);
    Rows()->stepBy(1);
    EXPECT_EQ(Settings().Rows(), 12);
    EXPECT_EQ(Settings().Files(), 8);

    Settings().Set(TSetting::Rows, 4);
    Form->hide();
    Form->show();
    Rows()->stepBy(-1);
    EXPECT_EQ(Settings().Rows(), 4);
    EXPECT_EQ(Settings().Files(), 8);
    EXPECT_TRUE(report.Events.empty());

    // The other size stops at its own limit while this one moves on.
    Settings().Set(TSetting::Rows, 6);
    Settings().Set(TSetting::Files, 4);
    Form->hide();
    Form->show();
    Rows()->stepBy(-1);
    EXPECT_EQ(Settings().Rows(), 5);
    EXPECT_EQ(Settings().Files(), 4);
    EXPECT_EQ(report.Events, TEvents{"Board 6x4"});
}

TEST_F(TuneFormTest, TheSizesCannotBeTypedOnlyStepped) {
    Form->show();
    Rows()->setFocus();
    QTest::keyClicks(Rows(), "12");
    QTest::keyClick(Rows(), Qt::Key_Backspace);
    EXPECT_EQ(Settings().Rows(), 8);
    QTest::keyClick(Rows(), Qt::Key_Up);
    EXPECT_EQ(Settings().Rows(), 9);
    EXPECT_EQ(Rows()->value(), 9);
}

struct TEnables {
    TRules Rules;
    bool MarkBlocked, Triple, Quiet, ThreeKings;
};

class TuneFormEnablesTest : public TuneFormTest, public ::testing::WithParamInterface<TEnables> {
  protected:
    void ExpectEnables() {
        const auto& e = GetParam();
        EXPECT_EQ(Find<QCheckBox>("FreeCheckBox")->isEnabled(), e.MarkBlocked);
        EXPECT_EQ(Find<QCheckBox>("ThirdCheckBox")->isEnabled(), e.Triple);
        EXPECT_EQ(Find<QCheckBox>("QuietCheckBox")->isEnabled(), e.Quiet);
        EXPECT_EQ(Find<QCheckBox>("ThreeVsOneCheckBox")->isEnabled(), e.ThreeKings);
    }
};

TEST_P(TuneFormEnablesTest, WhenTheDialogIsShown) {
    Settings().Set(TSetting::Rules, static_cast<int>(GetParam().Rules));
    Form->show();
    ExpectEnables();
}

TEST_P(TuneFormEnablesTest, WhenTheRulesAreChosenInTheDialog) {
    // Start from rules whose enables differ in every box that can differ.
    const TRules start = GetParam().Rules == TRules::Vorna ? TRules::International : TRules::Vorna;
    Settings().Set(TSetting::Rules, static_cast<int>(start));
    Form->show();
    UserSets(Form->Control(TSetting::Rules), static_cast<int>(GetParam().Rules));
    EXPECT_EQ(Settings().Rules(), GetParam().Rules);
    ExpectEnables();
}

std::string RulesName(const ::testing::TestParamInfo<TEnables>& info) {
    static constexpr std::array<const char*, RulesCount> names{
        "Vorna", "International", "Spanish", "Straight", "Russian", "Pool", "Czech", "Italian"};
    return names[static_cast<int>(info.param.Rules)];
}

INSTANTIATE_TEST_SUITE_P(Rules, TuneFormEnablesTest,
                         ::testing::Values(TEnables{TRules::Vorna, true, false, false, false},
                                           TEnables{TRules::International, false, true, true, true},
                                           TEnables{TRules::Spanish, false, true, true, true},
                                           TEnables{TRules::Straight, false, true, true, false},
                                           TEnables{TRules::Russian, false, true, true, true},
                                           TEnables{TRules::Pool, false, true, true, true},
                                           TEnables{TRules::Czech, false, true, true, true},
                                           TEnables{TRules::Italian, false, true, true, false}),
                         RulesName);

TEST_F(TuneFormTest, TypedKeysAndTheWheelDoNotChangeALevel) {
    Form->SetActivePage(TTunePage::Brain);
    Form->show();
    for (const auto setting : {TSetting::OpponentLevel, TSetting::HinterLevel}) {
        auto* list = static_cast<QComboBox*>(Form->Control(setting));
        SCOPED_TRACE(list->objectName().toStdString());
        const int level = Settings().Get(setting);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_K); // "Kiddy"
        QTest::keyClick(list, Qt::Key_A); // "At Random"
        QTest::keyClick(list, Qt::Key_1);
        for (const auto key :
             {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown})
            QTest::keyClick(list, key);
        const QPointF at = list->rect().center();
        QWheelEvent wheel(at, list->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list, &wheel);
        EXPECT_EQ(list->currentIndex(), level);
        EXPECT_EQ(Settings().Get(setting), level);
        EXPECT_FALSE(list->view()->isVisible());
    }
}

TEST_F(TuneFormTest, TheRulesPageShowsEveryFamilyInOneColumn) {
    Form->SetActivePage(TTunePage::Rules);
    Form->show();
    const QWidget* page = Find<QWidget>("RulesTabSheet");
    const auto buttons = GroupOf(Form->Control(TSetting::Rules))->buttons();
    ASSERT_EQ(buttons.size(), RulesCount);
    for (int i = 0; i < RulesCount; ++i) {
        SCOPED_TRACE(buttons[i]->text().toStdString());
        EXPECT_TRUE(buttons[i]->isVisible());
        // Whole on the page, its text not cut, below the one before it at the same left edge.
        const QRect shown(buttons[i]->mapTo(page, QPoint(0, 0)), buttons[i]->size());
        EXPECT_TRUE(page->rect().contains(shown));
        EXPECT_GE(buttons[i]->width(), buttons[i]->sizeHint().width());
        EXPECT_GE(buttons[i]->height(), buttons[i]->sizeHint().height());
        if (i > 0) {
            EXPECT_EQ(buttons[i]->x(), buttons[0]->x());
            EXPECT_GE(buttons[i]->y(), buttons[i - 1]->geometry().bottom());
        }
    }
}

TEST_F(TuneFormTest, TheDialogOpensOnThePageLastShown) {
    auto* pages = Find<QTabWidget>("TunePageControl");
    Form->show();
    pages->setCurrentIndex(4);
    EXPECT_EQ(Settings().Get(TSetting::ActivePage), 4);
    Form->hide();
    Form->show();
    EXPECT_EQ(pages->currentWidget()->objectName(), "AITabSheet");

    TIniFile ini;
    Settings().Save(ini);
    EXPECT_EQ(ini.Read("TTuneForm", "TunePageControl_ActivePage"), "AITabSheet");
    Settings().RestoreDefaults();
    Settings().Load(ini);
    TTuneForm next;
    next.show();
    EXPECT_EQ(next.findChild<QTabWidget*>("TunePageControl")->currentWidget()->objectName(),
              "AITabSheet");

    next.hide();
    next.SetActivePage(TTunePage::Sides);
    next.show();
    EXPECT_EQ(next.findChild<QTabWidget*>("TunePageControl")->currentWidget()->objectName(),
              "ColorTabSheet");
    EXPECT_EQ(Settings().Get(TSetting::ActivePage), 2);
}

TEST_F(TuneFormTest, ThePlacementSurvivesASaveAndARestore) {
    TIniFile ini;
    ini.Write("TTuneForm", "NormPos", "100,120,400,500");
    Form->RestoreState(ini);

    TIniFile unopened; // a dialog never opened keeps the place it was given
    Form->SaveState(unopened);
    EXPECT_EQ(unopened.Read("TTuneForm", "NormPos"), "100,120,400,500");

    Form->show();
    EXPECT_EQ(Form->frameGeometry().topLeft(), QPoint(100, 120));
    Form->move(130, 90);
    Form->hide();
    TIniFile saved;
    Form->SaveState(saved);
    const QRect frame = Form->frameGeometry();
    EXPECT_EQ(saved.Read("TTuneForm", "NormPos"), QStringLiteral("130,90,%1,%2")
                                                      .arg(130 + frame.width())
                                                      .arg(90 + frame.height())
                                                      .toStdString());
    for (const char* key : {"FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos"})
        EXPECT_TRUE(saved.Read("TTuneForm", key).has_value()) << key;

    TTuneForm next;
    next.RestoreState(saved);
    next.show();
    EXPECT_EQ(next.frameGeometry().topLeft(), QPoint(130, 90));
}

TEST_F(TuneFormTest, APlaceOffTheScreenIsNotRestored) {
    TIniFile ini;
    ini.Write("TTuneForm", "NormPos", "-5000,-5000,-4700,-4600");
    Form->RestoreState(ini);
    Form->show();
    const QRect area = Form->screen()->availableGeometry();
    EXPECT_TRUE(area.intersects(Form->frameGeometry()));

    // A malformed key is no place: the dialog, never shown, gets one centred on the screen.
    TTuneForm next;
    TIniFile broken;
    broken.Write("TTuneForm", "NormPos", "100,x,400,500");
    next.RestoreState(broken);
    TIniFile saved;
    next.SaveState(saved);
    const auto frame = ReadNormalPosition(saved, "TTuneForm");
    ASSERT_TRUE(frame.has_value());
    EXPECT_LE((frame->center() - area.center()).manhattanLength(), 2);
    EXPECT_EQ(frame->size(), next.sizeHint());
}

} // namespace
} // namespace quorvin::test
