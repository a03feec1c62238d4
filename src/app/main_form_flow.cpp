// The game flow of the main window: the modes and the command states they imply, the
// decision after every change of the position, the engine runs, the end of a game, new games,
// Undo and Redo, advice and the adviser, and Break calculation.
//
// Play goes on by itself in a loop: after a computer move the next turn is decided at once
// and may start the engine again; the loop ends when a human is to move or the game is over.
#include "game_settings.h"
#include "main_form.h"

#include "draw.h"
#include "human_move.h"
#include "lang_changer.h"
#include "last_move.h"
#include "mathematics.h"
#include "message_box.h"
#include "move_display.h"
#include "referee.h"
#include "search.h"
#include "settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QToolButton>

namespace quorvin {

namespace {

// The engine's answer never comes sooner than this, so that a reply is seen to come.
constexpr int MinimumThinkMs = 100;

} // namespace

QString TMainForm::Translated(const char* text) {
    // Messages the window composes; the English text is the key. Captions and hints of the
    // windows are translated once at start-up by the language file's "Translations".
    return TranslateText(QString::fromUtf8(text));
}

void TMainForm::SetMode(TMode mode) {
    CurrentMode = mode;
    const bool play = mode == TMode::Play;
    const bool busy = mode == TMode::Busy;
    const bool setup = mode == TMode::Setup;
    const int current = GameRecord ? GameRecord->Current() : 0;
    const int count = GameRecord ? GameRecord->Count() : 0;

    BoardRxDrawGrid->setEnabled(!busy);
    NExit->setEnabled(!busy);
    // Break calculation is enabled by Think once a search is about to run, never while a
    // move is being replayed.
    if (!busy) StopSpeedButton->setEnabled(false);
    for (TActionId id : {TActionId::Undo, TActionId::UndoAll})
        Action(id)->setEnabled(play && current > 1);
    for (TActionId id : {TActionId::Redo, TActionId::RedoAll})
        Action(id)->setEnabled(play && current < count);
    for (TActionId id :
         {TActionId::Options, TActionId::BrainOptions, TActionId::BoardSetup, TActionId::BoardView,
          TActionId::Sides, TActionId::Setup, TActionId::NewGame})
        Action(id)->setEnabled(play);
    for (const char* item : {"NOpen", "NSave", "NOpenGame", "NSaveGame", "NPastePosition"})
        MenuItem(QLatin1String(item))->setEnabled(play);
    MenuItem(QStringLiteral("NCopyPosition"))->setEnabled(!busy);
    NQuick->menuAction()->setEnabled(play);
    Action(TActionId::Setup)->setVisible(!setup);
    for (TActionId id :
         {TActionId::Continue, TActionId::EmptySquare, TActionId::WhitePawn, TActionId::BlackPawn,
          TActionId::Clear, TActionId::Delegate, TActionId::Arrange})
        Action(id)->setVisible(setup);
    for (TActionId id : {TActionId::WhiteKing, TActionId::BlackKing})
        Action(id)->setVisible(setup && !Settings().IsVornaRules());
    Action(TActionId::Advice)->setEnabled(play && !GameOver);
    AutoSpeedButton->setEnabled(!GameOver);
}

void TMainForm::RunCommand(TWhen when, const std::function<void()>& command) {
    if (when == TWhen::Idle && !CommandAllowed()) return;
    try {
        command();
    } catch (const std::exception& e) {
        ReportError(Sentence(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        ReportError(Translated("Unknown error"));
    }
}

void TMainForm::ReportError(const QString& text) {
    ShowMessage(this, {Translated("Error"), text, TMessageIcon::Critical, TMessageButtons::Ok});
    RecoverAfterError();
}

bool TMainForm::CommandAllowed() const {
    // A click being entered waits with events served; no command may pull the game away
    // from under it.
    return FlowDepth == 0;
}

void TMainForm::PlaySound(TSound sound) {
    if (NSound->isChecked()) SoundPlayers->Play(sound);
}

void TMainForm::NextTurn() {
    PlayTurns(DecideTurn());
}

TMainForm::TTurn TMainForm::DecideTurn() {
    UpdateLayout();
    const TOutcome outcome = JudgeCurrentPosition(*GameRecord);
    if (outcome.Kind == TOutcomeKind::Lost) {
        PlaySound(GameRecord->ComputerToMove() ? TSound::Victory : TSound::Defeat);
    }
    if (outcome.Kind != TOutcomeKind::Playing) {
        FinishGame(QString::fromStdString(OutcomeMessage(
            outcome, [](const std::string& s) { return Translated(s.c_str()).toStdString(); })));
        return TTurn::Over;
    }
    if (GameRecord->ComputerToMove() || (GameRecord->SingleMove() && Settings().AutoSingleMove()))
        return TTurn::Computer;
    if (AutoSpeedButton->isChecked()) return TTurn::Adviser;
    return TTurn::Human;
}

void TMainForm::PlayTurns(TTurn turn) {
    TFlowScope flow(*this);
    while (turn == TTurn::Computer || turn == TTurn::Adviser) {
        if (turn == TTurn::Adviser) {
            UpdateMoverIndicator(PanelOfSideToMove(), true);
            ResetMoveInput();
            BoardRxDrawGrid->RedrawBoard();
        }
        const int best = Think(false);
        if (best != 0) ApplyMove(best);
        Thinking = false;
        turn = DecideTurn();
    }
    if (turn == TTurn::Human) SetMode(TMode::Play);
    ResetMoveInput();
}

void TMainForm::ApplyMove(int index) {
    UpdateMoverIndicator(PanelOfSideToMove(), false);
    const TMove m = GameRecord->CurrentPosition().Moves.GetMove(index);
    // The mark of the move before goes while the board still shows the position it led to;
    // the new move is marked once its display is over.
    BoardRxDrawGrid->SetLastMove({});
    GameRecord->PlayMove(index);
    ResetMoveInput();
    MoveDisplay->ShowMove(m, GameRecord->PreviousPosition(), GameRecord->CurrentPosition(),
                          TDisplayOptions::FromSettings());
    ShowLastMove();
    ShowMoveList();
    UpdateSideIndicators();
}

int TMainForm::Think(bool advice) {
    Thinking = true;
    ThinkSearchState().ClearStop(); // only a Break during this search counts
    SetMode(TMode::Busy);
    // Clicks that waited while a move was replayed were aimed at a window that showed no
    // search: served now, while Break calculation is still disabled, they go nowhere.
    StopSpeedButton->setEnabled(false);
    QCoreApplication::processEvents();
    StopSpeedButton->setEnabled(true);
    TThinkRequest request = LevelForSideToMove(*GameRecord);
    request.MinimumMs = MinimumThinkMs;
    request.Observer = &ThinkView;
    const TThinkResult result = ThinkMove(*GameRecord, request);
    StopSpeedButton->setEnabled(false);
    // A stopped search answers no move. Thinking stays set until the caller has shown or
    // played the move: the path display serves events, and the window must not close then.
    ThinkSearchState().ClearStop();
    if (result.Move == 0) return 0;
    if (advice) PlaySound(TSound::Advice);
    HumanMove->ShowMovePath(result.Move);
    return result.Move;
}

void TMainForm::FinishGame(const QString& text) {
    BoardRxDrawGrid->setEnabled(false);
    GameOver = true;
    ClearForecasts(true, true);
    ShowMessage(this,
                {Translated("Information"), text, TMessageIcon::Information, TMessageButtons::Ok});
    SetMode(TMode::Play);
    AutoSpeedButton->setChecked(false);
}

bool TMainForm::ConfirmNewGame() {
    if (!GameRecord || GameRecord->Count() <= 1) return true;
    return ShowMessage(this, {Translated("Confirmation"), Translated("New game - are you sure?"),
                              TMessageIcon::Question, TMessageButtons::YesNo}) ==
           TMessageAnswer::Yes;
}

void TMainForm::DestroyGame() {
    BoardRxDrawGrid->hide();
    GameRecord.reset();
    BoardRxDrawGrid->SetLastMove({});
}

void TMainForm::CreateGame() {
    BuildGeometryFromSettings();
    GameRecord = std::make_unique<TGame>(Settings().Rules(), Settings().GameOptions());
    ResetMoveInput();
    BoardRxDrawGrid->SetGridSize(Settings().Files(), Settings().Rows());
    GameOver = false;
}

void TMainForm::RebuildGame() {
    SeedRandomFromClock();
    DestroyGame();
    CreateGame();
    ShowMoveList();
    FitBoard();
    RefreshPanels(false);
    UpdateSideIndicators();
    ClearForecasts(true, true);
    ThinkSearchState().ClearStop();
    Thinking = false;
    AdviceShown = false;
}

void TMainForm::UseGame(TGame game) {
    DestroyGame();
    GameRecord = std::make_unique<TGame>(std::move(game));
    GameRecord->SetOptions(Settings().GameOptions());
    BoardRxDrawGrid->SetGridSize(BoardFiles, BoardRows);
    GameOver = false;
    AdviceShown = false;
    FitBoard();
    RefreshPanels(false);
    ClearForecasts(true, true);
    ResetMoveInput();
    BoardRxDrawGrid->RedrawBoard();
    SetMode(TMode::Play);
    ShowLastMove(); // a record handed over whole may hold moves
    ShowMoveList();
    UpdateCaption();
    NextTurn();
}

void TMainForm::NewGameActionExecute() {
    if (CurrentMode != TMode::Play) return;
    if (!ConfirmNewGame()) return;
    StartNewGame();
}

void TMainForm::StartNewGame() {
    UpdateCaption();
    RebuildGame();
    PlaySound(TSound::Start);
    ResetMoveInput();
    NextTurn();
}

void TMainForm::Undo() {
    AutoSpeedButton->setChecked(false);
    SetMode(TMode::Busy);
    GameRecord->Undo();
}

void TMainForm::Redo() {
    SetMode(TMode::Busy);
    GameRecord->Redo();
}

void TMainForm::UndoActionExecute() {
    if (!GameRecord || GameRecord->Current() < 2) return;
    Undo();
    ResumeAfterHistoryStep();
}

void TMainForm::UndoAllActionExecute() {
    if (!GameRecord) return;
    AutoSpeedButton->setChecked(false);
    SetMode(TMode::Busy);
    GameRecord->UndoAll();
    ResumeAfterHistoryStep();
}

void TMainForm::RedoActionExecute() {
    if (!GameRecord) return;
    if (GameRecord->Current() < GameRecord->Count()) Redo();
    ResumeAfterHistoryStep();
}

void TMainForm::RedoAllActionExecute() {
    if (!GameRecord) return;
    SetMode(TMode::Busy);
    GameRecord->RedoAll();
    ResumeAfterHistoryStep();
}

void TMainForm::ResumeAfterHistoryStep() {
    GameOver = false;
    ResetMoveInput();
    ShowLastMove();
    BoardRxDrawGrid->RedrawBoard();
    SetMode(TMode::Play);
    ShowMoveList();
    UpdateSideIndicators();
    BoardRxDrawGrid->setEnabled(true);
    ClearForecasts(true, true);
    NextTurn();
}

void TMainForm::ShowLastMove() {
    const bool shown =
        GameRecord && CurrentMode != TMode::Setup && Settings().Checked(TSetting::LastMove);
    BoardRxDrawGrid->SetLastMove(shown ? LastMoveOf(*GameRecord) : TLastMove{});
}

void TMainForm::AdviserPlays() {
    PlayTurns(TTurn::Adviser);
}

void TMainForm::AdviceActionExecute() {
    if (!BoardRxDrawGrid->isEnabled() || !GameRecord) return;
    TFlowScope flow(*this);
    AutoSpeedButton->setEnabled(false);
    UpdateMoverIndicator(PanelOfSideToMove(), true);
    ResetMoveInput();
    BoardRxDrawGrid->RedrawBoard();
    Think(true);
    // The advised path stays marked on the board; the next click clears it.
    ResetMoveInput();
    Thinking = false;
    AdviceShown = true;
    UpdateMoverIndicator(PanelOfSideToMove(), false);
    AutoSpeedButton->setEnabled(true);
    SetMode(TMode::Play);
}

void TMainForm::AutoSpeedButtonClick() {
    // While the engine runs the board is disabled and the button only records its state
    // for the next human turn.
    if (!CommandAllowed() || !BoardRxDrawGrid->isEnabled() || GameOver) return;
    if (AutoSpeedButton->isChecked()) AdviserPlays();
}

void TMainForm::StopSpeedButtonClick() {
    ThinkSearchState().RequestStop();
    if (!GameRecord) return;
    UpdateMoverIndicator(PanelOfSideToMove(), false);
    AutoSpeedButton->setChecked(false);
    if (GameRecord->ComputerToMove()) {
        Settings().Set(TSetting::Sides, 0);
        RefreshPanels(false);
    }
}

} // namespace quorvin
