// The list of a position's legal moves, packed into a fixed 510-byte array at a common
// stride so that a position (one per search node) needs no allocation. Moves are named by
// their 1-based index; the order is the order the generators produced them in.
#pragma once

#include <array>
#include <cstdint>

namespace quorvin {

inline constexpr int MaxCaptureLength = 32; // pieces one capture sequence can take
inline constexpr int MoveListBytes = 510;
inline constexpr int MaxMoveIndex = 255;

// One move unpacked. Path[0] is the start square; for a capture Path[k] is the landing
// square after the k-th jump, for a simple move Path[1] is the destination. Captured[0] is
// the number of pieces taken and Captured[1..n] their squares in the order they are jumped.
struct TMove {
    std::uint8_t From = 0;
    std::uint8_t To = 0;
    std::array<std::uint8_t, MaxCaptureLength + 1> Path{};
    std::uint8_t CaptureCount = 0;
    std::uint8_t LastIndex = 0;
    std::array<std::uint8_t, MaxCaptureLength + 1> Captured{};
};

constexpr int MoveSize(int L) {
    return L == 0 ? 2 : 2 * L + 2;
}

// MoveOffset[L][i]: byte offset of move i in a list whose stride is sized for L captures.
inline constexpr auto MoveOffset = [] {
    std::array<std::array<std::uint16_t, MaxMoveIndex + 1>, MaxCaptureLength + 1> t{};
    for (int L = 0; L <= MaxCaptureLength; ++L)
        for (int i = 1; i <= MaxMoveIndex; ++i)
            t[L][i] = static_cast<std::uint16_t>(MoveSize(L) * (i - 1));
    return t;
}();

class TMoveList {
  public:
    std::array<std::uint8_t, MoveListBytes> Data;
    int CaptureLength = 0;
    int Count = 0;

    // Empties the list (Clear) or re-spaces the kept captures, then sets the stride.
    void Reset(int Length, bool Clear) {
        if (Clear)
            Count = 0;
        else
            Repack(Length);
        CaptureLength = Length;
    }
    void Add(const TMove& move) {
        ++Count;
        PutMove(Count, move);
    }
    // Adds a simple move; the same bytes as Add of a TMove with Path = (from, to).
    void AddSimple(std::uint8_t from, std::uint8_t to) {
        const int offset = MoveOffset[0][Count + 1];
        if (Count + 1 > MaxMoveIndex || offset + 2 > MoveListBytes - 1) return;
        ++Count;
        Data[offset] = from;
        Data[offset + 1] = to;
    }
    // Adds the simple move only when `when` holds, without a branch on it: the bytes are
    // written either way and the count decides whether they belong to the list.
    void AddSimpleIf(std::uint8_t from, std::uint8_t to, bool when) {
        constexpr int MaxSimpleMoves = (MoveListBytes - 1) / MoveSize(0);
        const int offset = MoveOffset[0][Count + 1];
        Data[offset] = from;
        Data[offset + 1] = to;
        Count += static_cast<int>(when) & static_cast<int>(Count < MaxSimpleMoves);
    }
    // Writes move Index; a move that would not fit is dropped and Count decreased.
    void PutMove(int Index, const TMove& move);
    void GetMove(int Index, TMove& move) const;
    TMove GetMove(int Index) const {
        TMove m;
        GetMove(Index, m);
        return m;
    }
    // Start and end square of move Index without unpacking the whole move.
    std::uint8_t FromOf(int Index) const { return Data[MoveOffset[CaptureLength][Index]]; }
    std::uint8_t ToOf(int Index) const {
        const int L = CaptureLength;
        const int offset = MoveOffset[L][Index];
        return L == 0 ? Data[offset + 1] : Data[offset + Data[offset + L + 1]];
    }
    int CaptureCountOf(int Index) const {
        return CaptureLength == 0 ? 0 : Data[MoveOffset[CaptureLength][Index] + CaptureLength + 1];
    }
    // The square of the k-th piece taken by move Index (k from 1).
    std::uint8_t CapturedOf(int Index, int k) const {
        return Data[MoveOffset[CaptureLength][Index] + CaptureLength + 1 + k];
    }
    // Adds a capture of `taken` pieces whose path and taken squares the generator keeps per
    // level in its step tables: the same bytes as Add of the unpacked move.
    template <class TSteps, class TAlternatives>
    void AddCapture(std::uint8_t from, int taken, const TSteps& stepSquare, const TSteps& stepTaken,
                    const TAlternatives& alternatives) {
        const int L = CaptureLength;
        ++Count;
        const int offset = MoveOffset[L][Count];
        if (Count > MaxMoveIndex || offset + MoveSize(L) > MoveListBytes - 1) {
            --Count;
            return;
        }
        std::uint8_t* path = &Data[offset];
        std::uint8_t* captured = path + L + 1;
        path[0] = from;
        captured[0] = static_cast<std::uint8_t>(taken);
        for (int k = 2; k <= taken + 1; ++k) {
            path[k - 1] = stepSquare[alternatives[k]][k];
            captured[k - 1] = stepTaken[alternatives[k]][k];
        }
    }
    // Re-spaces the stored captures for a longer stride; moves that no longer fit are dropped.
    void Repack(int NewLength);
    void Shuffle();
};

} // namespace quorvin
