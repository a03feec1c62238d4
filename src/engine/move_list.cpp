// Packing, unpacking and shuffling of move lists; see move_list.h.
#include "move_list.h"

#include "mathematics.h"

#include <cassert>
#include <cstring>
#include <stdexcept>

namespace quorvin {

void TMoveList::PutMove(int Index, const TMove& move) {
#ifdef QUORVIN_CHECKS
    if (!InRange(Index, 1, MaxMoveIndex)) throw std::out_of_range("move index out of range");
#endif
    const int L = CaptureLength;
    const int offset = MoveOffset[L][Index];
    if (Index > MaxMoveIndex || offset + MoveSize(L) > MoveListBytes - 1) {
        --Count;
        return;
    }
    if (L == 0) {
        Data[offset] = move.Path[0];
        Data[offset + 1] = move.Path[1];
        return;
    }
    std::memcpy(&Data[offset], move.Path.data(), L + 1);
    std::memcpy(&Data[offset + L + 1], move.Captured.data(), L + 1);
}

void TMoveList::GetMove(int Index, TMove& move) const {
#ifdef QUORVIN_CHECKS
    if (!InRange(Index, 1, Count)) throw std::out_of_range("move index out of range");
#endif
    const int L = CaptureLength;
    const int offset = MoveOffset[L][Index];
    if (L == 0) {
        move.Path[0] = Data[offset];
        move.Path[1] = Data[offset + 1];
        move.CaptureCount = 0;
        move.LastIndex = 1;
        move.Captured[0] = 0;
    } else {
        std::memcpy(move.Path.data(), &Data[offset], L + 1);
        std::memcpy(move.Captured.data(), &Data[offset + L + 1], L + 1);
        move.CaptureCount = move.Captured[0];
        move.LastIndex = move.Captured[0];
    }
    move.From = move.Path[0];
    move.To = move.Path[move.LastIndex];
}

void TMoveList::Repack(int NewLength) {
    const int L = CaptureLength;
    assert(NewLength >= L);
    if (NewLength == L) return;
    // Moves past the capacity of the new stride are dropped, as PutMove would drop them.
    while (Count > 0 && MoveOffset[NewLength][Count] + MoveSize(NewLength) > MoveListBytes - 1)
        --Count;
    for (int i = Count; i >= 1; --i) {
        const int oldOffset = MoveOffset[L][i];
        const int newOffset = MoveOffset[NewLength][i];
        if (L == 0) {
            // A list of simple moves is only repacked while empty; keep it well defined.
            Data[newOffset + 1] = Data[oldOffset + 1];
            Data[newOffset] = Data[oldOffset];
            continue;
        }
        std::memmove(&Data[newOffset + NewLength + 1], &Data[oldOffset + L + 1], L + 1);
        std::memmove(&Data[newOffset], &Data[oldOffset], L + 1);
    }
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
