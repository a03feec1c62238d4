// Recognising the last move from two positions; see last_move.h.
#include "last_move.h"

#include <vector>

namespace quorvin {

namespace {

bool SameContents(TSquare a, TSquare b) {
    if (a.Empty || b.Empty) return a.Empty == b.Empty;
    return a.Side == b.Side && a.Kind == b.Kind;
}

bool HasPieceOf(const TPosition& p, int square, int side) {
    const TSquare q = p.At(square);
    return !q.Empty && q.Side == side;
}

// Whether move m of `before` accounts for every square that differs in `after`: its piece
// left the start square (unless it came back to it), stands on the landing square, every
// piece it took changed, and nothing else did.
bool Explains(const TMove& m, const TPosition& before, const TPosition& after,
              const std::vector<int>& changed) {
    const int mover = before.SideToMove;
    if (m.From == 0 || m.To == 0 || m.From > SquareCount || m.To > SquareCount) return false;
    if (!HasPieceOf(before, m.From, mover) || !HasPieceOf(after, m.To, mover)) return false;
    if (m.From != m.To && !after.At(m.From).Empty) return false;
    auto touched = [&m](int s) {
        if (s == m.From || s == m.To) return true;
        for (int k = 1; k <= m.CaptureCount; ++k)
            if (m.Captured[std::size_t(k)] == s) return true;
        return false;
    };
    for (const int s : changed)
        if (!touched(s)) return false;
    for (int k = 1; k <= m.CaptureCount; ++k) {
        const int taken = m.Captured[std::size_t(k)];
        if (taken == 0 || taken > SquareCount || SameContents(before.At(taken), after.At(taken)))
            return false;
    }
    return true;
}

} // namespace

TLastMove MoveBetween(const TPosition& before, const TPosition& after) {
    std::vector<int> changed;
    for (int s = 1; s <= SquareCount; ++s)
        if (!SameContents(before.At(s), after.At(s))) changed.push_back(s);
    if (changed.empty()) return {};

    if (before.Moves.Count > 0) {
        for (int i = 1; i <= before.Moves.Count; ++i) {
            const TMove m = before.Moves.GetMove(i);
            if (Explains(m, before, after, changed)) return {m.From, m.To};
        }
        return {};
    }

    // No generated moves to match: the mover's piece is the one that left a square empty and
    // the one that arrived on an empty square. Every other change must be a taken piece of
    // the opponent: gone, or in Vorna turned over where it stood.
    const int mover = before.SideToMove;
    TLastMove found;
    for (const int s : changed) {
        const TSquare was = before.At(s), now = after.At(s);
        if (HasPieceOf(before, s, mover) && now.Empty) {
            if (found.From != 0) return {};
            found.From = s;
        } else if (HasPieceOf(after, s, mover) && was.Empty) {
            if (found.To != 0) return {};
            found.To = s;
        } else {
            const bool taken = !was.Empty && was.Side != mover &&
                               (now.Empty || (now.Side == mover && now.Kind == was.Kind));
            if (!taken) return {};
        }
    }
    if (found.From == 0 || found.To == 0) return {};
    return found;
}

TLastMove LastMoveOf(const TGame& game) {
    if (game.Current() < 2) return {};
    return MoveBetween(game.PreviousPosition(), game.CurrentPosition());
}

} // namespace quorvin
