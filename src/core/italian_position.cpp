// The evaluation terms of Italian draughts; see italian_position.h.
#include "italian_position.h"

namespace quorvin {

std::unique_ptr<TPosition> TItalianPosition::NewPosition() const {
    return std::make_unique<TItalianPosition>();
}

std::unique_ptr<TPosition> TItalianPosition::Clone() const {
    return std::make_unique<TItalianPosition>(*this);
}

// Kings step as in straight checkers, but no man can take one: a king is worth more.
double TItalianPosition::KingValue() const {
    return 2.0;
}

} // namespace quorvin
