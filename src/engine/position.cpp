// The rule-independent part of a position: initial arrangement, move making with the
// incremental evaluation, capture-candidate marks, the value table and node classification.
#include "position.h"

#include "mathematics.h"

#include <cmath>
#include <stdexcept>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvin {

TPosition::TPosition() {
    Moves.Reset(0, true);
    Board[0] = WhiteMan;
}

static_assert(std::endian::native == std::endian::little,
              "square records are matched as little-endian words");
static_assert(sizeof(TSquare) == 4 && BoardCells % 16 == 0);

TSquareSet TPosition::Matching(std::uint32_t mask, std::uint32_t pattern) const {
    TSquareSet set;
#if defined(__SSE2__)
    const __m128i m = _mm_set1_epi32(static_cast<int>(mask));
    const __m128i p = _mm_set1_epi32(static_cast<int>(pattern));
    auto group = [&](int i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&Board[i]));
        return _mm_cmpeq_epi32(_mm_and_si128(v, m), p);
    };
    // Sixteen squares at a time: four comparisons packed down to one bit per square.
    auto sixteen = [&](int i) {
        const __m128i low = _mm_packs_epi32(group(i), group(i + 4));
        const __m128i high = _mm_packs_epi32(group(i + 8), group(i + 12));
        return static_cast<std::uint64_t>(
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(low, high))));
    };
    std::uint64_t low = sixteen(0);
    if (SquareCount >= 16) low |= sixteen(16) << 16;
    if (SquareCount >= 32) low |= sixteen(32) << 32;
    if (SquareCount >= 48) low |= sixteen(48) << 48;
    set.Word[0] = low;
    if (SquareCount >= 64) set.Word[1] = sixteen(64);
#else
    for (int i = 0; i <= SquareCount; ++i) {
        std::uint32_t w;
        std::memcpy(&w, &Board[i], sizeof w);
        if ((w & mask) == pattern) set.Word[i / 64] |= std::uint64_t{1} << (i % 64);
    }
#endif
    // Only squares 1..SquareCount are on the board.
    set.Word[0] &= ~std::uint64_t{1};
    if (SquareCount < 64) {
        set.Word[0] &= (std::uint64_t{1} << (SquareCount + 1)) - 1;
        set.Word[1] = 0;
    } else {
        set.Word[1] &= (std::uint64_t{1} << (SquareCount + 1 - 64)) - 1;
    }
    return set;
}

void TPosition::Crown(int) {}

int TPosition::MenPerSide() const {
    if (BoardRows % 2 == 1)
        return static_cast<int>(std::lround(SquareCount / 2.0 - BoardFiles / 4.0));
    return (SquareCount - BoardFiles) / 2;
}

double TPosition::KingValue() const {
    return 3.0;
}
TSquare TPosition::FirstMover() const {
    return WhiteMan;
}
bool TPosition::MaxCaptureRule() const {
    return true;
}

void TPosition::SetSideToMove(int side) {
    SideToMove = static_cast<std::uint8_t>(side);
    Opponent = quorvin::Opponent[side];
    Board[0] = side == White ? WhiteMan : BlackMan;
}

void TPosition::SetInitial() {
    SetSideToMove(FirstMover().Side);
    int w = MenPerSide();
    int b = MenPerSide();
    if (BoardFiles % 2 == 1 && BoardRows % 4 == 0) {
        if (BoardColoringFlag == 1)
            ++w;
        else
            ++b;
    }
    for (int s = 1; s <= SquareCount; ++s)
        Board[s] = s <= w ? WhiteMan : (s > SquareCount - b ? BlackMan : EmptySquare);
    for (int s = SquareCount + 1; s <= MaxSquares; ++s) Board[s] = EmptySquare;
    Moves.Reset(0, true);
    Evaluate();
}

void TPosition::Evaluate() {
    Evaluation = 0.0;
    Counts = {};
    for (int s = 1; s <= SquareCount; ++s) {
        const TSquare q = Board[s];
        if (q.Empty) continue;
        ++Counts[q.Side][q.Kind];
        if (q.Side == SideToMove)
            Evaluation += ValueTable[s][SideToMove][q.Kind];
        else
            Evaluation -= ValueTable[s][Opponent][q.Kind];
    }
}

