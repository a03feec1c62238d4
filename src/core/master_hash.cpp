// Zobrist keys and the transposition table of the master search; see master_hash.h.
#include "master_hash.h"

#include <algorithm>

namespace quorvin {

namespace {
// SplitMix64: a small generator whose words are well spread, from a fixed seed.
std::uint64_t NextWord(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

TZobrist MakeZobrist() {
    TZobrist z;
    std::uint64_t state = 0x51a7e5c0ffee2026ull;
    for (auto& kind : z.Piece)
        for (auto& word : kind) word = NextWord(state);
    z.BlackToMove = NextWord(state);
    return z;
}
} // namespace

const TZobrist& Zobrist() {
    static const TZobrist z = MakeZobrist();
    return z;
}

std::uint64_t MasterKey(const TPosition& p) {
    const TZobrist& z = Zobrist();
    const TSquareSet white = p.SideToMove == White ? p.Own : p.Enemy;
    const TSquareSet black = p.SideToMove == White ? p.Enemy : p.Own;
    const std::array<TSquareSet, 4> sets{white & ~p.Kings, white & p.Kings, black & ~p.Kings,
                                         black & p.Kings};
    std::uint64_t key = p.SideToMove == Black ? z.BlackToMove : 0;
    for (std::size_t k = 0; k < 4; ++k)
        for (const int bit : sets[k]) key ^= z.Piece[k][static_cast<std::size_t>(bit)];
    return key;
}

void TMasterTable::Resize(std::size_t mib) {
    mib = std::max<std::size_t>(mib, 1);
    // The largest power of two of buckets that fits.
    std::size_t count = 1;
    while (count * 2 * sizeof(TBucket) <= mib * 1024 * 1024) count *= 2;
    if (Buckets.size() != count) {
        Buckets.clear();
        Buckets.shrink_to_fit();
        Buckets.resize(count);
    }
    Mask = count - 1;
    MiB = mib;
    Clear();
}

void TMasterTable::Clear() {
    std::fill(Buckets.begin(), Buckets.end(), TBucket{});
    Age = 0;
}

void TMasterTable::Store(std::uint64_t key, int score, int move, int depth, TBound bound) {
    TBucket& b = Buckets[key & Mask];
    TMasterEntry* slot = nullptr;
    for (TMasterEntry& e : b.Entries)
        if (e.Key == key) {
            slot = &e;
            break;
        }
    if (slot) {
        // A shallower result of the same position does not push out a deeper exact one, but
        // its move is newer.
        if (move == 0) move = slot->Move;
        if (depth + 2 < slot->Depth && slot->Bound == static_cast<std::uint8_t>(TBound::Exact) &&
            bound != TBound::Exact && slot->Age == Age) {
            slot->Move = static_cast<std::uint16_t>(move);
            return;
        }
    } else {
        // The entry worth least: from an older search first, then the shallowest.
        auto worth = [&](const TMasterEntry& e) {
            return static_cast<int>(e.Depth) - (e.Age == Age ? 0 : 256);
        };
        slot = &b.Entries[0];
        for (TMasterEntry& e : b.Entries)
            if (worth(e) < worth(*slot)) slot = &e;
    }
    slot->Key = key;
    slot->Score = static_cast<std::int16_t>(score);
    slot->Move = static_cast<std::uint16_t>(move);
    slot->Depth = static_cast<std::uint8_t>(std::clamp(depth, 0, 255));
    slot->Bound = static_cast<std::uint8_t>(bound);
    slot->Age = Age;
}

} // namespace quorvin
