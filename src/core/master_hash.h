// The master search's memory of positions: Zobrist keys of the square sets (one random word per
// bit of the board's layout and kind of piece, and one for the side to move) and the
// transposition table that stores, per key, the best move found, a bound on the score and the
// depth it was searched to. The table is allocated when its size is set, never per search.
#pragma once

#include "position.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvin {

// The kinds of piece a key tells apart.
enum class TMasterPiece { WhiteMan = 0, WhiteKing = 1, BlackMan = 2, BlackKing = 3 };

// Random words, the same on every machine (they come from a fixed seed).
struct TZobrist {
    std::array<std::array<std::uint64_t, BitLimit>, 4> Piece{};
    std::uint64_t BlackToMove = 0;
};
const TZobrist& Zobrist();

// The key of a position, computed from its square sets.
std::uint64_t MasterKey(const TPosition& p);

// The key of a child from its parent's: only the squares whose contents changed are visited.
template <class W>
std::uint64_t MasterChildKey(std::uint64_t parentKey, const TPosition& parent,
                             const TPosition& child) {
    using S = TSquareSetOf<W>;
    const TZobrist& z = Zobrist();
    // Parent's mover is the child's opponent.
    const S pMover(parent.Own), pOther(parent.Enemy), pKings(parent.Kings);
    const S cMover(child.Enemy), cOther(child.Own), cKings(child.Kings);
    const int mover = parent.SideToMove;
    const std::array<S, 4> changed{
        (pMover & ~pKings) ^ (cMover & ~cKings), (pMover & pKings) ^ (cMover & cKings),
        (pOther & ~pKings) ^ (cOther & ~cKings), (pOther & pKings) ^ (cOther & cKings)};
    std::uint64_t key = parentKey ^ z.BlackToMove;
    for (int k = 0; k < 4; ++k) {
        // Kinds 0, 1 are the mover's men and kings, 2, 3 the other side's.
        const int colour = k < 2 ? mover : 1 - mover;
        const auto& table = z.Piece[static_cast<std::size_t>(colour * 2 + (k & 1))];
        for (const int bit : changed[static_cast<std::size_t>(k)])
            key ^= table[static_cast<std::size_t>(bit)];
    }
    return key;
}

// What a stored score is: exact, or only a bound.
enum class TBound : std::uint8_t { None = 0, Upper = 1, Lower = 2, Exact = 3 };

struct TMasterEntry {
    std::uint64_t Key = 0;
    std::int16_t Score = 0;
    std::uint16_t Move = 0; // index in the position's Moves, 0 for none
    std::uint8_t Depth = 0;
    std::uint8_t Bound = 0;
    std::uint8_t Age = 0;
    std::uint8_t Spare = 0;
};

class TMasterTable {
  public:
    static constexpr std::size_t DefaultMiB = 64;
    static constexpr int Ways = 4; // entries per bucket; one bucket fills a cache line

    explicit TMasterTable(std::size_t mib = DefaultMiB) { Resize(mib); }

    // Sets the size in MiB (at least 1) and empties the table; the memory is allocated here.
    void Resize(std::size_t mib);
    std::size_t SizeMiB() const { return MiB; }
    void Clear();
    // A new search: older entries become the first to be replaced.
    void NewSearch() { ++Age; }

    // The entry of a key, or nullptr.
    const TMasterEntry* Probe(std::uint64_t key) const {
        const TBucket& b = Buckets[key & Mask];
        for (const TMasterEntry& e : b.Entries)
            if (e.Key == key && e.Bound != 0) return &e;
        return nullptr;
    }
    void Store(std::uint64_t key, int score, int move, int depth, TBound bound);
    // Asks for a key's bucket ahead of the probe, so that the memory is on its way meanwhile.
    void Prefetch(std::uint64_t key) const { __builtin_prefetch(&Buckets[key & Mask]); }

  private:
    struct alignas(64) TBucket {
        std::array<TMasterEntry, Ways> Entries{};
    };
    std::vector<TBucket> Buckets;
    std::uint64_t Mask = 0;
    std::size_t MiB = 0;
    std::uint8_t Age = 0;
};

} // namespace quorvin
