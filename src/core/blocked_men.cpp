// The blocked-man test; see blocked_men.h. The answer is the least fixed point of the
// rules, found by passes over the board until one changes nothing.
#include "blocked_men.h"

#include <array>

namespace quorvin {

bool IsFree(const TPosition& position, int square) {
    const TSquares board = position.Squares();
    std::array<bool, MaxSquares + 1> free{}; // free[0], off the board, stays false
    for (bool changed = true; changed;) {
        changed = false;
        for (int s = 1; s <= SquareCount; ++s) {
            if (free[s]) continue;
            const TSquare r = board[s];
            const int first = ForwardFirst[r.Side], last = ForwardLast[r.Side];
            const int a = Neighbour[s][first], b = Neighbour[s][last];
            const int enemy = Opponent[r.Side];
            if (r.Empty || free[a] || free[b] || (board[a].Side == enemy && free[Jump[s][first]]) ||
                (board[b].Side == enemy && free[Jump[s][last]])) {
                free[s] = true;
                changed = true;
            }
        }
    }
    return square >= 0 && square <= SquareCount && free[square];
}

} // namespace quorvin
