// TSquareSet: a set of board squares held as the bits of one 128-bit word, in the board's bit
// layout (see geometry.h). The generators shift whole sets by a direction's step to find, in a
// few instructions, every piece that can move or capture; members are visited in ascending
// order, which is also the order of the squares' numbers.
#pragma once

#include <bit>
#include <cstdint>

namespace quorvin {

__extension__ using TBits = unsigned __int128;

// W is the word the bits live in: 128 bits hold every board, and boards whose layout fits in
// 64 bits are worked on in one machine word, which the generators choose when they can.
template <class W> struct TSquareSetOf {
    W Bits = 0;

    constexpr TSquareSetOf() = default;
    constexpr explicit TSquareSetOf(W bits) : Bits(bits) {}
    // Bits of a 128-bit set are reached through the 64-bit word that holds them: a shift of
    // the whole word by a count that may pass 64 costs a test and two moves more.
    static constexpr TSquareSetOf Single(int bit) {
        if constexpr (sizeof(W) == 8) {
            return TSquareSetOf(W{1} << bit);
        } else {
            const std::uint64_t one = std::uint64_t{1} << (bit & 63);
            return TSquareSetOf((bit & 64) != 0 ? W{one} << 64 : W{one});
        }
    }
    // The same members in another word; members beyond the narrower word are dropped.
    template <class V>
    constexpr explicit TSquareSetOf(TSquareSetOf<V> other) : Bits(static_cast<W>(other.Bits)) {}

    // `first` when `which` holds, else `second`, without a branch: where the choice follows
    // the side to move it changes every ply, which no branch predictor foresees.
    static constexpr TSquareSetOf Choose(bool which, TSquareSetOf first, TSquareSetOf second) {
        const W mask = W{0} - static_cast<W>(which);
        return TSquareSetOf((first.Bits & mask) | (second.Bits & ~mask));
    }

    constexpr bool Has(int bit) const {
        if constexpr (sizeof(W) == 8) {
            return ((Bits >> bit) & 1u) != 0;
        } else {
            const auto word = static_cast<std::uint64_t>((bit & 64) != 0 ? Bits >> 64 : Bits);
            return ((word >> (bit & 63)) & 1u) != 0;
        }
    }
    constexpr bool None() const { return Bits == 0; }
    constexpr bool Any() const { return Bits != 0; }
    constexpr void Add(int bit) { Bits |= Single(bit).Bits; }
    constexpr void Remove(int bit) { Bits &= ~Single(bit).Bits; }

    // The number of members, counted without the popcnt instruction, which the generic
    // x86-64 target this program is built for does not have.
    constexpr int Count() const {
        if constexpr (sizeof(W) == 8) return CountBits(static_cast<std::uint64_t>(Bits));
        return CountBits(static_cast<std::uint64_t>(Bits)) +
               CountBits(static_cast<std::uint64_t>(Bits >> 32 >> 32));
    }

    constexpr int Lowest() const {
        const auto low = static_cast<std::uint64_t>(Bits);
        if constexpr (sizeof(W) == 8) return std::countr_zero(low);
        return low != 0 ? std::countr_zero(low)
                        : 64 + std::countr_zero(static_cast<std::uint64_t>(Bits >> 32 >> 32));
    }
    constexpr int Highest() const {
        if constexpr (sizeof(W) == 8)
            return 63 - std::countl_zero(static_cast<std::uint64_t>(Bits));
        const auto high = static_cast<std::uint64_t>(Bits >> 32 >> 32);
        return high != 0 ? 127 - std::countl_zero(high)
                         : 63 - std::countl_zero(static_cast<std::uint64_t>(Bits));
    }

    friend constexpr TSquareSetOf operator&(TSquareSetOf a, TSquareSetOf b) {
        return TSquareSetOf(a.Bits & b.Bits);
    }
    friend constexpr TSquareSetOf operator|(TSquareSetOf a, TSquareSetOf b) {
        return TSquareSetOf(a.Bits | b.Bits);
    }
    friend constexpr TSquareSetOf operator^(TSquareSetOf a, TSquareSetOf b) {
        return TSquareSetOf(a.Bits ^ b.Bits);
    }
    constexpr TSquareSetOf operator~() const { return TSquareSetOf(~Bits); }
    constexpr TSquareSetOf& operator&=(TSquareSetOf o) {
        Bits &= o.Bits;
        return *this;
    }
    constexpr TSquareSetOf& operator|=(TSquareSetOf o) {
        Bits |= o.Bits;
        return *this;
    }
    constexpr TSquareSetOf& operator^=(TSquareSetOf o) {
        Bits ^= o.Bits;
        return *this;
    }
    friend constexpr bool operator==(TSquareSetOf a, TSquareSetOf b) { return a.Bits == b.Bits; }

  private:
    static constexpr int CountBits(std::uint64_t x) {
        x -= (x >> 1) & 0x5555555555555555ull;
        x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
        x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0full;
        return static_cast<int>((x * 0x0101010101010101ull) >> 56);
    }

  public:
    // Visits the members from the lowest bit up: `for (int bit : set)`.
    class TIterator {
      public:
        constexpr explicit TIterator(W rest) : Rest(rest) {}
        constexpr int operator*() const { return TSquareSetOf(Rest).Lowest(); }
        constexpr TIterator& operator++() {
            Rest &= Rest - 1;
            return *this;
        }
        constexpr bool operator!=(const TIterator& o) const { return Rest != o.Rest; }

      private:
        W Rest;
    };
    constexpr TIterator begin() const { return TIterator(Bits); }
    constexpr TIterator end() const { return TIterator(0); }
};

using TSquareSet = TSquareSetOf<TBits>;
using TNarrowSquareSet = TSquareSetOf<std::uint64_t>;

} // namespace quorvin
