// Move generation shared by every rule family: the simple moves, and the captures found by one
// walker whose few differences between the families are the switches of TRuleSwitches.
//
// Lists come out in a fixed order that the search and the tests rely on: pieces by ascending
// square; a man's forward-left step before its forward-right one; a king's lines in direction
// order, each from the nearest square out. Captures are listed as the walker finishes them,
// trying the alternatives of every step from the last direction back to the first and, along
// one line, from the farthest landing square back to the nearest.
#include "position.h"

namespace quorvin {

namespace {

// The squares whose neighbour in direction D belongs to `to`: `to` stepped back once. The
// forward directions lead to higher bits, so a step back is a shift down; the direction is
// a constant, so that no shift has to test its sign.
template <int D, class S> S FromWhichStep(S to) {
    if constexpr (D < 2)
        return S(to.Bits >> StepBits[D]);
    else
        return S(to.Bits << -StepBits[D]);
}

// The members of `pieces` that can step (or jump) in direction D, and in either of the
// directions of a pair, or of all four.
template <int D, class S> S Steppers(S pieces, S empty) {
    return pieces & FromWhichStep<D>(empty);
}
template <int D, class S> S Jumpers(S pieces, S enemy, S empty) {
    return pieces & FromWhichStep<D>(enemy & FromWhichStep<D>(empty));
}
template <class S> S JumpersForwards(int side, S pieces, S enemy, S empty) {
    return side == White ? Jumpers<0>(pieces, enemy, empty) | Jumpers<1>(pieces, enemy, empty)
                         : Jumpers<2>(pieces, enemy, empty) | Jumpers<3>(pieces, enemy, empty);
}
template <class S> S JumpersAllWays(S pieces, S enemy, S empty) {
    return Jumpers<0>(pieces, enemy, empty) | Jumpers<1>(pieces, enemy, empty) |
           Jumpers<2>(pieces, enemy, empty) | Jumpers<3>(pieces, enemy, empty);
}

// One search for the capture sequences of the side to move. Taken pieces stay on the board
// until the sequence ends: they leave the enemy set, so they can be neither taken again nor
// passed or landed on.
template <class S> class TCaptureWalker {
  public:
    TCaptureWalker(TMoveList& moves, bool maxRule, S enemy, S empty, S occupied)
        : Moves(moves), MaxRule(maxRule), Enemy(enemy), Empty(empty), Occupied(occupied) {}

    // directions: the jumps a man or a one-square king may make, as bits 0..3.
    void Start(int bit, bool flyingKing, unsigned directions) {
        StartSquare = SquareOfBit[bit];
        // The start square is free once the piece has left it.
        Free = Empty;
        Free.Add(bit);
        Blockers = Occupied;
        Blockers.Remove(bit);
        if (flyingKing)
            Flying(bit, 0);
        else
            Steps(bit, 0, directions);
    }

  private:
    TMoveList& Moves;
    const bool MaxRule;
    S Enemy; // enemy pieces not taken yet
    const S Empty;
    const S Occupied;
    S Free;     // squares the moving piece may pass and land on
    S Blockers; // squares that end a king's line: every piece but the mover
    std::uint8_t StartSquare = 0;
    int BestLength = 1;
    // Landing[k] and Taken[k]: the square after the k-th jump and the piece it took.
    // Entries 1..k are written before a move of k jumps is listed.
    std::array<std::uint8_t, MaxCaptureLength + 1> Landing;
    std::array<std::uint8_t, MaxCaptureLength + 1> Taken;

    // Jumps over a neighbour in directions first..last: men, and kings that move one square.
    // The directions that can be taken are found first, without branches: which of them
    // hold a capture is hard to predict. Off the board NextBit is 0, a bit no set holds.
    void Steps(int bit, int taken, unsigned directions) {
        unsigned open = 0;
        for (int d = 0; d < 4; ++d) {
            const int over = NextBit[bit][d];
            open |= static_cast<unsigned>(Enemy.Has(over) & Free.Has(NextBit[over][d])) << d;
        }
        open &= taken < MaxCaptureLength ? directions : 0u;
        if (open == 0) {
            Finish(taken);
            return;
        }
        do {
            const int d = std::bit_width(open) - 1; // the last direction first
            open &= ~(1u << d);
            const int over = NextBit[bit][d];
            const int landing = NextBit[over][d];
            Enemy.Remove(over);
            Landing[taken + 1] = SquareOfBit[landing];
            Taken[taken + 1] = SquareOfBit[over];
            Steps(landing, taken + 1, directions);
            Enemy.Add(over);
        } while (open != 0);
    }

    // A flying king takes the first piece along a line when it is an enemy with a free
    // square behind, and may land on any free square behind it up to the next piece.
    void Flying(int bit, int taken) {
        bool extended = false;
        if (taken < MaxCaptureLength)
            for (int d = 3; d >= 0; --d) {
                const S line = S(LineBits[bit][d]) & Blockers;
                if (line.None()) continue;
                // Forward lines run to higher bits, so their nearest piece is the lowest.
                const int over = StepBits[d] > 0 ? line.Lowest() : line.Highest();
                if (!Enemy.Has(over)) continue;
                std::array<std::uint8_t, MaxSide> landings;
                int count = 0;
                for (int t = NextBit[over][d]; Free.Has(t); t = NextBit[t][d])
                    landings[count++] = static_cast<std::uint8_t>(t);
                if (count == 0) continue;
                extended = true;
                Enemy.Remove(over);
                Taken[taken + 1] = SquareOfBit[over];
                for (int i = count - 1; i >= 0; --i) {
                    Landing[taken + 1] = SquareOfBit[landings[i]];
                    Flying(landings[i], taken + 1);
                }
                Enemy.Add(over);
            }
        if (!extended) Finish(taken);
    }

    // A sequence that cannot go on is a move, when it took anything and the rules let it.
    void Finish(int taken) {
        if (taken == 0 || (MaxRule && taken < BestLength)) return;
        if (taken > BestLength) {
            BestLength = taken;
            Moves.Reset(BestLength, MaxRule);
        }
        Moves.AddCapture(StartSquare, taken, Landing, Taken);
    }
};

template <class S>
bool SimpleMoves(TMoveList& moves, const TRuleSwitches& rules, int side, S own, S empty, S allKings,
                 bool onlyTest) {
    const int first = ForwardFirst[side], last = ForwardLast[side];
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & allKings;
    const S men = own & ~kings;
    // The squares from which a forward-left and a forward-right step is free.
    const S firstFree = side == White ? FromWhichStep<0>(empty) : FromWhichStep<2>(empty);
    const S lastFree = side == White ? FromWhichStep<1>(empty) : FromWhichStep<3>(empty);
    const S movingMen = men & (firstFree | lastFree);
    if (onlyTest)
        return movingMen.Any() || Steppers<0>(kings, empty).Any() ||
               Steppers<1>(kings, empty).Any() || Steppers<2>(kings, empty).Any() ||
               Steppers<3>(kings, empty).Any();

    const bool shortKings = rules.Kings == TKingMoves::Short;
    // One slot more than the most moves: a man's step that is not free is written and then
    // written over.
    std::uint8_t* out = moves.BeginSimple(MaxSimpleMoves + 1);
    for (const int bit : movingMen | kings) {
        const std::uint8_t from = SquareOfBit[bit];
        if (kings.Has(bit)) {
            for (int d = 0; d < 4; ++d)
                for (int t = NextBit[bit][d]; empty.Has(t); t = NextBit[t][d]) {
                    out[0] = from;
                    out[1] = SquareOfBit[t];
                    out += 2;
                    if (shortKings) break;
                }
        } else {
            // Both steps are written; only the free ones are kept.
            out[0] = from;
            out[1] = SquareOfBit[NextBit[bit][first]];
            out += 2 * static_cast<int>(firstFree.Has(bit));
            out[0] = from;
            out[1] = SquareOfBit[NextBit[bit][last]];
            out += 2 * static_cast<int>(lastFree.Has(bit));
        }
    }
    moves.EndSimple(out);
    return moves.Count > 0;
}

template <class S>
bool Captures(TMoveList& moves, const TRuleSwitches& rules, int side, S own, S enemy, S empty,
              S allKings) {
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & allKings;
    const S men = own & ~kings;
    const unsigned manDirections = rules.MenCaptureBackwards ? 15u : (side == White ? 3u : 12u);
    const bool flying = rules.Kings == TKingMoves::Flying;

    // Only pieces that can make a first jump start a walk; a flying king's first jump may be
    // from afar, so every such king is tried.
    S starters = rules.MenCaptureBackwards ? JumpersAllWays(men, enemy, empty)
                                           : JumpersForwards(side, men, enemy, empty);
    starters |= flying ? kings : JumpersAllWays(kings, enemy, empty);
    if (starters.None()) return false;

    TCaptureWalker<S> walker(moves, rules.MaxCapture, enemy, empty, own | enemy);
    for (const int bit : starters) {
        const bool king = kings.Has(bit);
        walker.Start(bit, king && flying, king ? 15u : manDirections);
    }
    return moves.Count > 0;
}

// Captures first, as they are compulsory; then the simple moves, or at the horizon only
// whether there is one.
template <class S>
int Classify(TMoveList& moves, const TRuleSwitches& rules, int side, S own, S enemy, S kings,
             bool horizon) {
    const S empty = S(PlayableBits) & ~(own | enemy);
    moves.Reset(1, true);
    if (Captures(moves, rules, side, own, enemy, empty, kings)) return NodeHasMoves;
    moves.Reset(0, true);
    if (horizon)
        return SimpleMoves(moves, rules, side, own, empty, kings, true) ? NodeQuiet : NodeLost;
    return SimpleMoves(moves, rules, side, own, empty, kings, false) ? NodeHasMoves : NodeLost;
}

} // namespace

int TPosition::ClassifyNode(bool horizon) {
    if (Moves.Count > 0) return NodeHasMoves;
    if (NarrowLayout)
        return Classify(Moves, Rules, SideToMove, TNarrowSquareSet(Own), TNarrowSquareSet(Enemy),
                        TNarrowSquareSet(Kings), horizon);
    return Classify(Moves, Rules, SideToMove, Own, Enemy, Kings, horizon);
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
