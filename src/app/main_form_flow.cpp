// The main window's side of the game flow: the commands of play (new game, Undo and Redo,
// advice, the adviser, Break calculation) handed to TGameFlow through one guard, the command
// states it decides put onto the widgets, and what it reports shown on the board, in the side
// panels, in message boxes and by sounds.
#include "game_settings.h"
#include "main_form.h"

#include "draw.h"
#include "human_move.h"
#include "lang_changer.h"
#include "last_move.h"
#include "message_box.h"
#include "move_display.h"
#include "settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QMenu>
#include <QToolButton>

namespace quorvin {

namespace {

// The commands whose state goes onto an action of the action list.
constexpr std::array<std::pair<TCommand, TActionId>, 21> CommandActions{{
    {TCommand::Undo, TActionId::Undo},
    {TCommand::UndoAll, TActionId::UndoAll},
    {TCommand::Redo, TActionId::Redo},
    {TCommand::RedoAll, TActionId::RedoAll},
    {TCommand::Options, TActionId::Options},
    {TCommand::BrainOptions, TActionId::BrainOptions},
    {TCommand::BoardSetup, TActionId::BoardSetup},
    {TCommand::BoardView, TActionId::BoardView},
    {TCommand::Sides, TActionId::Sides},
    {TCommand::NewGame, TActionId::NewGame},
    {TCommand::Setup, TActionId::Setup},
    {TCommand::Continue, TActionId::Continue},
    {TCommand::EmptySquare, TActionId::EmptySquare},
    {TCommand::WhitePawn, TActionId::WhitePawn},
    {TCommand::BlackPawn, TActionId::BlackPawn},
    {TCommand::WhiteKing, TActionId::WhiteKing},
    {TCommand::BlackKing, TActionId::BlackKing},
    {TCommand::Clear, TActionId::Clear},
    {TCommand::Delegate, TActionId::Delegate},
    {TCommand::Arrange, TActionId::Arrange},
    {TCommand::Advice, TActionId::Advice},
}};

// The commands whose state goes onto a menu item of its own.
constexpr std::array<std::pair<TCommand, const char*>, 6> CommandItems{{
    {TCommand::OpenPosition, "NOpen"},
    {TCommand::SavePosition, "NSave"},
    {TCommand::OpenGame, "NOpenGame"},
    {TCommand::SaveGame, "NSaveGame"},
    {TCommand::PastePosition, "NPastePosition"},
    {TCommand::CopyPosition, "NCopyPosition"},
}};

} // namespace

void TMainForm::RunCommand(TWhen when, const std::function<void()>& command) {
    QString error;
    try {
        Flow.Run(when, command);
        return;
    } catch (const std::exception& e) {
        error = Sentence(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        error = Translated("Unknown error");
    }
    ShowMessage(this, {Translated("Error"), error, TMessageIcon::Critical, TMessageButtons::Ok});
    RecoverAfterError();
}

void TFlowBinding::CommandsChanged(const TCommandStates& states) {
    auto state = [&states](TCommand c) { return states[static_cast<std::size_t>(c)]; };
    for (const auto& [command, id] : CommandActions) {
        Form.Action(id)->setEnabled(state(command).Enabled);
        Form.Action(id)->setVisible(state(command).Visible);
    }
    for (const auto& [command, name] : CommandItems)
        Form.MenuItem(QLatin1String(name))->setEnabled(state(command).Enabled);
    Form.BoardRxDrawGrid->setEnabled(state(TCommand::Board).Enabled);
    Form.NExit->setEnabled(state(TCommand::Exit).Enabled);
    Form.StopSpeedButton->setEnabled(state(TCommand::Stop).Enabled);
    Form.NQuick->menuAction()->setEnabled(state(TCommand::QuickSelect).Enabled);
    Form.AutoSpeedButton->setEnabled(state(TCommand::Adviser).Enabled);

    // Setup puts its own panel in the command panel's place, and the caption says so.
    const bool setup = Form.Flow.Mode() == TMode::Setup;
    if (setup == Form.SetupShown) return;
    Form.SetupShown = setup;
    Form.MainPanel->setVisible(!setup);
    Form.SetupPanel->setVisible(setup);
    if (!setup) Form.BoardRxDrawGrid->setCursor(Qt::PointingHandCursor);
    Form.UpdateCaption();
}

void TMainForm::ShowLastMove() {
    const bool shown =
        Flow.HasGame() && Flow.Mode() != TMode::Setup && Settings().Checked(TSetting::LastMove);
    BoardRxDrawGrid->SetLastMove(shown ? LastMoveOf(Flow.Game()) : TLastMove{});
}

void TMainForm::NewGameActionExecute() {
    Flow.NewGame();
}

void TMainForm::UndoActionExecute() {
    Flow.UndoMove();
}

void TMainForm::RedoActionExecute() {
    Flow.RedoMove();
}

void TMainForm::UndoAllActionExecute() {
    Flow.UndoAll();
}

void TMainForm::RedoAllActionExecute() {
    Flow.RedoAll();
}

void TMainForm::AdviceActionExecute() {
    Flow.Advice();
}

void TMainForm::AutoSpeedButtonClick() {
    Flow.AdviserClicked();
}

void TMainForm::StopSpeedButtonClick() {
    Flow.Stop();
}

TGame TFlowBinding::NewRecord() {
    BuildGeometryFromSettings();
    return TGame(Settings().Rules(), Settings().GameOptions());
}

TGameOptions TFlowBinding::GameOptions() {
    return Settings().GameOptions();
}

TThinkRequest TFlowBinding::Level(const TGame& game) {
    TThinkRequest request = LevelForSideToMove(game);
    request.Observer = Form.EngineReport.get();
    return request;
}

void TFlowBinding::LayoutPass() {
    Form.UpdateLayout();
}

void TFlowBinding::ResetMoveInput() {
    Form.HumanMove->ResetMoveInput();
}

void TFlowBinding::RedrawBoard() {
    Form.BoardRxDrawGrid->RedrawBoard();
}

void TFlowBinding::GameReplaced() {
    Form.BoardRxDrawGrid->SetGridSize(BoardFiles, BoardRows);
    Form.ShowLastMove();
    Form.ShowMoveList();
    Form.FitBoard();
    Form.Panels->RefreshPanels(Form.Flow.SideToMove(), false);
    Form.Panels->ClearForecasts(true, true);
    Form.UpdateCaption();
}

void TFlowBinding::HistoryMoved() {
    Form.ShowLastMove();
    Form.ShowMoveList();
    SideToMoveChanged();
}

void TFlowBinding::SideToMoveChanged() {
    Form.Panels->UpdateSideIndicators(Form.Flow.SideToMove());
}

void TFlowBinding::MoverIndicator(bool adviser) {
    Form.Panels->UpdateMoverIndicator(TSidePanels::PanelOfSide(Form.Flow.SideToMove()), adviser);
}

void TFlowBinding::ClearForecasts(bool white, bool black) {
    Form.Panels->ClearForecasts(white, black);
}

void TFlowBinding::MoveStarting(int) {
    // The mark of the move before goes while the board still shows the position it led to;
    // the new move is marked once its display is over.
    Form.BoardRxDrawGrid->SetLastMove({});
}

void TFlowBinding::MovePlayed(const TMove& move) {
    const TGame& game = Form.Flow.Game();
    Form.MoveDisplay->ShowMove(move, game.PreviousPosition(), game.CurrentPosition(),
                               TDisplayOptions::FromSettings());
    HistoryMoved();
}

void TFlowBinding::ShowMovePath(int index) {
    Form.HumanMove->ShowMovePath(index);
}

void TFlowBinding::PlaySound(TSound sound) {
    if (Form.NSound->isChecked()) Form.SoundPlayers->Play(sound);
}

void TFlowBinding::ShowResult(const TOutcome& outcome) {
    const std::string text = OutcomeMessage(
        outcome, [](const std::string& s) { return Translated(s.c_str()).toStdString(); });
    ShowMessage(&Form, {Translated("Information"), QString::fromStdString(text),
                        TMessageIcon::Information, TMessageButtons::Ok});
}

bool TFlowBinding::ConfirmNewGame() {
    return ShowMessage(&Form, {Translated("Confirmation"), Translated("New game - are you sure?"),
                               TMessageIcon::Question, TMessageButtons::YesNo}) ==
           TMessageAnswer::Yes;
}

void TFlowBinding::AdviserChanged(bool down) {
    Form.AutoSpeedButton->setChecked(down);
}

void TFlowBinding::HandOverToHumans() {
    Settings().Set(TSetting::Sides, 0);
    Form.Panels->RefreshPanels(Form.Flow.SideToMove(), false);
}

void TFlowBinding::SearchStarting() {
    // Clicks that waited while a move was replayed were aimed at a window that showed no
    // search: served now, while Break calculation is still disabled, they go nowhere.
    QCoreApplication::processEvents();
}

} // namespace quorvin
