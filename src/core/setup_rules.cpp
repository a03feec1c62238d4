// The rules of an edited position; see setup_rules.h.
#include "setup_rules.h"

namespace quorvin {

bool MayPlace(TRules rules, int square, TSquare piece) {
    if (square < 1 || square > SquareCount) return false;
    if (piece.Empty) return true;
    if (piece.Kind == King) return rules != TRules::Vorna;
    return !PromotionRow[std::size_t(square)][piece.Side];
}

void FinishEditedPosition(TPosition& position) {
    position.ResetForReuse();
    position.Evaluate();
}

} // namespace quorvin
