// The options dialog as the main window uses it: opening it on a page, answering each change
// made in it (pictures, board, rules, sides, forecast), what happens when it closes, and the
// main window's own shortcuts into the same settings (the board picture presets).
#include "main_form.h"

#include "draw.h"
#include "human_move.h"
#include "tune_form.h"

#include <QAction>

namespace quorvin {

void TMainForm::CreateOptions() {
    TuneForm = new TTuneForm(this);
    // The dialog reports, the window decides. Its changes arrive while it is open, outside
    // any command of the window, so each answer runs through the command guard itself.
    auto answer = [this](std::function<void()> handler) {
        return [this, handler] { RunCommand(TWhen::Always, handler); };
    };
    connect(TuneForm, &TTuneForm::PicturesChanged, this, [this](bool swap) {
        RunCommand(TWhen::Always, [this, swap] { PicturesChanged(swap); });
    });
    connect(TuneForm, &TTuneForm::BoardChanged, this, answer([this] { BoardSettingChanged(); }));
    connect(TuneForm, &TTuneForm::RulesChanged, this, answer([this] { Flow.RebuildGame(); }));
    connect(TuneForm, &TTuneForm::SidesChanged, this,
            answer([this] { Panels->RefreshPanels(Flow.SideToMove(), false); }));
    connect(TuneForm, &TTuneForm::ForecastChanged, this,
            answer([this] { Panels->ClearForecasts(true, true); }));
    connect(TuneForm, &TTuneForm::FitRequested, this, answer([this] { FitToScreen(); }));
    connect(TuneForm, &TTuneForm::SettingChanged, this, [this](TSetting setting) {
        if (setting == TSetting::LastMove) RunCommand(TWhen::Always, [this] { ShowLastMove(); });
    });
}

void TMainForm::OptionsActionExecute() {
    ShowOptions(std::nullopt); // the page last shown
}

void TMainForm::BrainOptionsActionExecute() {
    ShowOptions(TTunePage::Brain);
}

void TMainForm::SidesActionExecute() {
    ShowOptions(TTunePage::Sides);
}

void TMainForm::BoardViewActionExecute() {
    ShowOptions(TTunePage::View);
}

void TMainForm::BoardSetupActionExecute() {
    ShowOptions(TTunePage::Board);
}

void TMainForm::ShowOptions(std::optional<TTunePage> page) {
    if (Flow.Mode() != TMode::Play) return;
    TuneForm->SetActivePage(
        page.value_or(static_cast<TTunePage>(Settings().Get(TSetting::ActivePage))));
    TuneForm->exec();
    if (TuneForm->IsChanged()) {
        // The board or the rules changed: the game record was rebuilt, so nothing is asked.
        Flow.NewGame();
        return;
    }
    HumanMove->ResetMoveInput();
    BoardRxDrawGrid->RedrawBoard();
    // A change of Sides or of a level takes effect at once: the computer may now be to move.
    if (!Flow.GameOver()) Flow.NextTurn();
}

void TMainForm::PicturesChanged(bool swapForecasts) {
    Panels->RefreshPanels(Flow.SideToMove(), swapForecasts);
    constexpr std::array<TSetting, 3> pictures{TSetting::LightPicture, TSetting::DarkPicture,
                                               TSetting::SelectPicture};
    try {
        BoardRxDrawGrid->ClearTileCache();
        for (std::size_t i = 0; i < pictures.size(); ++i)
            DrawnPictures[i] = Settings().Get(pictures[i]);
    } catch (...) {
        // A picture that cannot be read is not kept: the board goes back to the pictures it
        // was drawn with, the dialog shows them again, and the error is reported.
        for (std::size_t i = 0; i < pictures.size(); ++i)
            Settings().Set(pictures[i], DrawnPictures[i]);
        TuneForm->SyncFromSettings();
        BoardRxDrawGrid->ClearTileCache();
        throw;
    }
}

void TMainForm::SelectSkin(int skin) {
    Settings().Set(TSetting::LightPicture, skin);
    Settings().Set(TSetting::DarkPicture, skin);
    PicturesChanged(false);
}

} // namespace quorvin
