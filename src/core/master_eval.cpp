// The master evaluation; see master_eval.h.
#include "master_eval.h"

#include "czech_position.h"
#include "draughts_position.h"
#include "english_position.h"
#include "italian_position.h"
#include "move_generation.h"
#include "pool_position.h"
#include "russian_position.h"
#include "spanish_position.h"
#include "vorna_position.h"

#include <algorithm>
#include <cstdlib>

namespace quorvin {

TRules RulesOfPosition(const TPosition& p) {
    // The most derived classes first.
    if (dynamic_cast<const TItalianPosition*>(&p)) return TRules::Italian;
    if (dynamic_cast<const TEnglishPosition*>(&p)) return TRules::Straight;
    if (dynamic_cast<const TSpanishPosition*>(&p)) return TRules::Spanish;
    if (dynamic_cast<const TPoolPosition*>(&p)) return TRules::Pool;
    if (dynamic_cast<const TRussianPosition*>(&p)) return TRules::Russian;
    if (dynamic_cast<const TCzechPosition*>(&p)) return TRules::Czech;
    if (dynamic_cast<const TVornaPosition*>(&p)) return TRules::Vorna;
    return TRules::International;
}

bool TMasterBoard::Fits(TRules rules) const {
    return Weights && Rules == rules && Rows == BoardRows && Files == BoardFiles &&
           Coloring == BoardColoringFlag;
}

void BuildMasterBoard(TMasterBoard& board, const TPosition& p) {
    board = TMasterBoard{};
    board.Rules = RulesOfPosition(p);
    board.Rows = BoardRows;
    board.Files = BoardFiles;
    board.Coloring = BoardColoringFlag;
    const TRuleSwitches& rules = p.Switches();
    board.FlyingKings = rules.Kings == TKingMoves::Flying;
    board.HasKings = rules.Kings != TKingMoves::AsMen && rules.Crowning;
    board.InitialMen = std::max(1, 2 * p.MenPerSide());
    board.Weights = &MasterWeights[static_cast<std::size_t>(board.Rules)];
    board.Patterns = MasterPatternTableFor(board.Rules, board.Rows, board.Files, board.Coloring);
    if (board.Patterns) BuildPatternSlots(board.PatternSlots);
    if (board.PatternSlots.Windows == 0) board.Patterns = nullptr;
    for (int s = 1; s <= SquareCount; ++s) {
        const int bit = BitOfSquare[s];
        const auto [file, row] = SquareCell[s];
        for (int side = 0; side < 2; ++side) {
            const int advance = BoardRows - 1 - RowsAhead[s][side];
            board.Row[side][advance].Add(bit);
            for (int k = 0; k < 4; ++k)
                if ((advance >> k) & 1) board.AdvanceBits[side][k].Add(bit);
            if (2 * advance >= BoardRows) board.AdvancedHalf[side].Add(bit);
        }
        for (int d = 0; d < 4; ++d)
            if (Neighbour[s][d] == 0) board.NoNeighbour[d].Add(bit);
        if (EdgeDistance[s] >= 2) board.Centre.Add(bit);
        if (EdgeDistance[s] == 0) board.EdgeFiles.Add(bit);
        if (OnLongDiagonal[s]) board.LongDiagonal.Add(bit);
        if (2 * file <= BoardFiles) board.LeftHalf.Add(bit);
        if (2 * file > BoardFiles + 1) board.RightHalf.Add(bit);
        for (int t = 1; t <= SquareCount; ++t) {
            const auto [tFile, tRow] = SquareCell[t];
            const int reach = std::abs(tFile - file);
            if (tRow > row && reach <= tRow - row) board.Cone[White][bit].Add(BitOfSquare[t]);
            if (tRow < row && reach <= row - tRow) board.Cone[Black][bit].Add(BitOfSquare[t]);
        }
    }
}

namespace {

template <class S> int Count(S s) {
    return s.Count();
}

// The terms of one side, counted into `v` with the sign given.
template <class S, int C>
void SideTerms(const TMasterBoard& b, S own, S opp, S kings, S empty, int sign,
               std::array<int, MasterFeatureCount>& v) {
    using generation::FromWhichStep;
    constexpr int F0 = C == White ? 0 : 2, F1 = C == White ? 1 : 3;
    constexpr int B0 = C == White ? 2 : 0, B1 = C == White ? 3 : 1;
    const S men = own & ~kings;
    const S ownKings = own & kings;

    const S free0 = men & FromWhichStep<F0>(empty);
    const S free1 = men & FromWhichStep<F1>(empty);
    const S moving = free0 | free1;
    const S backed = (FromWhichStep<B0>(own) | S(b.NoNeighbour[B0])) &
                     (FromWhichStep<B1>(own) | S(b.NoNeighbour[B1]));
    const S anyOwn = FromWhichStep<0>(own) | FromWhichStep<1>(own) | FromWhichStep<2>(own) |
                     FromWhichStep<3>(own);
    const S enemyAhead = FromWhichStep<F0>(opp) | FromWhichStep<F1>(opp);
    const S home(b.Row[C][0]);

    int advance = 0;
    for (int k = 0; k < 4; ++k) advance += Count(men & S(b.AdvanceBits[C][k])) << k;

    int runaway = 0;
    if (b.HasKings)
        for (const int bit : men& S(b.AdvancedHalf[C]))
            if ((S(b.Cone[C][bit]) & opp).None()) ++runaway;

    int kingMobility = 0;
    if (ownKings.Any())
        for (const int bit : ownKings)
            for (int d = 0; d < 4; ++d)
                for (int t = NextBit[bit][d]; empty.Has(t); t = NextBit[t][d]) {
                    ++kingMobility;
                    if (!b.FlyingKings) break;
                }

    v[FeatMen] += sign * Count(men);
    v[FeatKings] += sign * Count(ownKings);
    v[FeatAdvance] += sign * advance;
    v[FeatCentre] += sign * Count(men & S(b.Centre));
    v[FeatEdge] += sign * Count(men & S(b.EdgeFiles));
    v[FeatHomeRow] += sign * Count(men & home);
    v[FeatMobility] += sign * (Count(free0) + Count(free1));
    v[FeatBlocked] += sign * Count(men & ~moving);
    v[FeatSupported] += sign * Count(men & backed & ~home);
    v[FeatLoose] += sign * Count(men & ~anyOwn);
    v[FeatLocked] += sign * Count(men & enemyAhead & ~moving);
    v[FeatOutpost] += sign * Count(men & backed & S(b.AdvancedHalf[C]));
    v[FeatRunaway] += sign * runaway;
    v[FeatNearCrown] += sign * (b.HasKings ? Count(moving & S(b.Row[C][b.Rows - 2])) : 0);
    v[FeatKingMobility] += sign * kingMobility;
    v[FeatKingDiagonal] += sign * Count(ownKings & S(b.LongDiagonal));
    v[FeatImbalance] += sign * std::abs(Count(men & S(b.LeftHalf)) - Count(men & S(b.RightHalf)));
}

// How far a known draw pulls the score towards 0, in sixteenths. `kings` holds the kings of
// both sides, `white` White's pieces.
template <class S>
int DrawScale(const TMasterBoard& b, const std::array<std::array<std::uint8_t, 2>, 2>& counts,
              S white, S kings) {
    if (!b.HasKings) return ScaleFull;
    const int wm = counts[White][Man], wk = counts[White][King];
    const int bm = counts[Black][Man], bk = counts[Black][King];
    // On equal material the side with fewer kings counts as the stronger, so that both
    // colours are judged alike: the known draws are of men or fewer kings against kings.
    const int whiteMaterial = wm + 3 * wk, blackMaterial = bm + 3 * bk;
    const bool whiteAhead =
        whiteMaterial != blackMaterial ? whiteMaterial > blackMaterial : wk <= bk;
    const int strongMen = whiteAhead ? wm : bm, strongKings = whiteAhead ? wk : bk;
    const int weakMen = whiteAhead ? bm : wm, weakKings = whiteAhead ? bk : wk;
    if (weakKings == 0) return ScaleFull;
    if (!b.FlyingKings) {
        // Single-square kings: one king holds one king, and nothing else is a known draw.
        return strongMen + weakMen == 0 && strongKings == 1 && weakKings == 1 ? 0 : ScaleFull;
    }
    if (strongMen + weakMen == 0) {
        // One flying king holds one, and one holds two; a king more than the other side's is
        // seldom enough, but each king still counts. Three kings catch a lone one that has
        // not got the long diagonal; from it, it holds them.
        if (strongKings <= 2 && weakKings == 1) return 0;
        if (strongKings <= weakKings + 1) return 4;
        if (strongKings == 3 && weakKings == 1) {
            const S weakKing = (whiteAhead ? ~white : white) & kings;
            return (weakKing & S(b.LongDiagonal)).Any() ? 1 : ScaleFull / 2;
        }
        return ScaleFull;
    }
    // Men without a king of their own are picked off by a flying king more often than they
    // crown.
    if (strongKings == 0) return ScaleFull * 3 / 4;
    // Once both sides have a king, a piece more is seldom enough while the board is thin: the
    // weaker king trades itself for the last men or holds the long diagonal. Two pieces more
    // win unless the stronger side has only three. (Measured on the results of self-play
    // games: the share of won games by the pieces each side has.)
    const int strongPieces = strongMen + strongKings;
    const int lead = strongPieces - weakMen - weakKings;
    if (lead <= 1) {
        if (strongPieces <= 2) return 0;
        if (strongPieces == 3) return ScaleFull / 4;
        if (strongPieces == 4) return ScaleFull * 3 / 4;
        return ScaleFull;
    }
    return lead == 2 && strongPieces <= 3 ? ScaleFull / 4 : ScaleFull;
}

// The number of every window in each side's frame: a man of the frame's side is digit 1 on its
// cell, one of the other side digit 2; kings and empty cells are 0.
template <class S>
void ReadPatterns(const TMasterBoard& b, S whiteMen, S blackMen, TMasterFeatures& out) {
    TPatternNumbers numbers{};
    auto add = [&](int side, int bit) {
        const TPatternNumbers& a =
            b.PatternSlots.Add[static_cast<std::size_t>(side)][static_cast<std::size_t>(bit)];
        for (std::size_t k = 0; k < numbers.size(); ++k) numbers[k] += a[k];
    };
    for (const int bit : whiteMen) add(White, bit);
    for (const int bit : blackMen) add(Black, bit);
    out.Pattern = numbers;
}

template <class W>
void FeaturesIn(const TPosition& p, const TMasterBoard& b, TMasterFeatures& out) {
    using S = TSquareSetOf<W>;
    const S own(p.Own), enemy(p.Enemy), kings(p.Kings);
    const S white = p.SideToMove == White ? own : enemy;
    const S black = p.SideToMove == White ? enemy : own;
    const S empty = S(PlayableBits) & ~(own | enemy);
    out.Values.fill(0);
    SideTerms<S, White>(b, white, black, kings, empty, 1, out.Values);
    SideTerms<S, Black>(b, black, white, kings, empty, -1, out.Values);
    out.Values[FeatTurn] = p.SideToMove == White ? 1 : -1;
    const int men = Count((own | enemy) & ~kings);
    out.Phase = std::min(PhaseScale, PhaseScale * men / b.InitialMen);
    out.Scale = DrawScale(b, p.Counts, white, kings);
    if (b.Patterns) ReadPatterns(b, white & ~kings, black & ~kings, out);
}

} // namespace

void MasterFeatures(const TPosition& p, const TMasterBoard& board, TMasterFeatures& out) {
    if (NarrowLayout)
        FeaturesIn<std::uint64_t>(p, board, out);
    else
        FeaturesIn<TBits>(p, board, out);
}

int MasterScoreForWhite(const TMasterFeatures& f, const TMasterWeights& w,
                        const TMasterPatternTable* patterns) {
    long long sum = 0;
    for (int i = 0; i < MasterFeatureCount; ++i)
        sum +=
            static_cast<long long>(w.Opening[i] * f.Phase + w.Endgame[i] * (PhaseScale - f.Phase)) *
            f.Values[i];
    if (patterns)
        for (int k = 0; k < patterns->Windows; ++k) {
            const std::size_t base = static_cast<std::size_t>(k) * PatternIndices;
            const auto& own = patterns->Weights[base + f.Pattern[static_cast<std::size_t>(k)]];
            const auto& other =
                patterns
                    ->Weights[base + f.Pattern[static_cast<std::size_t>(MaxPatternWindows + k)]];
            sum += (own[0] - other[0]) * f.Phase + (own[1] - other[1]) * (PhaseScale - f.Phase);
        }
    // Thousandths of a man times the phase scale, to hundredths of a man, scaled for draws.
    return static_cast<int>(sum * f.Scale / (static_cast<long long>(PhaseScale) * 10 * ScaleFull));
}

int MasterEvaluate(const TPosition& p, const TMasterBoard& board) {
    TMasterFeatures f;
    MasterFeatures(p, board, f);
    const int white = MasterScoreForWhite(f, *board.Weights, board.Patterns);
    return p.SideToMove == White ? white : -white;
}

} // namespace quorvin