bool TPosition::Consistent(double tolerance) const {
    std::array<std::array<std::uint8_t, 2>, 2> counts{};
    double eval = 0.0;
    for (int s = 1; s <= SquareCount; ++s) {
        const TSquare q = Board[s];
        if (q.Empty) continue;
        ++counts[q.Side][q.Kind];
        eval += (q.Side == SideToMove ? 1 : -1) * ValueTable[s][q.Side][q.Kind];
    }
    return counts == Counts && std::abs(eval - Evaluation) <= tolerance &&
           Board[0].Side == SideToMove && !Board[0].Empty && Opponent == 1 - SideToMove;
}

void TPosition::BuildValueTable(bool positional) {
    const double king = KingValue();
    for (int s = 1; s <= SquareCount; ++s)
        for (int side = 0; side < 2; ++side) {
            ValueTable[s][side][Man] = positional ? 1.0 + ManBonus(s, side) : 1.0;
            ValueTable[s][side][King] = positional ? king + KingBonus(s, side) : king;
        }
}

void TPosition::MarkAllPieces() {
    for (int s = 1; s <= SquareCount; ++s) Board[s].Mark = !Board[s].Empty;
    Moves.Count = 0;
}

void TPosition::PlayMove(const TPosition& parent, int index) {
    // Only the cells in use are copied, sixteen at a time.
    switch (SquareCount / 16) {
    case 0:
        std::memcpy(Board.data(), parent.Board.data(), 16 * sizeof(TSquare));
        break;
    case 1:
        std::memcpy(Board.data(), parent.Board.data(), 32 * sizeof(TSquare));
        break;
    case 2:
        std::memcpy(Board.data(), parent.Board.data(), 48 * sizeof(TSquare));
        break;
    case 3:
        std::memcpy(Board.data(), parent.Board.data(), 64 * sizeof(TSquare));
        break;
    default:
        Board = parent.Board;
        break;
    }
    Counts = parent.Counts;
    Evaluation = -parent.Evaluation;
    Opponent = parent.SideToMove;
    SideToMove = parent.Opponent;
    Board[0].Side = SideToMove;

    const TMoveList& list = parent.Moves;
    const int mover = Opponent;
    const int from = list.FromOf(index), to = list.ToOf(index);
    const int captures = list.CaptureCountOf(index);
    QuietKingMove = captures == 0 && Board[from].Kind == King;
    Evaluation += ValueTable[from][mover][Board[from].Kind];
    if (to != from) {
        Board[to] = Board[from];
        Board[from] = EmptySquare;
    }
    if (PromotionRow[to][mover] && Board[to].Kind != King) {
        QuietKingMove = false;
        Crown(to);
    }
    Evaluation -= ValueTable[to][mover][Board[to].Kind];
    for (int k = 1; k <= captures; ++k) RemovePiece(list.CapturedOf(index, k));
    MarkVacated(from);
    MarkArrived(to);
#ifdef QUORVIN_CHECKS
    if (!Consistent(1e-6)) throw std::logic_error("PlayMove broke the position's invariants");
#endif
}

int TPosition::ClassifyNode(bool horizon) {
    if (Moves.Count > 0) return NodeHasMoves;
    if (GenerateCaptures()) return NodeHasMoves;
    if (!horizon && GenerateMoves(false)) return NodeHasMoves;
    if (horizon && GenerateMoves(true)) return NodeQuiet;
    return NodeLost;
}

bool TPosition::SameAs(const TPosition& other) const {
    for (int s = 1; s <= SquareCount; ++s) {
        const TSquare a = Board[s], b = other.Board[s];
        if (a.Empty != b.Empty) return false;
        if (!a.Empty && (a.Side != b.Side || a.Kind != b.Kind)) return false;
    }
    return true;
}

} // namespace quorvin
