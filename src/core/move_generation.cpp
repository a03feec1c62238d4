// The position's entry points to move generation; the generators are in move_generation.h.
#include "move_generation.h"

namespace quorvin {

using namespace generation;

int TPosition::ClassifyNode(bool horizon) {
    return NarrowLayout ? ClassifyIn<std::uint64_t>(horizon) : ClassifyIn<TBits>(horizon);
}

int TPosition::CountMoves() {
    return NarrowLayout ? CountMovesIn<std::uint64_t>() : CountMovesIn<TBits>();
}

bool TPosition::GenerateMoves(bool OnlyTest) {
    Moves.Reset(0, true);
    const TSquareSet own = Own, empty = EmptySquares();
    if (NarrowLayout)
        return SimpleMoves(Moves, Rules, SideToMove, TNarrowSquareSet(own), TNarrowSquareSet(empty),
                           TNarrowSquareSet(Kings), OnlyTest);
    return SimpleMoves(Moves, Rules, SideToMove, own, empty, Kings, OnlyTest);
}

bool TPosition::GenerateCaptures() {
    Moves.Reset(1, true);
    const TSquareSet own = Own, enemy = Enemy, empty = EmptySquares();
    if (NarrowLayout)
        return Captures(Moves, Rules, SideToMove, TNarrowSquareSet(own), TNarrowSquareSet(enemy),
                        TNarrowSquareSet(empty), TNarrowSquareSet(Kings));
    return Captures(Moves, Rules, SideToMove, own, enemy, empty, Kings);
}

} // namespace quorvin
