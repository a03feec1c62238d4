// Entering a move with the mouse: the player clicks the start square and then every landing
// square in order. The clicks are matched against the legal moves the current position has
// already generated, narrowing a set of candidates with every click, until they spell out a
// whole path; legality is never decided here. Matched squares are highlighted on the board,
// and the same highlighting shows the path of a move the engine has chosen.
#pragma once

#include "position.h"

#include <bitset>
#include <functional>
#include <vector>

namespace quorvin {

class TBoardGrid;

class THumanMove {
  public:
    // The position whose moves are entered, or nullptr while there is no game record.
    using TPositionSource = std::function<const TPosition*()>;
    // Whether a single remaining candidate is to be finished without further clicks.
    using TAutoSingleMove = std::function<bool()>;

    THumanMove(TBoardGrid& grid, TPositionSource position, TAutoSingleMove autoSingleMove);

    // Back to no piece selected, every move a candidate, nothing highlighted. Does not
    // redraw: whoever changes the board next draws the squares without their marks.
    void ResetMoveInput();
    // Feeds one clicked square; true when the clicks complete a move, whose 1-based number
    // in the position's move list is then in `number`.
    bool ClickSquare(int square, int& number);

    bool IsHighlighted(int square) const;
    // Marks the square, draws it and waits 150 ms serving events.
    void HighlightSquare(int square);
    // Unmarks, waits, marks again and waits: the square ends highlighted.
    void BlinkSquare(int square);
    // Highlights the path of move `number` square by square and blinks its last square.
    void ShowMovePath(int number);

    // The number of path squares matched so far; 0 while no piece is selected.
    int InputStep() const { return Step; }
    bool IsCandidate(int number) const;

  private:
    static constexpr int HighlightLimit = 80; // squares are at most 72

    const TPosition* Position() const { return PositionSource ? PositionSource() : nullptr; }
    int MoveCount() const;
    bool FindMatch(int square, int step, int& number) const;
    int NarrowCandidates(int square);

    TBoardGrid& Grid;
    TPositionSource PositionSource;
    TAutoSingleMove AutoSingleMove;
    std::bitset<HighlightLimit> Highlighted;
    // Indexed by move number; as long as the position's list, which has no fixed limit.
    std::vector<bool> CandidateMoves;
    int Step = 0;
};

} // namespace quorvin
