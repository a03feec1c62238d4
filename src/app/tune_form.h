// TTuneForm, the options dialog: seven pages of controls over the live settings of
// settings.h (all but the few the main window's menu holds). The dialog holds no values of its
// own. Its controls are built from the settings table (names, ranges), show Settings() each
// time the dialog is shown, and write every change the user makes straight back into
// Settings(). What a change means for the game is left to whoever listens to the signals
// below; the dialog never rebuilds a game.
//
// Wiring it into the main window:
//   PicturesChanged(swap)  RefreshPanels(swap), UpdateSideIndicators, ClearTileCache
//   BoardChanged(rows, files)  DestroyGame, grow the window by the change of rows and
//                          files times the cell size, RebuildGame, caption and preset marks;
//                          then FitToScreen when "Auto fit to screen" is checked
//   RulesChanged()         RebuildGame, caption and preset marks
//   SidesChanged()         RefreshPanels without swapping
//   ForecastChanged()      ClearForecasts for both sides
//   FitRequested()         FitToScreen
//   SettingChanged(LastMove)  mark the last move's squares, or take the marks away
// and after exec() returns: a new game when IsChanged(), else let the game go on.
#pragma once

#include "settings.h"
#include "think.h"

#include <QDialog>
#include <QImage>

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

class QComboBox;
class QGroupBox;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace quorvin {

class TIniFile;
class TWindowPlacement;

// The pages, in the order of TunePageNames.
enum class TTunePage { View, Board, Sides, Behaviour, Brain, Draw, Rules };

// The text properties of the dialog's components that a language file may replace.
enum class TTextProperty { Caption, Hint };

struct TTuneText {
    std::string_view Component; // objectName; "TTuneForm" is the dialog itself
    TTextProperty Property;
    std::string_view Text;
};

// Every caption and hint of the dialog in English. A spin box's caption is the label
// beside it.
inline constexpr auto TuneTexts = std::to_array<TTuneText>({
    {"TTuneForm", TTextProperty::Caption, "Options"},
    {"ViewTabSheet", TTextProperty::Caption, "View"},
    {"BoardTabSheet", TTextProperty::Caption, "Board"},
    {"ColorTabSheet", TTextProperty::Caption, "Sides"},
    {"BehaviorTabSheet", TTextProperty::Caption, "Behaviour"},
    {"AITabSheet", TTextProperty::Caption, "Brain"},
    {"DrawTabSheet", TTextProperty::Caption, "Draw"},
    {"RulesTabSheet", TTextProperty::Caption, "Rules"},
    {"UnUsedRadioGroup", TTextProperty::Caption, "Light square"},
    {"UsedRadioGroup", TTextProperty::Caption, "Dark square"},
    {"SelectRadioGroup", TTextProperty::Caption, "Mark"},
    {"WhiteTopCheckBox", TTextProperty::Caption, "White side on top"},
    {"WhiteTopCheckBox", TTextProperty::Hint, "White side on top of the board"},
    {"LastMoveCheckBox", TTextProperty::Caption, "Last move"},
    {"LastMoveCheckBox", TTextProperty::Hint,
     "Keeps the squares the last move started from and ended on marked"},
    {"LengthRxSpinEdit", TTextProperty::Caption, "Rows"},
    {"WidthRxSpinEdit", TTextProperty::Caption, "Files"},
    {"AlternativeCheckBox", TTextProperty::Caption, "Coloring"},
    {"AlternativeCheckBox", TTextProperty::Hint, "Near left field at white side is light"},
    {"TogetherCheckBox", TTextProperty::Caption, "Synchro"},
    {"TogetherCheckBox", TTextProperty::Hint, "Synchronize length and width"},
    {"FitCheckBox", TTextProperty::Caption, "Auto fit to screen"},
    {"FitCheckBox", TTextProperty::Hint, "At change of the board size "},
    {"ColorRadioGroup", TTextProperty::Caption, "White - Black"},
    {"OneMoveCheckBox", TTextProperty::Caption, "Auto single move"},
    {"OneMoveCheckBox", TTextProperty::Hint, "When the move only one, it is done automatically"},
    {"ChangeCheckBox", TTextProperty::Caption, "Animation"},
    {"OneByOneCheckBox", TTextProperty::Caption, "Capture one by one"},
    {"FreeCheckBox", TTextProperty::Caption, "Mark blocked"},
    {"FreeCheckBox", TTextProperty::Hint, "Marks checkers that cannot be moved in the given party"},
    {"ForecastCheckBox", TTextProperty::Caption, "Forecast"},
    {"OpponentGroupBox", TTextProperty::Caption, "Opponent"},
    {"OpponentPositionCheckBox", TTextProperty::Caption, "Disposition"},
    {"OpponentPositionCheckBox", TTextProperty::Hint,
     "The program plays more strongly, but is less various."},
    {"HinterGroupBox", TTextProperty::Caption, "Adviser"},
    {"HinterPositionCheckBox", TTextProperty::Caption, "Disposition"},
    {"HinterPositionCheckBox", TTextProperty::Hint,
     "The program plays more strongly, but is less various."},
    {"ThirdCheckBox", TTextProperty::Caption, "By triple recurrence of a position"},
    {"QuietCheckBox", TTextProperty::Caption, "After 32 moves without captures and crownes"},
    {"ThreeVsOneCheckBox", TTextProperty::Caption, "After 15 moves (3 kings vs 1)"},
    {"RulesRadioGroup", TTextProperty::Caption, "On the current board by rules of"},
    {"ExitBitBtn", TTextProperty::Caption, "OK"},
});

inline constexpr std::array<std::string_view, 3> SidesItems{"Human - Human", "Human - Computer",
                                                            "Computer - Human"};
inline constexpr const auto& RulesItems = FamilyNames;

// Both level lists: the thirteen described levels, then the master search.
constexpr std::array<std::string_view, LevelCount + 1>
WithMasterLevel(const std::array<std::string_view, LevelCount>& levels) {
    std::array<std::string_view, LevelCount + 1> items{};
    std::copy(levels.begin(), levels.end(), items.begin());
    items[MasterLevelIndex] = "Master";
    return items;
}
inline constexpr auto OpponentLevelItems = WithMasterLevel(OpponentLevelNames);
inline constexpr auto HinterLevelItems = WithMasterLevel(HinterLevelNames);

struct TTuneItems {
    std::string_view Component;
    std::span<const std::string_view> Items;
};

// The item texts of the lists and of the labelled radio groups; the light, dark and mark
// groups have no texts, only pictures.
inline constexpr std::array<TTuneItems, 4> TuneItems{{
    {"ColorRadioGroup", SidesItems},
    {"OpponentComboBox", OpponentLevelItems},
    {"HinterComboBox", HinterLevelItems},
    {"RulesRadioGroup", RulesItems},
}};

class TTuneForm : public QDialog {
    Q_OBJECT

