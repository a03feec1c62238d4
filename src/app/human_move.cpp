// Mouse move input; see human_move.h.
#include "human_move.h"

#include "draw.h"
#include "waits.h"

#include <utility>

namespace quorvin {

namespace {

constexpr int HighlightMs = 150;
constexpr int BlinkOffMs = 150;
constexpr int BlinkHoldMs = 300;

} // namespace

THumanMove::THumanMove(TBoardGrid& grid, TPositionSource position, TAutoSingleMove autoSingleMove)
    : Grid(grid), PositionSource(std::move(position)), AutoSingleMove(std::move(autoSingleMove)) {}

int THumanMove::MoveCount() const {
    const TPosition* p = Position();
    return p ? p->Moves.Count : 0;
}

void THumanMove::ResetMoveInput() {
    Highlighted.reset();
    Step = 0;
    CandidateMoves.assign(std::size_t(MoveCount() + 1), true);
    CandidateMoves[0] = false;
}

bool THumanMove::IsHighlighted(int square) const {
    return square >= 0 && square < HighlightLimit && Highlighted.test(std::size_t(square));
}

bool THumanMove::IsCandidate(int number) const {
    return number >= 0 && std::size_t(number) < CandidateMoves.size() &&
           CandidateMoves[std::size_t(number)];
}

bool THumanMove::FindMatch(int square, int step, int& number) const {
    const TPosition* p = Position();
    if (!p || square == 0 || step < 0 || step > MaxCaptureLength) return false;
    // At step 0 every move counts, so that a new piece can be picked at any time.
    for (int i = 1; i <= MoveCount(); ++i) {
        if (step > 0 && !IsCandidate(i)) continue;
        if (p->Moves.GetMove(i).Path[std::size_t(step)] == square) {
            number = i;
            return true;
        }
    }
    return false;
}

int THumanMove::NarrowCandidates(int square) {
    const TPosition* p = Position();
    int count = 0;
    for (int i = 1; i <= MoveCount(); ++i) {
        if (!IsCandidate(i)) continue;
        if (p->Moves.GetMove(i).Path[std::size_t(Step)] == square)
            ++count;
        else
            CandidateMoves[std::size_t(i)] = false;
    }
    return count;
}

bool THumanMove::ClickSquare(int square, int& number) {
    // One pass per square: the clicked one, then, with "Auto single move", each square of
    // the only candidate left, entered as if clicked.
    for (;;) {
        if (FindMatch(square, Step, number)) {
            HighlightSquare(square);
            const TMove m = Position()->Moves.GetMove(number);
            if (m.LastIndex == Step) {
                BlinkSquare(square);
                return true;
            }
            const int remaining = NarrowCandidates(square);
            ++Step;
            if (!(AutoSingleMove && AutoSingleMove() && remaining == 1)) return false;
            square = m.Path[std::size_t(Step)];
            continue;
        }
        if (Step > 0 && FindMatch(square, 0, number)) {
            // The start square of another move: that piece is selected instead.
            ResetMoveInput();
            Grid.RedrawBoard();
            continue;
        }
        return false;
    }
}

void THumanMove::HighlightSquare(int square) {
    if (square >= 0 && square < HighlightLimit) Highlighted.set(std::size_t(square));
    Grid.DrawSquare(square);
    Delay(HighlightMs);
}

void THumanMove::BlinkSquare(int square) {
    if (square >= 0 && square < HighlightLimit) Highlighted.reset(std::size_t(square));
    Grid.DrawSquare(square);
    Delay(BlinkOffMs);
    HighlightSquare(square);
    Delay(BlinkHoldMs);
}

void THumanMove::ShowMovePath(int number) {
    const TPosition* p = Position();
    if (!p || number < 1 || number > p->Moves.Count) return;
    const TMove m = p->Moves.GetMove(number);
    for (int k = 0; k <= m.LastIndex; ++k) HighlightSquare(m.Path[std::size_t(k)]);
    BlinkSquare(m.Path[m.LastIndex]);
}

} // namespace quorvin
