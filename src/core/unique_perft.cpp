// Counting distinct moves and perft over them; see unique_perft.h.
#include "unique_perft.h"

#include <array>
#include <memory>

namespace quorvin {

namespace {

// What makes a move's result: its start, its end and the set of squares it takes from.
struct TMoveKey {
    int From = 0;
    int To = 0;
    std::array<std::uint64_t, 2> Taken{};
    bool operator==(const TMoveKey&) const = default;
};

TMoveKey KeyOf(const TMoveList& moves, int index) {
    TMoveKey key{moves.FromOf(index), moves.ToOf(index), {}};
    const int n = moves.CaptureCountOf(index);
    for (int k = 1; k <= n; ++k) {
        const int s = moves.CapturedOf(index, k);
        key.Taken[s / 64] |= std::uint64_t{1} << (s % 64);
    }
    return key;
}

// Fills `distinct` with the indices of the distinct moves of a list; `keys` is scratch room.
void Distinct(const TMoveList& moves, std::vector<TMoveKey>& keys, std::vector<int>& distinct) {
    distinct.clear();
    keys.clear();
    if (moves.CaptureLength() == 0) {
        // Simple moves differ in their start or end square.
        for (int i = 1; i <= moves.Count; ++i) distinct.push_back(i);
        return;
    }
    for (int i = 1; i <= moves.Count; ++i) {
        const TMoveKey key = KeyOf(moves, i);
        bool seen = false;
        for (const TMoveKey& k : keys)
            if (k == key) {
                seen = true;
                break;
            }
        if (seen) continue;
        keys.push_back(key);
        distinct.push_back(i);
    }
}

struct TPly {
    std::unique_ptr<TPosition> Position;
    std::vector<TMoveKey> Keys;
    std::vector<int> Moves;
};

std::uint64_t Count(std::vector<TPly>& plies, int ply, int depth, bool bulk) {
    TPly& node = plies[static_cast<std::size_t>(ply)];
    TPosition& p = *node.Position;
    if (p.ClassifyNode(false) != NodeHasMoves) return 0;
    Distinct(p.Moves, node.Keys, node.Moves);
    if (depth == 1 && bulk) return node.Moves.size();
    std::uint64_t leaves = 0;
    TPosition& child = *plies[static_cast<std::size_t>(ply) + 1].Position;
    for (const int i : node.Moves) {
        child.ResetForReuse();
        child.PlayMove(p, i);
        leaves += depth == 1 ? 1 : Count(plies, ply + 1, depth - 1, bulk);
    }
    return leaves;
}

} // namespace

std::vector<int> DistinctMoves(const TPosition& p) {
    std::vector<TMoveKey> keys;
    std::vector<int> distinct;
    Distinct(p.Moves, keys, distinct);
    return distinct;
}

std::uint64_t UniquePerft(const TPosition& root, int depth, bool bulk) {
    if (depth <= 0) return 1;
    std::vector<TPly> plies(static_cast<std::size_t>(depth) + 1);
    plies[0].Position = root.Clone();
    plies[0].Position->ResetForReuse();
    for (int i = 1; i <= depth; ++i)
        plies[static_cast<std::size_t>(i)].Position = root.NewPosition();
    return Count(plies, 0, depth, bulk);
}

} // namespace quorvin
