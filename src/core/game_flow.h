// TGameFlow: the course of a game between the window's commands, without the window. After
// every change of the current position it decides what happens next (the game is over, the
// computer or the adviser moves, or a person is to move), it owns the game record, plays
// moves into it, walks it back and forth for Undo and Redo, runs the engine, and decides which
// commands are enabled and shown in each mode. The window binds its widgets to it and draws
// what the flow reports through TFlowView; it computes no rule and keeps no copy of the game.
//
// One busy guard: a command that changes the game runs only while no other such command is
// under way (the engine and the move display serve the window's events while they run, so a
// second command could otherwise start in the middle of the first).
#pragma once

#include "game.h"
#include "referee.h"
#include "think.h"

#include <array>
#include <memory>

namespace quorvin {

enum class TMode { Play, Busy, Setup };

// The six sounds of the game.
enum class TSound { Move, Advice, Capture, Start, Victory, Defeat };
inline constexpr int SoundCount = 6;

// Every command whose state depends on the course of the game.
enum class TCommand {
    Board, // clicks on the board
    Exit,
    Stop, // Break calculation
    Undo,
    UndoAll,
    Redo,
    RedoAll,
    Options,
    BrainOptions,
    BoardSetup,
    BoardView,
    Sides,
    NewGame,
    OpenPosition,
    SavePosition,
    OpenGame,
    SaveGame,
    PastePosition,
    CopyPosition,
    QuickSelect,
    Setup,
    Continue,
    EmptySquare,
    WhitePawn,
    BlackPawn,
    WhiteKing,
    BlackKing,
    Clear,
    Delegate,
    Arrange,
    Advice,
    Adviser, // the button that lets the adviser play for the person
    Count
};
inline constexpr int CommandCount = static_cast<int>(TCommand::Count);

struct TCommandState {
    bool Enabled = true;
    bool Visible = true;
    bool operator==(const TCommandState&) const = default;
};
using TCommandStates = std::array<TCommandState, CommandCount>;

// What the flow needs from whoever shows the game: the inputs it reads from the settings, and
// what it reports while it goes on. Every report but the first three has a default that does
// nothing, so that a test answers only what it looks at.
class TFlowView {
  public:
    virtual ~TFlowView() = default;

    // A record holding the initial position of the board and rules in force (the geometry of
    // that board built first).
    virtual TGame NewRecord() = 0;
    // Who plays each side, the draw rules in force and the rest of the game options.
    virtual TGameOptions GameOptions() = 0;
    // The level of the side to move of the game, with the observer of the search.
    virtual TThinkRequest Level(const TGame& game) = 0;

    // The enabled and shown state of the commands may have changed.
    virtual void CommandsChanged(const TCommandStates&) {}
    // The window fits itself around the board before each decision.
    virtual void LayoutPass() {}
    // A half-entered move and the marks of the move input are dropped.
    virtual void ResetMoveInput() {}
    virtual void RedrawBoard() {}
    // A new record replaced the game (new game, rebuilt board, loaded or set-up position).
    virtual void GameReplaced() {}
    // The record's cursor moved (Undo, Redo, a set-up position made the first one): the
    // marks of the last move and the list of moves follow.
    virtual void HistoryMoved() {}
    // The side to move changed without a move (Delegate move in setup).
    virtual void SideToMoveChanged() {}
    // The mover indicator of the side to move shows the computer when adviser is true, else
    // who plays that side.
    virtual void MoverIndicator(bool adviser) { (void)adviser; }
    virtual void ClearForecasts(bool white, bool black) {
        (void)white;
        (void)black;
    }
    // Move `index` of the current position is about to be played, and has been: the window
    // shows it step by step, with its sounds.
    virtual void MoveStarting(int index) { (void)index; }
    virtual void MovePlayed(const TMove& move) { (void)move; }
    // The engine chose move `index` of the current position: its path is shown.
    virtual void ShowMovePath(int index) { (void)index; }
    virtual void PlaySound(TSound sound) { (void)sound; }
    // The game ended: the result is shown and the call returns once the person saw it.
    virtual void ShowResult(const TOutcome& outcome) { (void)outcome; }
    // A running game is about to be thrown away: whether the person agrees.
    virtual bool ConfirmNewGame() { return true; }
    // The adviser button went up or down.
    virtual void AdviserChanged(bool down) { (void)down; }
    // Break calculation while the computer thought for its own side: from now on people play
    // both sides.
    virtual void HandOverToHumans() {}
    // The engine is about to run: events waiting from before are served while Break
    // calculation is still disabled.
    virtual void SearchStarting() {}
};

class TGameFlow {
  public:
    // Whether a command waits until no other command is under way, or may run at any time,
    // as Break calculation must.
    enum class TWhen { Idle, Always };

