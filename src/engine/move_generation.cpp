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

// The squares whose neighbour in direction d belongs to `to`: `to` stepped back once.
template <class S> S FromWhichStep(S to, int d) {
    return to.Shifted(-StepBits[d]);
}

template <class S> bool CanStep(S pieces, S empty, int first, int last) {
    for (int d = first; d <= last; ++d)
        if ((pieces & FromWhichStep(empty, d)).Any()) return true;
    return false;
}

// Pieces among `pieces` with an enemy next door in one of directions first..last and an
// empty square beyond it.
template <class S> S CanJump(S pieces, S enemy, S empty, int first, int last) {
    S found;
    for (int d = first; d <= last; ++d)
        found |= pieces & FromWhichStep(enemy & FromWhichStep(empty, d), d);
    return found;
}

// One search for the capture sequences of the side to move. Taken pieces stay on the board
// until the sequence ends: they leave the enemy set, so they can be neither taken again nor
// passed or landed on.
template <class S> class TCaptureWalker {
  public:
    TCaptureWalker(TMoveList& moves, bool maxRule, S enemy, S empty, S occupied)
        : Moves(moves), MaxRule(maxRule), Enemy(enemy), Empty(empty), Occupied(occupied) {}

    void Start(int bit, bool flyingKing, int first, int last) {
        StartSquare = SquareOfBit[bit];
        // The start square is free once the piece has left it.
        Free = Empty;
        Free.Add(bit);
        Blockers = Occupied;
        Blockers.Remove(bit);
        if (flyingKing)
            Flying(bit, 0);
        else
            Steps(bit, 0, first, last);
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
    std::array<std::uint8_t, MaxCaptureLength + 1> Landing{};
    std::array<std::uint8_t, MaxCaptureLength + 1> Taken{};

    // Jumps over a neighbour in directions first..last: men, and kings that move one square.
    void Steps(int bit, int taken, int first, int last) {
        bool extended = false;
        if (taken < MaxCaptureLength)
            for (int d = last; d >= first; --d) {
                const int over = NextBit[bit][d];
                if (!Enemy.Has(over)) continue;
                const int landing = NextBit[over][d];
                if (!Free.Has(landing)) continue;
                extended = true;
                Enemy.Remove(over);
                Landing[taken + 1] = SquareOfBit[landing];
                Taken[taken + 1] = SquareOfBit[over];
                Steps(landing, taken + 1, first, last);
                Enemy.Add(over);
            }
        if (!extended) Finish(taken);
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
    const S firstFree = FromWhichStep(empty, first);
    const S lastFree = FromWhichStep(empty, last);
    const S movingMen = men & (firstFree | lastFree);
    if (onlyTest) return movingMen.Any() || CanStep(kings, empty, 0, 3);

    const bool shortKings = rules.Kings == TKingMoves::Short;
    for (const int bit : movingMen | kings) {
        const std::uint8_t from = SquareOfBit[bit];
        if (kings.Has(bit)) {
            for (int d = 0; d < 4; ++d)
                for (int t = NextBit[bit][d]; empty.Has(t); t = NextBit[t][d]) {
                    moves.AddSimple(from, SquareOfBit[t]);
                    if (shortKings) break;
                }
        } else {
            moves.AddSimpleIf(from, SquareOfBit[NextBit[bit][first]], firstFree.Has(bit));
            moves.AddSimpleIf(from, SquareOfBit[NextBit[bit][last]], lastFree.Has(bit));
        }
    }
    return moves.Count > 0;
}

template <class S>
bool Captures(TMoveList& moves, const TRuleSwitches& rules, int side, S own, S enemy, S empty,
              S allKings) {
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & allKings;
    const S men = own & ~kings;
    const int manFirst = rules.MenCaptureBackwards ? 0 : ForwardFirst[side];
    const int manLast = rules.MenCaptureBackwards ? 3 : ForwardLast[side];
    const bool flying = rules.Kings == TKingMoves::Flying;

    // Only pieces that can make a first jump start a walk; a flying king's first jump may be
    // from afar, so every such king is tried.
    S starters = CanJump(men, enemy, empty, manFirst, manLast);
    starters |= flying ? kings : CanJump(kings, enemy, empty, 0, 3);
    if (starters.None()) return false;

    TCaptureWalker<S> walker(moves, rules.MaxCapture, enemy, empty, own | enemy);
    for (const int bit : starters) {
        const bool king = kings.Has(bit);
        walker.Start(bit, king && flying, king ? 0 : manFirst, king ? 3 : manLast);
    }
    return moves.Count > 0;
}

} // namespace

bool TPosition::GenerateMoves(bool OnlyTest) {
    Moves.Reset(0, true);
    const TSquareSet own = Pieces[SideToMove], empty = EmptySquares();
    if (NarrowLayout)
        return SimpleMoves(Moves, Rules, SideToMove, TNarrowSquareSet(own), TNarrowSquareSet(empty),
                           TNarrowSquareSet(Kings), OnlyTest);
    return SimpleMoves(Moves, Rules, SideToMove, own, empty, Kings, OnlyTest);
}

bool TPosition::GenerateCaptures() {
    Moves.Reset(1, true);
    const TSquareSet own = Pieces[SideToMove], enemy = Pieces[Opponent], empty = EmptySquares();
    if (NarrowLayout)
        return Captures(Moves, Rules, SideToMove, TNarrowSquareSet(own), TNarrowSquareSet(enemy),
                        TNarrowSquareSet(empty), TNarrowSquareSet(Kings));
    return Captures(Moves, Rules, SideToMove, own, enemy, empty, Kings);
}

} // namespace quorvin
