// The course of a game; see game_flow.h.
//
// Play goes on by itself in a loop: after a computer move the next turn is decided at once and
// may start the engine again; the loop ends when a person is to move or the game is over.
#include "game_flow.h"

#include "mathematics.h"
#include "setup_rules.h"

namespace quorvin {

TGameFlow::TGameFlow(TFlowView& view) : View(view) {}

void TGameFlow::SetMode(TMode mode) {
    CurrentMode = mode;
    PublishCommands();
}

void TGameFlow::PublishCommands() {
    const bool play = CurrentMode == TMode::Play;
    const bool busy = CurrentMode == TMode::Busy;
    const bool setup = CurrentMode == TMode::Setup;
    const int current = Record ? Record->Current() : 0;
    const int count = Record ? Record->Count() : 0;
    const bool vorna = Record && Record->Rules() == TRules::Vorna;

    TCommandStates s{};
    auto enable = [&s](TCommand c, bool on) { s[Index(c)].Enabled = on; };
    auto show = [&s](TCommand c, bool on) { s[Index(c)].Visible = on; };
    enable(TCommand::Board, !busy && !ShowingResult);
    enable(TCommand::Exit, !busy);
    // Break calculation only while a search runs, never while a move is being replayed.
    enable(TCommand::Stop, busy && Searching);
    for (TCommand c : {TCommand::Undo, TCommand::UndoAll}) enable(c, play && current > 1);
    for (TCommand c : {TCommand::Redo, TCommand::RedoAll}) enable(c, play && current < count);
    for (TCommand c : {TCommand::Options, TCommand::BrainOptions, TCommand::BoardSetup,
                       TCommand::BoardView, TCommand::Sides, TCommand::Setup, TCommand::NewGame,
                       TCommand::OpenPosition, TCommand::SavePosition, TCommand::OpenGame,
                       TCommand::SaveGame, TCommand::PastePosition, TCommand::QuickSelect})
        enable(c, play);
    enable(TCommand::CopyPosition, !busy);
    show(TCommand::Setup, !setup);
    for (TCommand c : {TCommand::Continue, TCommand::EmptySquare, TCommand::WhitePawn,
                       TCommand::BlackPawn, TCommand::Clear, TCommand::Delegate, TCommand::Arrange})
        show(c, setup);
    for (TCommand c : {TCommand::WhiteKing, TCommand::BlackKing}) show(c, setup && !vorna);
    enable(TCommand::Advice, play && !Over);
    enable(TCommand::Adviser, !Over && !AdviceRuns);
    States = s;
    View.CommandsChanged(States);
}

void TGameFlow::NextTurn() {
    PlayTurns(DecideTurn());
}

TGameFlow::TTurn TGameFlow::DecideTurn() {
    View.LayoutPass();
    const TOutcome outcome = JudgeCurrentPosition(*Record);
    if (outcome.Kind == TOutcomeKind::Lost)
        View.PlaySound(Record->ComputerToMove() ? TSound::Victory : TSound::Defeat);
    if (outcome.Kind != TOutcomeKind::Playing) {
        FinishGame(outcome);
        return TTurn::Over;
    }
    if (Record->ComputerToMove() || (Record->SingleMove() && Record->Options().AutoSingleMove))
        return TTurn::Computer;
    if (Adviser) return TTurn::Adviser;
    return TTurn::Human;
}

void TGameFlow::PlayTurns(TTurn turn) {
    TBusy busy(*this);
    while (turn == TTurn::Computer || turn == TTurn::Adviser) {
        if (turn == TTurn::Adviser) {
            View.MoverIndicator(true);
            View.ResetMoveInput();
            View.RedrawBoard();
        }
        const int best = Think(false);
        if (best != 0) ApplyMove(best);
        EngineRuns = false;
        turn = DecideTurn();
    }
    if (turn == TTurn::Human) SetMode(TMode::Play);
    View.ResetMoveInput();
}

void TGameFlow::ApplyMove(int index) {
    View.MoverIndicator(false);
    const TMove move = Record->CurrentPosition().Moves.GetMove(index);
    View.MoveStarting(index);
    Record->PlayMove(index);
    View.ResetMoveInput();
    View.MovePlayed(move);
}

int TGameFlow::Think(bool advice) {
    EngineRuns = true;
    ThinkSearchState().ClearStop(); // only a Break during this search counts
    SetMode(TMode::Busy);
    View.SearchStarting();
    Searching = true;
    PublishCommands();
    TThinkRequest request = View.Level(*Record);
    request.MinimumMs = MinimumThinkMs;
    const TThinkResult result = ThinkMove(*Record, request);
    Searching = false;
    PublishCommands();
    // A stopped search answers no move. The engine counts as running until the caller has
    // shown or played the move: the path display serves events, and the window must not
    // close then.
    ThinkSearchState().ClearStop();
    if (result.Move == 0) return 0;
    if (advice) View.PlaySound(TSound::Advice);
    View.ShowMovePath(result.Move);
    return result.Move;
}

void TGameFlow::FinishGame(const TOutcome& outcome) {
    ShowingResult = true;
    Over = true;
    PublishCommands();
    View.ClearForecasts(true, true);
    View.ShowResult(outcome);
    ShowingResult = false;
    SetMode(TMode::Play);
    SetAdviser(false);
}

bool TGameFlow::ConfirmNewGame() {
    if (!Record || Record->Count() <= 1) return true;
    return View.ConfirmNewGame();
}

void TGameFlow::CreateGame() {
    Record = std::make_unique<TGame>(View.NewRecord());
    View.ResetMoveInput();
    Over = false;
    PublishCommands();
}

void TGameFlow::DestroyGame() {
    Record.reset();
}

void TGameFlow::RebuildGame() {
    SeedRandomFromClock();
    DestroyGame();
    CreateGame();
    View.GameReplaced();
    ThinkSearchState().ClearStop();
    EngineRuns = false;
    AdviceMarked = false;
}

void TGameFlow::UseGame(TGame game) {
    TBusy busy(*this);
    Record = std::make_unique<TGame>(std::move(game));
    Record->SetOptions(View.GameOptions());
    Over = false;
    AdviceMarked = false;
    View.GameReplaced();
    View.ResetMoveInput();
    View.RedrawBoard();
    SetMode(TMode::Play);
    View.HistoryMoved(); // a record handed over whole may hold moves
    NextTurn();
}

bool TGameFlow::NewGame() {
    if (CurrentMode != TMode::Play) return false;
    if (!ConfirmNewGame()) return false;
    StartNewGame();
    return true;
}

void TGameFlow::StartNewGame() {
    TBusy busy(*this);
    RebuildGame();
    View.PlaySound(TSound::Start);
    View.ResetMoveInput();
    NextTurn();
}

void TGameFlow::HumanMove(int index) {
    TBusy busy(*this);
    SetMode(TMode::Busy);
    View.ClearForecasts(Record->CurrentPosition().SideToMove == White,
                        Record->CurrentPosition().SideToMove == Black);
    ApplyMove(index);
    SetMode(TMode::Play);
    NextTurn();
}

bool TGameFlow::TakeAdviceMarks() {
    const bool marked = AdviceMarked;
    AdviceMarked = false;
    return marked;
}

void TGameFlow::UndoMove() {
    if (!Record || Record->Current() < 2) return;
    SetAdviser(false);
    SetMode(TMode::Busy);
    Record->Undo();
    ResumeAfterHistoryStep();
}

void TGameFlow::UndoAll() {
    if (!Record) return;
    SetAdviser(false);
    SetMode(TMode::Busy);
    Record->UndoAll();
    ResumeAfterHistoryStep();
}

void TGameFlow::RedoMove() {
    if (!Record) return;
    if (Record->Current() < Record->Count()) {
        SetMode(TMode::Busy);
        Record->Redo();
    }
    ResumeAfterHistoryStep();
}

void TGameFlow::RedoAll() {
    if (!Record) return;
    SetMode(TMode::Busy);
    Record->RedoAll();
    ResumeAfterHistoryStep();
}

bool TGameFlow::GoToMove(int played) {
    if (CurrentMode != TMode::Play || !Record || EngineRuns) return false;
    const int target = played + 1;
    if (target < 1 || target > Record->Count() || target == Record->Current()) return false;
    SetAdviser(false);
    SetMode(TMode::Busy);
    Record->SetCurrent(target);
    // Where no person chooses (the computer is to move, or a single move plays itself) the
    // cursor goes on as Redo does, so that the computer does not play over the moves ahead.
    if (!Record->AtStoppingPoint()) Record->Redo();
    ResumeAfterHistoryStep();
    return true;
}

void TGameFlow::ResumeAfterHistoryStep() {
    TBusy busy(*this);
    Over = false;
    View.ResetMoveInput();
    View.HistoryMoved();
    View.RedrawBoard();
    SetMode(TMode::Play);
    View.ClearForecasts(true, true);
    NextTurn();
}

void TGameFlow::Advice() {
    if (!Enabled(TCommand::Board) || !Record) return;
    TBusy busy(*this);
    AdviceRuns = true;
    PublishCommands();
    View.MoverIndicator(true);
    View.ResetMoveInput();
    View.RedrawBoard();
    Think(true);
    // The advised path stays marked on the board; the next click clears it.
    View.ResetMoveInput();
    EngineRuns = false;
    AdviceMarked = true;
    View.MoverIndicator(false);
    AdviceRuns = false;
    SetMode(TMode::Play);
}

void TGameFlow::SetAdviser(bool down) {
    if (Adviser == down) return;
    Adviser = down;
    View.AdviserChanged(down);
}

void TGameFlow::AdviserClicked() {
    // While the engine runs the board is disabled and the button only records its state for
    // the next person's turn.
    if (!Enabled(TCommand::Board) || Over || !Record) return;
    if (Adviser) PlayTurns(TTurn::Adviser);
}

void TGameFlow::Stop() {
    ThinkSearchState().RequestStop();
    if (!Record) return;
    View.MoverIndicator(false);
    SetAdviser(false);
    if (Record->ComputerToMove()) {
        View.HandOverToHumans();
        Record->SetOptions(View.GameOptions());
    }
}

void TGameFlow::SearchFinished() {
    if (!Searching) return;
    Searching = false;
    PublishCommands();
}

bool TGameFlow::StartSetup() {
    if (CurrentMode != TMode::Play || !Record) return false;
    Over = false;
    SetMode(TMode::Setup);
    View.ResetMoveInput();
    View.HistoryMoved(); // the position being edited follows no move
    View.RedrawBoard();
    View.ClearForecasts(true, true);
    return true;
}

bool TGameFlow::Place(int square, TSquare piece) {
    if (CurrentMode != TMode::Setup || !Record) return false;
    if (!MayPlace(Record->Rules(), square, piece)) return false;
    Record->CurrentPosition().Put(square, piece);
    View.RedrawBoard();
    return true;
}

bool TGameFlow::Clear() {
    if (CurrentMode != TMode::Setup || !Record) return false;
    Record->CurrentPosition().ClearBoard();
    View.ResetMoveInput();
    View.RedrawBoard();
    return true;
}

bool TGameFlow::Delegate() {
    if (CurrentMode != TMode::Setup || !Record) return false;
    TPosition& position = Record->CurrentPosition();
    position.SetSideToMove(position.Opponent);
    View.SideToMoveChanged();
    return true;
}

bool TGameFlow::Arrange() {
    if (CurrentMode != TMode::Setup || !Record) return false;
    RebuildGame();
    return true;
}

bool TGameFlow::ContinuePlay() {
    if (CurrentMode != TMode::Setup || !Record) return false;
    TBusy busy(*this);
    // The edited position becomes the only one: Undo cannot go back past it.
    Record->DropHistory();
    Record->TruncateRedo();
    FinishEditedPosition(Record->CurrentPosition());
    SetMode(TMode::Play);
    View.ResetMoveInput();
    View.HistoryMoved();
    View.RedrawBoard();
    NextTurn();
    return true;
}

void TGameFlow::RecoverAfterError() {
    if (Busy()) return; // the command that failed is still running below us
    EngineRuns = false;
    Searching = false;
    AdviceRuns = false;
    ShowingResult = false;
    ThinkSearchState().ClearStop();
    if (CurrentMode == TMode::Busy)
        SetMode(TMode::Play);
    else
        PublishCommands();
    if (Record) View.ResetMoveInput();
}

} // namespace quorvin