    // Holds the busy guard for its lifetime.
    class TBusy {
      public:
        explicit TBusy(TGameFlow& flow) : Flow(flow) { ++Flow.BusyDepth; }
        ~TBusy() { --Flow.BusyDepth; }
        TBusy(const TBusy&) = delete;
        TBusy& operator=(const TBusy&) = delete;

      private:
        TGameFlow& Flow;
    };

    // The engine's answer never comes sooner than this, so that a reply is seen to come.
    static constexpr int MinimumThinkMs = 100;

    // Reports nothing until the first command or SetMode, so that the view may be made later.
    explicit TGameFlow(TFlowView& view);

    // Runs a command: an Idle command holds the busy guard and is refused (false) while
    // another one is under way; an Always command runs at once and holds nothing, so that
    // Break calculation or closing the window is not taken for a command under way. Errors
    // pass through to the caller, the guard released.
    template <class F> bool Run(TWhen when, F&& command) {
        if (when == TWhen::Always) {
            command();
            return true;
        }
        if (Busy()) return false;
        TBusy busy(*this);
        command();
        return true;
    }
    // A command or a turn of play is under way.
    bool Busy() const { return BusyDepth > 0; }

    // State for the window and the tests.
    TMode Mode() const { return CurrentMode; }
    bool GameOver() const { return Over; }
    bool Thinking() const { return EngineRuns; }
    bool AdviserDown() const { return Adviser; }
    bool HasGame() const { return Record != nullptr; }
    // The side to move of the current position; White while there is no game.
    int SideToMove() const { return Record ? Record->CurrentPosition().SideToMove : White; }
    TGame& Game() { return *Record; }
    const TGame& Game() const { return *Record; }
    TGame* GamePointer() { return Record.get(); }
    const TCommandStates& Commands() const { return States; }
    bool Enabled(TCommand command) const { return States[Index(command)].Enabled; }

    // The mode, and every command's state with it.
    void SetMode(TMode mode);
    // The decision after a change of the current position; plays on while the computer or
    // the adviser is to move.
    void NextTurn();

    // The game record's life: a new record for the board and rules in force, kept mode;
    // dropping it; a record handed over whole (a loaded or pasted position or game), from
    // which play goes on.
    void CreateGame();
    void DestroyGame();
    void RebuildGame();
    void UseGame(TGame game);

    // New game: asks first when moves would be lost; false when the person declined.
    bool NewGame();
    // A new game without asking: the caller asked already, or nothing was played.
    void StartNewGame();
    bool ConfirmNewGame();

    // A person completed move `index` of the current position on the board.
    void HumanMove(int index);
    // A click on the board clears the marks of an advice first; answers whether there were.
    bool TakeAdviceMarks();

    // Undo, Redo and their "all" forms, over positions where no person chooses; then play
    // resumes from the position reached.
    void UndoMove();
    void RedoMove();
    void UndoAll();
    void RedoAll();
    // The position after `played` moves of the record becomes current (a click in the list
    // of moves); false when the flow cannot go there now.
    bool GoToMove(int played);

    // The engine marks the move it advises; the person plays on.
    void Advice();
    // The adviser button; while it is down the adviser plays for the person. Clicking it
    // down at a person's turn lets the adviser play at once.
    void SetAdviser(bool down);
    void AdviserClicked();
    // Break calculation: the running search returns at once and no move is played.
    void Stop();
    // The search is over (its answer may still wait out the least thinking time): Break
    // calculation has nothing left to break.
    void SearchFinished();

    // Position setup: entering, placing a piece on a square (refused where the rules do not
    // let it stand), emptying the board, passing the move, the initial arrangement, and going
    // on from the edited position as the first of a new history.
    bool StartSetup();
    bool Place(int square, TSquare piece);
    bool Clear();
    bool Delegate();
    bool Arrange();
    bool ContinuePlay();

    // After an error escaped a command: once no command is under way, the flow returns to
    // Play so that the window goes on taking clicks.
    void RecoverAfterError();

  private:
    enum class TTurn { Over, Human, Computer, Adviser };

    static std::size_t Index(TCommand command) { return static_cast<std::size_t>(command); }

    TTurn DecideTurn();
    void PlayTurns(TTurn turn);
    void ApplyMove(int index);
    // Runs the engine; answers the chosen move, 0 when Break calculation stopped it.
    int Think(bool advice);
    void FinishGame(const TOutcome& outcome);
    void ResumeAfterHistoryStep();
    void PublishCommands();

    TFlowView& View;
    std::unique_ptr<TGame> Record;
    TMode CurrentMode = TMode::Play;
    bool Over = false;
    bool EngineRuns = false;
    bool Searching = false;     // Break calculation has a search to break
    bool ShowingResult = false; // the end of the game is being shown: no clicks
    bool AdviceMarked = false;
    bool AdviceRuns = false;
    bool Adviser = false;
    int BusyDepth = 0;
    TCommandStates States{};
};

} // namespace quorvin
