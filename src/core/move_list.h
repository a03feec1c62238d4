// The list of a position's legal moves, packed at a common stride so that a position (one
// per search node) normally needs no allocation: the moves live in an array inside the
// object. Moves are named by their 1-based index; the order is the order the generators
// produced them in.
//
// The list never drops a move. A flying king on a big board can have hundreds of capture
// routes of the same length, more than any fixed array inside a position should hold, so a
// list that runs out of room moves to a buffer of its own and keeps it for the positions it
// holds later: a search reuses one position per ply, so the buffer is allocated once per
// ply at most, and only in positions that need it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace quorvin {

inline constexpr int MaxCaptureLength = 32; // pieces one capture sequence can take
// Room for moves inside the list: every list of simple moves fits (on 12 x 12 at most 242,
// one per empty square and direction a piece can come from), and so do the captures of
// nearly every position.
inline constexpr int InlineMoveBytes = 510;
// The most simple moves a position can have: one per pair of diagonal neighbours and
// direction, 2 * 11 * 11 on 12 x 12.
inline constexpr int MaxSimpleMoves = 242;

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

// Whether two unpacked moves are one: the same start, the same landing squares and the same
// pieces taken in the same order. Bytes past a move's own length are not compared.
bool SameMove(const TMove& a, const TMove& b);

// Bytes of one move in a list whose stride is sized for L captures: the path and the taken
// squares, or just from and to for simple moves.
constexpr int MoveSize(int L) {
    return L == 0 ? 2 : 2 * L + 2;
}

class TMoveList {
    // First, so that it is initialised before Bytes is pointed at it. Lists are made with
    // their positions, never per search node, so clearing it costs nothing that matters.
    std::array<std::uint8_t, InlineMoveBytes> Inline{};

  public:
    int Count = 0;

    TMoveList() noexcept : Bytes(Inline.data()) {}
    TMoveList(const TMoveList& other);
    TMoveList& operator=(const TMoveList& other);
    ~TMoveList() = default;

    // The number of captures every slot is sized for; 0 for a list of simple moves.
    int CaptureLength() const { return Length; }

    // Empties the list (Clear) or re-spaces the kept captures, then sets the stride.
    void Reset(int length, bool clear) {
        if (clear)
            Count = 0;
        else
            Repack(length);
        Length = length;
        Stride = MoveSize(length);
    }
    void Add(const TMove& move) {
        Reserve(Count + 1);
        ++Count;
        PutMove(Count, move);
    }
    // Adds a simple move; the same bytes as Add of a TMove with Path = (from, to).
    void AddSimple(std::uint8_t from, std::uint8_t to) {
        Reserve(Count + 1);
        std::uint8_t* slot = Bytes + MoveSize(0) * Count;
        slot[0] = from;
        slot[1] = to;
        ++Count;
    }
    // Adds the simple move only when `when` holds, without a branch on it: the bytes are
    // written either way and the count decides whether they belong to the list.
    void AddSimpleIf(std::uint8_t from, std::uint8_t to, bool when) {
        Reserve(Count + 1);
        std::uint8_t* slot = Bytes + MoveSize(0) * Count;
        slot[0] = from;
        slot[1] = to;
        Count += static_cast<int>(when);
    }
    // Simple moves written in bulk: BeginSimple makes room for `most` more and answers where
    // the next one goes; the generator writes from and to there and hands the end back to
    // EndSimple. Writing through a local pointer keeps the compiler from reading the list's
    // bookkeeping again after every byte stored.
    std::uint8_t* BeginSimple(int most) {
        Reserve(Count + most);
        return Bytes + MoveSize(0) * Count;
    }
    void EndSimple(const std::uint8_t* end) { Count = static_cast<int>(end - Bytes) / MoveSize(0); }
    // Writes move Index (1..Count).
    void PutMove(int Index, const TMove& move);
    void GetMove(int Index, TMove& move) const;
    TMove GetMove(int Index) const {
        TMove m;
        GetMove(Index, m);
        return m;
    }
    // Start and end square of move Index without unpacking the whole move.
    std::uint8_t FromOf(int Index) const { return Slot(Index)[0]; }
    std::uint8_t ToOf(int Index) const {
        const std::uint8_t* slot = Slot(Index);
        return Length == 0 ? slot[1] : slot[slot[Length + 1]];
    }
    int CaptureCountOf(int Index) const { return Length == 0 ? 0 : Slot(Index)[Length + 1]; }
    // The square of the k-th piece taken by move Index (k from 1).
    std::uint8_t CapturedOf(int Index, int k) const { return Slot(Index)[Length + 1 + k]; }
    // Adds a capture of `taken` pieces: landing[k] is the square after the k-th jump and
    // takenSquares[k] the piece it took (k from 1). The same bytes as Add of the unpacked move.
    template <class TSteps>
    void AddCapture(std::uint8_t from, int taken, const TSteps& landing,
                    const TSteps& takenSquares) {
        Reserve(Count + 1);
        std::uint8_t* path = Bytes + Stride * Count;
        ++Count;
        std::uint8_t* captured = path + Length + 1;
        path[0] = from;
        captured[0] = static_cast<std::uint8_t>(taken);
        for (int k = 1; k <= taken; ++k) {
            path[k] = landing[k];
            captured[k] = takenSquares[k];
        }
    }
    // Re-spaces the stored captures for a longer stride, keeping every one of them.
    void Repack(int NewLength);
    void Shuffle();

  private:
    std::uint8_t* Bytes;                   // Inline, or Spill once the list has outgrown it
    int Capacity = InlineMoveBytes;        // bytes at Bytes
    int Length = 0;                        // CaptureLength
    int Stride = MoveSize(0);              // MoveSize(Length)
    std::unique_ptr<std::uint8_t[]> Spill; // kept when the list is emptied, for reuse

    const std::uint8_t* Slot(int Index) const {
#ifdef QUORVIN_CHECKS
        CheckIndex(Index);
#endif
        return Bytes + Stride * (Index - 1);
    }
    void CheckIndex(int Index) const;
    // Makes room for `moves` moves at the current stride. Moving to a bigger buffer is rare
    // and kept out of line, so that the generators pay one comparison per move.
    void Reserve(int moves) {
        if (moves * Stride > Capacity) [[unlikely]]
            Grow(moves * Stride);
    }
    void Grow(int bytes);
};

} // namespace quorvin
