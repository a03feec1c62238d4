// Perft that counts a move once however many capture routes make it. A flying king that can
// land on several squares before it turns, or a man that takes a ring of pieces either way
// round, has several routes that take the same pieces between the same squares and leave the
// same position; the move list keeps each route, and most published perft tables count them
// as one move. Written on the public position interface, apart from the generators.
#pragma once

#include "position.h"

#include <cstdint>
#include <vector>

namespace quorvin {

// The indices (1-based) of p.Moves that lead to distinct positions: of the routes that take
// the same pieces between the same squares only the first is kept. p.Moves must hold the
// legal moves.
std::vector<int> DistinctMoves(const TPosition& p);

// Leaves of the tree below root to depth plies, each distinct move counted once. With bulk,
// the last ply is counted from the move list instead of being played.
std::uint64_t UniquePerft(const TPosition& root, int depth, bool bulk);

} // namespace quorvin
