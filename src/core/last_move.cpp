// The last move from the game record; see last_move.h.
#include "last_move.h"

namespace quorvin {

TLastMove LastMoveOf(const TGame& game) {
    const TPlayedMove* played = game.MoveLeadingTo(game.Current() - 1);
    if (!played) return {};
    return {played->Move.From, played->Move.To};
}

} // namespace quorvin
