// TGame: the record of the game being played. It keeps one whole position per ply, from the
// initial (or set-up, or loaded) position to the last one reached, with the move played to
// reach each of them, and a cursor that Undo and Redo move; they never replay or take back a
// move. It also answers the three draw rules and the questions the game flow and the move
// choice ask about the current position, and keeps each side's search budget along its own
// moves.
#pragma once

#include "move_list.h"
#include "position.h"
#include "rules.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace quorvin {

// The draw rules in the order the game flow asks them after a move.
enum class TDrawRule { None, Repetition, QuietMoves, ThreeKings };

// What the record is told about the game beyond its rules: who plays each side, whether a
// single legal move is played for a person, and which draw rules are in force.
struct TGameOptions {
    std::array<bool, 2> ComputerSide{false, true}; // [side]
    bool AutoSingleMove = false;
    bool TripleRepetitionDraw = true;
    bool QuietMovesDraw = true;
    bool ThreeKingsDraw = true;
};

// The move that led to a position of the record: its 1-based index in the parent's move list
// when it was played, and the move itself. The index alone does not name the move for good:
// the list may have been shuffled before the choice (the think driver does so), and it is
// generated anew in the generators' order when the parent is classified again, after Undo for
// instance.
struct TPlayedMove {
    int Index = 0;
    TMove Move;
};

// The index of the played move in `list`, its parent's moves however they were ordered since:
// the kept index while it still names that move, else the first index that does; 0 when no
// move of the list is the one played.
int IndexOfPlayed(const TMoveList& list, const TPlayedMove& played);

class TGame {
  public:
    // Plies of quiet king moves and of three kings against one that make a draw.
    static constexpr int QuietMovesPlies = 64;
    static constexpr int ThreeKingsPlies = 30;
    // The budget a side starts a game with, and the bounds AdaptBudget keeps it in.
    static constexpr double InitialBudget = 10000.0;
    static constexpr double MinBudget = 100.0;
    static constexpr double MaxBudget = 1e15;

    // A record holding the initial arrangement of these rules on the current board.
    explicit TGame(TRules rules, const TGameOptions& options = {});

    TGame(TGame&&) noexcept = default;
    TGame& operator=(TGame&&) noexcept = default;

    TRules Rules() const { return GameRules; }
    const TGameOptions& Options() const { return GameOptions; }
    void SetOptions(const TGameOptions& options) { GameOptions = options; }
    // Number of positions held, the redo tail included.
    int Count() const { return static_cast<int>(Items.size()); }
    // Number of positions in the active history: 1 <= Current() <= Count().
    int Current() const { return CurrentCount; }

    // The position at a 0-based index; throws std::out_of_range outside 0..Count() - 1.
    TPosition& Positions(int index);
    const TPosition& Positions(int index) const;
    TPosition& CurrentPosition() { return Positions(CurrentCount - 1); }
    const TPosition& CurrentPosition() const { return Positions(CurrentCount - 1); }
    // The move played to reach the position at a 0-based index, or nullptr for a position
    // added without one: the record's first position (a new game, a set-up or loaded
    // position) and those made by AddPosition. Throws std::out_of_range outside
    // 0..Count() - 1.
    const TPlayedMove* MoveLeadingTo(int index) const;
    // The position before the current one; only when Current() >= 2.
    const TPosition& PreviousPosition() const { return Positions(CurrentCount - 2); }
    // The last earlier position with the same side to move; only when Current() >= 3.
    const TPosition& SameSideBefore() const { return Positions(CurrentCount - 3); }

    // Drops the redo tail and appends an empty position of the rules' class, which becomes
    // current. The caller fills it by PlayMove from Positions(Count() - 2); the record keeps
    // no move leading to it.
    TPosition& AddPosition();
    // Frees the positions after the current one.
    void TruncateRedo();
    // Frees the positions before the current one, which becomes the first and is led to by no
    // move any more; the redo tail stays.
    void DropHistory();
    // Plays move Index (1-based) of the current position's Moves as a new position, and keeps
    // the index and the move as the one leading to it. Throws std::out_of_range when the
    // current position has no such move. The new position's Moves stay empty until
    // ClassifyNode fills them.
    void PlayMove(int index);

    // The side to move of the current position is played by the computer.
    bool ComputerToMove() const;
    // The current position has exactly one legal move in its Moves.
    bool SingleMove() const;
    // The current position is set to the level that plays at random (fixed depth 0).
    bool RandomLevel() const;

    // Gives the current position the budget its side ended its previous move with, or the
    // initial budget at the start of the record.
    void InheritBudget();
    // Rescales the current position's budget by how its last search kept to the time limit.
    void AdaptBudget();

    // The draw rules at the current position, or at the last of the first `count` positions,
    // each reading its option at the moment it is asked.
    bool RepetitionDraw() const { return RepetitionDraw(CurrentCount); }
    bool QuietMovesDraw() const { return QuietMovesDraw(CurrentCount); }
    bool ThreeKingsDraw() const { return ThreeKingsDraw(CurrentCount); }
    bool RepetitionDraw(int count) const;
    bool QuietMovesDraw(int count) const;
    bool ThreeKingsDraw(int count) const;
    // The first draw rule that ends the game, asked in the game flow's order; the quiet-moves
    // rule is not played under Vorna.
    TDrawRule DrawReached() const { return DrawReached(CurrentCount); }
    TDrawRule DrawReached(int count) const;

    // The cursor walks over stopping points: positions where the human has a real choice.
    bool CanUndo() const { return CurrentCount > 1; }
    bool CanRedo() const { return CurrentCount < Count(); }
    void Undo();
    void Redo();
    void UndoAll();
    void RedoAll();
    // Puts the cursor on position `count` itself, whoever is to move there, for a list of the
    // game's moves and for questions about the record's last position. Throws
    // std::out_of_range outside 1..Count().
    void SetCurrent(int count);
    // A human has a real choice at the current position: no computer to move, and more than
    // one move or the single move not played by itself.
    bool AtStoppingPoint() const;

  private:
    TRules GameRules;
    TGameOptions GameOptions;
    // A position held and the move that led to it, when it was reached by one.
    struct TEntry {
        std::unique_ptr<TPosition> Position;
        std::optional<TPlayedMove> Played;
    };

    std::vector<TEntry> Items;
    int CurrentCount = 1;

    // Consecutive positions, counted back from the last of the first `count`, that satisfy
    // the predicate; the first position of the record is never examined.
    template <class Predicate> int RunBack(int count, Predicate holds) const;
};

} // namespace quorvin
