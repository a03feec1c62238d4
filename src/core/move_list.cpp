// Packing, unpacking, growing and shuffling of move lists; see move_list.h.
#include "move_list.h"

#include "mathematics.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <stdexcept>

namespace quorvin {

bool SameMove(const TMove& a, const TMove& b) {
    if (a.From != b.From || a.CaptureCount != b.CaptureCount || a.LastIndex != b.LastIndex)
        return false;
    for (int k = 1; k <= a.LastIndex; ++k)
        if (a.Path[std::size_t(k)] != b.Path[std::size_t(k)]) return false;
    for (int k = 1; k <= a.CaptureCount; ++k)
        if (a.Captured[std::size_t(k)] != b.Captured[std::size_t(k)]) return false;
    return true;
}

TMoveList::TMoveList(const TMoveList& other) : TMoveList() {
    *this = other;
}

TMoveList& TMoveList::operator=(const TMoveList& other) {
    if (this == &other) return *this;
    // Only the moves are copied; each list keeps its own storage.
    Count = 0;
    Length = other.Length;
    Stride = other.Stride;
    const int used = other.Count * other.Stride;
    if (used > Capacity) Grow(used);
    std::memcpy(Bytes, other.Bytes, static_cast<std::size_t>(used));
    Count = other.Count;
    return *this;
}

void TMoveList::Grow(int bytes) {
    // Doubling keeps a list that grows move by move from copying itself over and over.
    const int capacity = std::max(bytes, 2 * Capacity);
    auto bigger =
        std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(capacity));
    std::memcpy(bigger.get(), Bytes, static_cast<std::size_t>(Count * Stride));
    Spill = std::move(bigger);
    Bytes = Spill.get();
    Capacity = capacity;
}

void TMoveList::CheckIndex(int Index) const {
    if (!InRange(Index, 1, Count)) throw std::out_of_range("Move index out of range");
}

void TMoveList::PutMove(int Index, const TMove& move) {
#ifdef QUORVIN_CHECKS
    CheckIndex(Index);
#endif
    std::uint8_t* slot = Bytes + Stride * (Index - 1);
    if (Length == 0) {
        slot[0] = move.Path[0];
        slot[1] = move.Path[1];
        return;
    }
    std::memcpy(slot, move.Path.data(), Length + 1);
    std::memcpy(slot + Length + 1, move.Captured.data(), Length + 1);
}

void TMoveList::GetMove(int Index, TMove& move) const {
    const std::uint8_t* slot = Slot(Index);
    if (Length == 0) {
        move.Path[0] = slot[0];
        move.Path[1] = slot[1];
        move.CaptureCount = 0;
        move.LastIndex = 1;
        move.Captured[0] = 0;
    } else {
        std::memcpy(move.Path.data(), slot, Length + 1);
        std::memcpy(move.Captured.data(), slot + Length + 1, Length + 1);
        move.CaptureCount = move.Captured[0];
        move.LastIndex = move.Captured[0];
    }
    move.From = move.Path[0];
    move.To = move.Path[move.LastIndex];
}

void TMoveList::Repack(int NewLength) {
    const int L = Length;
    assert(NewLength >= L);
    if (NewLength == L) return;
    const int newStride = MoveSize(NewLength);
    if (Count * newStride > Capacity) Grow(Count * newStride);
    // From the last move down: slots only grow, so no move is overwritten before it moves.
    for (int i = Count - 1; i >= 0; --i) {
        std::uint8_t* from = Bytes + Stride * i;
        std::uint8_t* to = Bytes + newStride * i;
        if (L == 0) {
            // A list of simple moves is only repacked while empty; keep it well defined.
            to[1] = from[1];
            to[0] = from[0];
            continue;
        }
        std::memmove(to + NewLength + 1, from + L + 1, L + 1);
        std::memmove(to, from, L + 1);
    }
    Length = NewLength;
    Stride = newStride;
}

void TMoveList::Shuffle() {
    TMove a, b;
    for (int k = 1; k <= Count; ++k) {
        const int j = RandomBetween(1, Count);
        GetMove(k, a);
        GetMove(j, b);
        PutMove(k, b);
        PutMove(j, a);
    }
}

} // namespace quorvin
