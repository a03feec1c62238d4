// Spanish checkers; see spanish_position.h.
#include "spanish_position.h"

namespace quorvin {

std::unique_ptr<TPosition> TSpanishPosition::NewPosition() const {
    return std::make_unique<TSpanishPosition>();
}

std::unique_ptr<TPosition> TSpanishPosition::Clone() const {
    return std::make_unique<TSpanishPosition>(*this);
}

} // namespace quorvin
