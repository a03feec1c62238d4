// Perft over a per-ply pool of positions, so that the count allocates nothing per node.
#include "perft.h"
#include "move_generation.h"

#include <vector>

namespace quorvin {

namespace {
// W is the word the board's sets fit in, chosen once for the whole tree.
template <class W>
std::uint64_t PerftNode(std::vector<std::unique_ptr<TPosition>>& pool, int ply, int depth,
                        bool bulk) {
    TPosition& p = *pool[ply];
    // Bulk counting: the last ply's moves are counted, not listed.
    if (depth == 1 && bulk) return static_cast<std::uint64_t>(p.CountMovesIn<W>());
    if (p.ClassifyFresh<W>(false) != NodeHasMoves) return 0;
    const int n = p.Moves.Count;
    TPosition& child = *pool[ply + 1];
    if (depth == 1) {
        // The last ply: every move is played, and each is a leaf. A loop of its own, without
        // the recursive call, keeps its work in registers.
        for (int i = 1; i <= n; ++i) child.PlayMoveIn<W>(p, i);
        return static_cast<std::uint64_t>(n);
    }
    std::uint64_t leaves = 0;
    for (int i = 1; i <= n; ++i) {
        child.PlayMoveIn<W>(p, i);
        leaves += PerftNode<W>(pool, ply + 1, depth - 1, bulk);
    }
    return leaves;
}
} // namespace

std::uint64_t Perft(const TPosition& root, int depth, bool bulk) {
    if (depth <= 0) return 1;
    std::vector<std::unique_ptr<TPosition>> pool;
    pool.push_back(root.Clone()); // its moves are listed anew
    for (int i = 1; i <= depth; ++i) pool.push_back(root.NewPosition());
    return NarrowLayout ? PerftNode<std::uint64_t>(pool, 0, depth, bulk)
                        : PerftNode<TBits>(pool, 0, depth, bulk);
}

} // namespace quorvin
