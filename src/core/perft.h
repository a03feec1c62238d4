// Perft: the number of leaf positions of the tree of legal moves to a given depth. It checks
// the generators as a whole against published counts and measures their speed.
#pragma once

#include "position.h"

#include <cstdint>

namespace quorvin {

// Leaves of the tree below root to depth plies. With bulk, the moves of the last ply are
// counted instead of being played. The root's own move list is regenerated.
std::uint64_t Perft(const TPosition& root, int depth, bool bulk);

} // namespace quorvin
