// The move generators as templates over the word a board's square sets fit in, so that the
// search can inline the classification of a node. Shared by every rule family: the simple
// moves, and the captures found by one walker whose few differences between the families are
// the switches of TRuleSwitches.
//
// Lists come out in a fixed order that the search and the tests rely on: pieces by ascending
// square; a man's forward-left step before its forward-right one; a king's lines in direction
// order, each from the nearest square out. Captures are listed as the walker finishes them,
// trying the alternatives of every step from the last direction back to the first and, along
// one line, from the farthest landing square back to the nearest.
#pragma once

#include "position.h"

#include <type_traits>

namespace quorvin::generation {

// The squares whose neighbour in direction D belongs to `to`: `to` stepped back once. The
// forward directions lead to higher bits, so a step back is a shift down; the direction is
// a constant, so that no shift has to test its sign.
template <int D, class S> S FromWhichStep(S to) {
    // A step is shorter than 64 bits; saying so spares a 128-bit shift its test for longer ones.
    if constexpr (D < 2)
        return S(to.Bits >> (StepBits[D] & 63));
    else
        return S(to.Bits << (-StepBits[D] & 63));
}

// The squares from which a jump in direction D is open: an enemy piece next in D with a
// free square behind it.
template <int D, class S> S JumpSources(S enemy, S free) {
    return FromWhichStep<D>(enemy & FromWhichStep<D>(free));
}

// Per direction, the squares from which a jump is open.
template <class S> using TJumpSets = std::array<S, 4>;

template <class S> TJumpSets<S> JumpSets(S enemy, S free) {
    return {JumpSources<0>(enemy, free), JumpSources<1>(enemy, free), JumpSources<2>(enemy, free),
            JumpSources<3>(enemy, free)};
}

// One search for the capture sequences of the side to move. Taken pieces stay on the board
// until the sequence ends: they leave the enemy set that the walk passes down, so they can
// be neither taken again nor passed or landed on.
//
// Which rules a walker is compiled with. Classic: the first families'. Ranked: also the
// rules of TRuleSwitches::SpecialCaptures that choose pieces, targets and sequences (kings
// first, men sparing kings, the order of captures, flying kings under free choice); its men
// jump as the classic walker's do. CrowningOnTheWay: also a man crowned during a capture,
// which makes a man's jump able to turn into a king's, so the men's walk is less inlined.
enum class TWalk { Classic, Ranked, CrowningOnTheWay };

template <class S, TWalk Walk> class TCaptureWalker {
    static constexpr bool Special = Walk != TWalk::Classic;
    static constexpr bool Crowns = Walk == TWalk::CrowningOnTheWay;

  public:
    // jumps: the jumps open from every square before any piece has moved. enemyKings: the
    // enemy's kings, read only by the special rules.
    TCaptureWalker(TMoveList& moves, const TRuleSwitches& rules, int side, S enemy, S empty,
                   S occupied, S enemyKings, const TJumpSets<S>& jumps)
        : Moves(moves), MaxRule(rules.MaxCapture), Enemy(enemy), Empty(empty), Occupied(occupied),
          Jumps(jumps) {
        if constexpr (Special) {
            Extra.Precedence = rules.CapturePrecedence;
            Extra.FreeChoice = !rules.MaxCapture && !rules.CapturePrecedence;
            Extra.CrownMidCapture = rules.CrownMidCapture && rules.Kings == TKingMoves::Flying;
            Extra.Kings = enemyKings;
            Extra.CrowningRow = S(PromotionBits[side]);
        }
    }

    // directions: the jumps a man or a one-square king may make, as bits 0..3. targets: the
    // enemy pieces this piece may take.
    [[gnu::always_inline]] void Start(int bit, bool king, bool flyingKing, unsigned directions,
                                      S targets) {
        StartSquare = SquareOfBit[bit];
        StartBit = bit;
        bool crownsOnTheWay = false;
        if constexpr (Special) {
            Extra.KingMoving = king;
            if constexpr (Crowns) crownsOnTheWay = Extra.CrownMidCapture;
        }
        if (flyingKing || crownsOnTheWay) {
            // The start square is free once the piece has left it.
            const S start = S::Single(bit);
            Free = Empty | start;
            Blockers = Occupied & ~start;
            if (flyingKing) {
                Flying(bit, 0, targets);
                return;
            }
        }
        Directions = directions;
        // Every square this piece could jump on from, in the directions it may take.
        AnyJump = S{};
        for (int d = 0; d < 4; ++d) AnyJump |= S::Choose((directions >> d) & 1u, Jumps[d], S{});
        // The first jump needs no more than the jump sets: nothing is taken yet, though some
        // pieces may be out of this piece's reach.
        unsigned open = 0;
        for (int d = 0; d < 4; ++d) open |= static_cast<unsigned>(Jumps[d].Has(bit)) << d;
        if constexpr (Special)
            if (targets != Enemy)
                for (int d = 0; d < 4; ++d)
                    if (!targets.Has(NextBit[bit][d])) open &= ~(1u << d);
        Jump<Walk == TWalk::Ranked>(bit, 0, targets, open & directions);
    }

    // Whether any piece's walk has listed a capture yet.
    bool Found() const { return Moves.Count > 0; }

  private:
    TMoveList& Moves;
    const bool MaxRule;
    const S Enemy; // the enemy pieces before the walk
    const S Empty;
    const S Occupied;
    const TJumpSets<S>& Jumps;
    // The special rules' state.
    struct TSpecialState {
        bool Precedence = false;
        bool FreeChoice = false;      // any capture may be chosen, so a flying king must go on
        bool CrownMidCapture = false; // a man on the crowning row goes on as a flying king
        bool KingMoving = false;
        S Kings;       // the enemy's kings
        S CrowningRow; // the walking side's
        int BestKey = 0;
    };
    struct TNoState {};
    [[no_unique_address]] std::conditional_t<Special, TSpecialState, TNoState> Extra;
    unsigned Directions = 15; // the directions the piece walking now may jump in
    S AnyJump;                // the squares it could jump on from before it moved
    S Free;                   // squares a flying king may pass and land on
    S Blockers;               // squares that end a king's line: every piece but the mover
    int StartBit = 0;
    std::uint8_t StartSquare = 0;
    int BestLength = 1;
    // Landing[k] and Taken[k]: the square after the k-th jump and the piece it took.
    // Entries 1..k are written before a move of k jumps is listed.
    std::array<std::uint8_t, MaxCaptureLength + 1> Landing;
    std::array<std::uint8_t, MaxCaptureLength + 1> Taken;

    // Jumps over a neighbour: men, and kings that move one square. `enemy` holds the enemy
    // pieces not taken yet. The open directions are read from the jump sets without
    // branches, as which of them hold a capture is hard to predict; a jump over a piece
    // taken earlier in the sequence is then passed over.
    void Steps(int bit, int taken, S enemy) { StepsInline(bit, taken, enemy); }

    [[gnu::always_inline]] void StepsInline(int bit, int taken, S enemy) {
        // Most sequences end after a jump or two: a square from which no jump was open before
        // the piece moved has none now, unless the piece could come back to its start square.
        if (taken < 3 && !AnyJump.Has(bit)) {
            Finish(taken);
            return;
        }
        unsigned open = 0;
        for (int d = 0; d < 4; ++d)
            open |= static_cast<unsigned>(Jumps[d].Has(bit) & enemy.Has(NextBit[bit][d])) << d;
        // The start square is free once the piece has left it, but the jump sets were made
        // while it stood there. A piece comes back to it after four jumps at the soonest.
        if (taken >= 3) [[unlikely]]
            for (int d = 0; d < 4; ++d) {
                const int over = NextBit[bit][d];
                open |= static_cast<unsigned>(enemy.Has(over) & (NextBit[over][d] == StartBit))
                        << d;
            }
        Jump(bit, taken, enemy, open & (taken < MaxCaptureLength ? Directions : 0u));
    }

    // Makes each of the open jumps from `bit`, or ends the sequence when there is none.
    // First: the first jump of a walk. The ranked walker keeps the step after it inline, as
    // the compiler leaves it out of line there on its own.
    template <bool First = false>
    [[gnu::always_inline]] void Jump(int bit, int taken, S enemy, unsigned open) {
        if (open == 0) {
            Finish(taken);
            return;
        }
        do {
            const int d = LastDirection(open);
            open &= ~(1u << d);
            const int over = NextBit[bit][d];
            const int landing = NextBit[over][d];
            Landing[taken + 1] = SquareOfBit[landing];
            Taken[taken + 1] = SquareOfBit[over];
            S rest = enemy;
            rest.Remove(over);
            if constexpr (Crowns)
                if (Extra.CrownMidCapture && Extra.CrowningRow.Has(landing)) [[unlikely]] {
                    Flying(landing, taken + 1, rest);
                    continue;
                }
            if constexpr (First)
                StepsInline(landing, taken + 1, rest);
            else
                Steps(landing, taken + 1, rest);
        } while (open != 0);
    }

    // The highest direction of a non-empty set of directions: the last direction is tried
    // first.
    static int LastDirection(unsigned open) { return 31 - __builtin_clz(open); }

    // A flying king takes the first piece along a line when it is an enemy with a free
    // square behind, and may land on any free square behind it up to the next piece. Which
    // of the four lines hold a capture is found first, without branches.
    void Flying(int bit, int taken, S enemy) {
        std::array<int, 4> overs;
        unsigned open = 0;
        for (int d = 0; d < 4; ++d) {
            const S line = S(LineBits[bit][d]) & Blockers;
            // Forward lines run to higher bits, so their nearest piece is the lowest. An empty
            // line gives bit 0, which is no square.
            const int over = d < 2 ? line.Lowest() & (8 * sizeof(line.Bits) - 1)
                                   : (line | S::Single(0)).Highest();
            overs[d] = over;
            open |= static_cast<unsigned>(enemy.Has(over) & Free.Has(NextBit[over][d])) << d;
        }
        if (taken >= MaxCaptureLength) open = 0;
        if (open == 0) {
            Finish(taken);
            return;
        }
        do {
            const int d = LastDirection(open);
            open &= ~(1u << d);
            const int over = overs[d];
            std::array<std::uint8_t, MaxSide> landings;
            int count = 0;
            for (int t = NextBit[over][d]; Free.Has(t); t = NextBit[t][d])
                landings[count++] = static_cast<std::uint8_t>(t);
            S rest = enemy;
            rest.Remove(over);
            Taken[taken + 1] = SquareOfBit[over];
            // Where any capture may be chosen, a king that can go on from some landing
            // square must land on such a square; the rule of the greatest number sees to
            // that by itself.
            unsigned goesOn = ~0u;
            bool freeChoice = false;
            if constexpr (Special) freeChoice = Extra.FreeChoice;
            if (freeChoice && taken + 1 < MaxCaptureLength) {
                goesOn = 0;
                for (int i = 0; i < count; ++i)
                    goesOn |= static_cast<unsigned>(CanFly(landings[i], rest)) << i;
                if (goesOn == 0) goesOn = ~0u;
            }
            for (int i = count - 1; i >= 0; --i) {
                if (!((goesOn >> i) & 1u)) continue;
                Landing[taken + 1] = SquareOfBit[landings[i]];
                Flying(landings[i], taken + 1, rest);
            }
        } while (open != 0);
    }

    // Whether a flying king on `bit` has a capture open among `enemy`.
    bool CanFly(int bit, S enemy) const {
        for (int d = 0; d < 4; ++d) {
            const S line = S(LineBits[bit][d]) & Blockers;
            const int over = d < 2 ? line.Lowest() & (8 * sizeof(line.Bits) - 1)
                                   : (line | S::Single(0)).Highest();
            if (enemy.Has(over) && Free.Has(NextBit[over][d])) return true;
        }
        return false;
    }

    // A sequence that cannot go on is a move, when it took anything and the rules let it.
    [[gnu::always_inline]] void Finish(int taken) {
        if (taken == 0) return;
        if constexpr (Special)
            if (Extra.Precedence) {
                FinishByPrecedence(taken);
                return;
            }
        if (MaxRule && taken < BestLength) return;
        if (taken > BestLength) {
            BestLength = taken;
            Moves.Reset(BestLength, MaxRule);
        }
        Moves.AddCapture(StartSquare, taken, Landing, Taken);
    }

    // Keeps the sequences that rank first: by the pieces taken, then by a king taking, then
    // by the kings taken, then by how soon the first king is met. Each step outweighs all
    // the later ones in the key.
    void FinishByPrecedence(int taken) {
        int key = (taken * 2 + static_cast<int>(Extra.KingMoving)) * 64 * 64;
        // Kings taken, and how soon the first falls, matter only where the enemy has kings.
        if (Extra.Kings.Any()) [[unlikely]] {
            int kingsTaken = 0, firstKing = 0;
            for (int k = taken; k >= 1; --k)
                if (Extra.Kings.Has(BitOfSquare[Taken[k]])) {
                    ++kingsTaken;
                    firstKing = k;
                }
            key += kingsTaken * 64 + (firstKing == 0 ? 0 : MaxCaptureLength + 1 - firstKing);
        }
        if (key < Extra.BestKey) return;
        if (key > Extra.BestKey) {
            Extra.BestKey = key;
            BestLength = taken;
            Moves.Reset(taken, true);
        }
        Moves.AddCapture(StartSquare, taken, Landing, Taken);
    }
};

// The squares from which a forward-left and a forward-right step is free. White's forward
// steps lead to higher bits, Black's to lower ones, by the same distances: each side shifts
// one way by the distance and the other way by nothing, so that the side, which changes
// every ply, needs no branch.
template <class S> std::array<S, 2> ForwardFree(int side, S empty) {
    const int white = side == White;
    const int upFirst = StepBits[0] * white, downFirst = StepBits[0] - upFirst;
    const int upLast = StepBits[1] * white, downLast = StepBits[1] - upLast;
    return {S((empty.Bits >> (upFirst & 63)) << (downFirst & 63)),
            S((empty.Bits >> (upLast & 63)) << (downLast & 63))};
}

// Whether the side to move has a simple move, without listing any: at the horizon that is
// all the search asks.
template <class S>
bool HasSimpleMove(const TRuleSwitches& rules, int side, S own, S empty, S allKings) {
    // Men and kings alike step forwards; kings may step backwards too.
    const auto [firstFree, lastFree] = ForwardFree(side, empty);
    if ((own & (firstFree | lastFree)).Any()) return true;
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & allKings;
    return (kings & (FromWhichStep<0>(empty) | FromWhichStep<1>(empty) | FromWhichStep<2>(empty) |
                     FromWhichStep<3>(empty)))
        .Any();
}

template <class S>
bool SimpleMoves(TMoveList& moves, const TRuleSwitches& rules, int side, S own, S empty, S allKings,
                 bool onlyTest) {
    if (onlyTest) return HasSimpleMove(rules, side, own, empty, allKings);
    const int first = ForwardFirst[side], last = ForwardLast[side];
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & allKings;
    const S men = own & ~kings;
    const auto [firstFree, lastFree] = ForwardFree(side, empty);
    const S movingMen = men & (firstFree | lastFree);

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

// Walks the captures of every starter; kept out of line, as most nodes have no capture.
template <class S, TWalk Walk>
[[gnu::noinline]] bool WalkCaptures(TMoveList& moves, const TRuleSwitches& rules, int side, S own,
                                    S enemy, S empty, S kings, S enemyKings, S starters,
                                    const TJumpSets<S>& jumps) {
    const unsigned forwardDirections = 3u << (2 * side); // 0 and 1 for White, 2 and 3 for Black
    const unsigned manDirections = rules.MenCaptureBackwards ? 15u : forwardDirections;
    const bool flying = rules.Kings == TKingMoves::Flying;
    constexpr bool Special = Walk != TWalk::Classic;
    TCaptureWalker<S, Walk> walker(moves, rules, side, enemy, empty, own | enemy, enemyKings,
                                   jumps);
    S manTargets = enemy;
    if constexpr (Special) {
        if (!rules.MenTakeKings) manTargets = enemy & ~enemyKings;
        if (rules.KingsCaptureFirst) {
            for (const int bit : starters& kings) walker.Start(bit, true, flying, 15u, enemy);
            if (walker.Found()) return true;
            starters &= ~kings;
        }
    }
    for (const int bit : starters) {
        const bool king = kings.Has(bit);
        walker.Start(bit, king, king && flying, king ? 15u : manDirections,
                     Special && !king ? manTargets : enemy);
    }
    return moves.Count > 0;
}

// The pieces of the side to move that can jump an enemy piece next to them: every capture
// but a flying king's from afar begins so.
template <class S>
S NeighbourJumpers(const TRuleSwitches& rules, int side, S men, S kings,
                   const TJumpSets<S>& jumps) {
    const S forwards = S::Choose(side == White, jumps[0] | jumps[1], jumps[2] | jumps[3]);
    const S allWays = jumps[0] | jumps[1] | jumps[2] | jumps[3];
    return (men & (rules.MenCaptureBackwards ? allWays : forwards)) | (kings & allWays);
}

template <class S>
bool Captures(TMoveList& moves, const TRuleSwitches& rules, int side, S own, S enemy, S empty,
              S allKings) {
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & allKings;
    const S men = own & ~kings;
    const TJumpSets<S> jumps = JumpSets(enemy, empty);

    // Only pieces that can make a first jump start a walk; a flying king's first jump may be
    // from afar, so every such king is tried.
    S starters = NeighbourJumpers(rules, side, men, kings, jumps);
    if (rules.Kings == TKingMoves::Flying) starters |= kings;
    if (starters.None()) return false;
    if (rules.Special) [[unlikely]] {
        if (rules.CrownMidCapture)
            return WalkCaptures<S, TWalk::CrowningOnTheWay>(
                moves, rules, side, own, enemy, empty, kings, enemy & allKings, starters, jumps);
        return WalkCaptures<S, TWalk::Ranked>(moves, rules, side, own, enemy, empty, kings,
                                              enemy & allKings, starters, jumps);
    }
    return WalkCaptures<S, TWalk::Classic>(moves, rules, side, own, enemy, empty, kings, S{},
                                           starters, jumps);
}

// The number of simple moves, counted without listing them: the men's steps by whole sets,
// the kings' one by one.
template <class S>
int CountSimpleMoves(const TRuleSwitches& rules, int side, S own, S empty, S allKings) {
    const S kings = rules.Kings == TKingMoves::AsMen ? S{} : own & allKings;
    const S men = own & ~kings;
    const auto [firstFree, lastFree] = ForwardFree(side, empty);
    int count = (men & firstFree).Count() + (men & lastFree).Count();
    const bool shortKings = rules.Kings == TKingMoves::Short;
    for (const int bit : kings)
        for (int d = 0; d < 4; ++d)
            for (int t = NextBit[bit][d]; empty.Has(t); t = NextBit[t][d]) {
                ++count;
                if (shortKings) break;
            }
    return count;
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
    if (horizon) return HasSimpleMove(rules, side, own, empty, kings) ? NodeQuiet : NodeLost;
    return SimpleMoves(moves, rules, side, own, empty, kings, false) ? NodeHasMoves : NodeLost;
}

} // namespace quorvin::generation

namespace quorvin {

template <class W> int TPosition::ClassifyFresh(bool horizon) {
    using S = TSquareSetOf<W>;
    return generation::Classify(Moves, Rules, SideToMove, S(Own), S(Enemy), S(Kings), horizon);
}

template <class W> int TPosition::ClassifyIn(bool horizon) {
    return Moves.Count > 0 ? NodeHasMoves : ClassifyFresh<W>(horizon);
}

template <class W> int TPosition::CountMovesIn() {
    using S = TSquareSetOf<W>;
    const S own(Own), enemy(Enemy), kings(Kings);
    const S empty = S(PlayableBits) & ~(own | enemy);
    Moves.Reset(1, true);
    if (generation::Captures(Moves, Rules, SideToMove, own, enemy, empty, kings))
        return Moves.Count;
    Moves.Reset(0, true);
    return generation::CountSimpleMoves(Rules, SideToMove, own, empty, kings);
}

} // namespace quorvin