  public:
    explicit TTuneForm(QWidget* parent = nullptr);

    // Shows the settings on the controls without reporting anything. Done on every show,
    // because the main window changes some settings behind the dialog's back.
    void SyncFromSettings();

    // Selects the page the dialog opens on (and remembers it as the last page shown).
    void SetActivePage(TTunePage page);
    // Opens the dialog modally on that page; returns exec()'s result.
    int ShowPage(TTunePage page);

    // The board size, colouring or rules were changed since the dialog was last shown.
    bool IsChanged() const { return Changed; }

    // The control that holds a setting (nullptr for a setting of the main window's menu), and
    // any component by its objectName.
    QWidget* Control(TSetting setting) const { return Controls[static_cast<int>(setting)]; }
    QWidget* Component(std::string_view name) const;

    // Replaces a text of a component; false when the component has no such text.
    bool SetText(std::string_view component, TTextProperty property, const QString& text);
    // Replaces item texts of a list or radio group, from the first item on; the number of
    // items is the setting's range and does not change.
    bool SetItems(std::string_view component, const QStringList& items);

    // The dialog's placement in its section of the settings file. The settings of that
    // section are TSettings' own.
    void RestoreState(const TIniFile& ini);
    void SaveState(TIniFile& ini) const;

  signals:
    // Any setting the user changed, after it was written into Settings(); the signals below
    // follow it for the changes that need an answer.
    void SettingChanged(quorvin::TSetting setting);
    // A square or mark picture, or the side on top, changed; swapForecasts only for the
    // latter, whose forecast texts change sides with the board.
    void PicturesChanged(bool swapForecasts);
    // Rows, Files or Coloring changed; the board had oldRows x oldFiles before.
    void BoardChanged(int oldRows, int oldFiles);
    void RulesChanged();
    void SidesChanged();
    void ForecastChanged();
    // "Auto fit to screen" was switched on.
    void FitRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* CreateViewPage();
    QWidget* CreateBoardPage();
    QWidget* CreateSidesPage();
    QWidget* CreateBehaviourPage();
    QWidget* CreateBrainPage();
    QWidget* CreateDrawPage();
    QWidget* CreateRulesPage();
    QWidget* CreateCheckBox(TSetting setting);
    QGroupBox* CreateRadioGroup(TSetting setting, int columns);
    QSpinBox* CreateSizeSpinBox(TSetting setting);
    QComboBox* CreateLevelList(TSetting setting);
    void Register(TSetting setting, QWidget* control);

    // The user changed a control: write the setting and report it.
    void Apply(TSetting setting, int value);
    // An arrow step of one board size; with Synchro the other size follows.
    void SizeStepped(TSetting setting, int steps);
    void ShowValue(TSetting setting, int value);
    void UpdateEnables();
    void LoadPreviews();
    void UpdateMarkPreviews();

    QTabWidget* TunePageControl = nullptr;
    QPushButton* ExitBitBtn = nullptr;
    std::array<QWidget*, SettingCount> Controls{};
    std::array<QImage, SettingDef(TSetting::DarkPicture).Max + 1> DarkPictures;
    std::array<QImage, SettingDef(TSetting::SelectPicture).Max + 1> MarkPictures;
    bool Changed = false;
    TWindowPlacement* Placement = nullptr;
};

} // namespace quorvin
