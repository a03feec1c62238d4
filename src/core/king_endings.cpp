// The tables of king endings; see king_endings.h.
//
// Each table is built backwards. A position with a capture leaves the table (kings are taken),
// so its result is read at once from the smaller tables; a position without a move is lost.
// From every decided position the quiet king moves are walked back to the positions that lead
// to it: the mover wins there if the position reached is lost for its side to move, and loses
// once every one of its moves reaches a position won for the other side. Walking the decided
// positions in the order of their distance gives each win its shortest way and each loss its
// longest. What is never decided is a draw.
#include "king_endings.h"

#include <algorithm>
#include <typeinfo>

namespace quorvin {

namespace {

using TSet = std::array<std::uint8_t, KingEndingsMaxKings>;

// A value as the mover sees it, from the value of the position its move leads to.
std::int16_t FromChild(std::int16_t child) {
    if (child < 0) return static_cast<std::int16_t>(-child + 1); // the child's side loses
    if (child > 0) return static_cast<std::int16_t>(-(child + 1));
    return 0;
}

// Whether value a is better than b for the side to move.
bool Better(std::int16_t a, std::int16_t b) {
    if ((a > 0) != (b > 0)) return a > 0;
    if (a > 0) return a < b; // the quicker win
    if ((a == 0) != (b == 0)) return a == 0;
    return a < b; // the slower loss
}

// Puts the first n members of a set in ascending order.
void SortSet(TSet& set, int n) {
    for (int i = 1; i < n && i < KingEndingsMaxKings; ++i)
        for (int j = i;
             j > 0 && set[static_cast<std::size_t>(j - 1)] > set[static_cast<std::size_t>(j)]; --j)
            std::swap(set[static_cast<std::size_t>(j - 1)], set[static_cast<std::size_t>(j)]);
}

int Plies(std::int16_t value) {
    return value > 0 ? value - 1 : -value - 1;
}

} // namespace

int TKingEndings::Rank(const TSet& set, int kings) const {
    int rank = 0;
    for (int i = 0; i < kings; ++i)
        rank += Binomial[static_cast<std::size_t>(set[static_cast<std::size_t>(i)])]
                        [static_cast<std::size_t>(i + 1)];
    return rank;
}

bool TKingEndings::Fit(const TPosition& sample) const {
    return Built && Family == &typeid(sample) && Rows == BoardRows && Files == BoardFiles &&
           Coloring == BoardColoringFlag;
}

bool TKingEndings::Build(const TPosition& sample) {
    const TRuleSwitches& rules = sample.Switches();
    const bool hasKings = rules.Kings != TKingMoves::AsMen && rules.Crowning;
    if (Fit(sample)) return true;
    Built = false;
    // Taken pieces that change sides would turn three kings against one into two against two.
    if (!hasKings || rules.TakenChangeSides || SquareCount > KingEndingsMaxSquares) return false;
    Family = &typeid(sample);
    Rows = BoardRows;
    Files = BoardFiles;
    Coloring = BoardColoringFlag;
    Squares = SquareCount;
    for (int n = 0; n <= Squares; ++n)
        for (int k = 0; k <= KingEndingsMaxKings; ++k)
            Binomial[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] =
                k == 0 ? 1
                : n == 0
                    ? 0
                    : Binomial[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)] +
                          Binomial[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k)];
    const auto work = sample.NewPosition();
    const auto child = sample.NewPosition();
    for (int kings = 1; kings <= KingEndingsMaxKings; ++kings)
        BuildTable(kings, *work, *child, rules.Kings == TKingMoves::Flying);
    Built = true;
    return true;
}

std::int16_t TKingEndings::ValueOf(const TPosition& p) const {
    const int whiteKings = p.Counts[White][King], blackKings = p.Counts[Black][King];
    const int strong = whiteKings >= blackKings ? White : Black;
    const int kings = std::max(whiteKings, blackKings);
    const TSquareSet strongSet = p.SideToMove == strong ? p.Own : p.Enemy;
    const TSquareSet weakSet = p.SideToMove == strong ? p.Enemy : p.Own;
    TSet set{};
    int n = 0;
    for (const int bit : strongSet)
        set[static_cast<std::size_t>(n++)] = static_cast<std::uint8_t>(SquareOfBit[bit] - 1);
    SortSet(set, kings);
    const int weak = SquareOfBit[weakSet.Lowest()] - 1;
    return Values[static_cast<std::size_t>(kings - 1)]
                 [IndexOf(Rank(set, kings), weak, p.SideToMove == strong)];
}

TKingEndingResult TKingEndings::Probe(const TPosition& p) const {
    const std::int16_t value = ValueOf(p);
    TKingEndingResult result;
    if (value == 0) return result;
    result.Kind = value > 0 ? TKingEndingResult::TKind::Win : TKingEndingResult::TKind::Loss;
    result.Plies = Plies(value);
    return result;
}

void TKingEndings::BuildTable(int kings, TPosition& work, TPosition& child, bool flying) {
    const auto k = static_cast<std::size_t>(kings);
    const int setCount = Binomial[static_cast<std::size_t>(Squares)][k];
    auto& sets = Sets[k - 1];
    sets.assign(static_cast<std::size_t>(setCount), TSet{});
    TSet set{};
    for (int i = 0; i < kings; ++i) set[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    for (;;) {
        sets[static_cast<std::size_t>(Rank(set, kings))] = set;
        // The next set in ascending order: raise the lowest member that can rise.
        int i = 0;
        while (i < kings && set[static_cast<std::size_t>(i)] + 1 ==
                                (i + 1 < kings ? set[static_cast<std::size_t>(i + 1)] : Squares))
            ++i;
        if (i == kings) break;
        ++set[static_cast<std::size_t>(i)];
        for (int j = 0; j < i; ++j) set[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(j);
    }

    auto& values = Values[k - 1];
    const std::size_t size =
        static_cast<std::size_t>(setCount) * static_cast<std::size_t>(Squares) * 2;
    values.assign(size, 0);
    std::vector<std::uint8_t> left(size, 0); // quiet moves not yet known to lose; 0: decided
    std::vector<std::vector<std::uint32_t>> byPlies;
    auto decide = [&](std::size_t index, std::int16_t value) {
        values[index] = value;
        left[index] = 0;
        const auto plies = static_cast<std::size_t>(Plies(value));
        if (byPlies.size() <= plies) byPlies.resize(plies + 1);
        byPlies[plies].push_back(static_cast<std::uint32_t>(index));
    };

    for (int rank = 0; rank < setCount; ++rank) {
        const TSet& strong = sets[static_cast<std::size_t>(rank)];
        for (int weak = 0; weak < Squares; ++weak) {
            if (std::find(strong.begin(), strong.begin() + kings, weak) != strong.begin() + kings)
                continue;
            for (const bool strongToMove : {false, true}) {
                const std::size_t index = IndexOf(rank, weak, strongToMove);
                work.ClearBoard();
                work.SetSideToMove(White);
                for (int i = 0; i < kings; ++i)
                    work.Put(strong[static_cast<std::size_t>(i)] + 1, WhiteKing);
                work.Put(weak + 1, BlackKing);
                work.Counts = {};
                work.Counts[White][King] = static_cast<std::uint8_t>(kings);
                work.Counts[Black][King] = 1;
                work.SetSideToMove(strongToMove ? White : Black);
                if (work.GenerateCaptures()) {
                    std::int16_t best = 0;
                    bool first = true;
                    for (int m = 1; m <= work.Moves.Count; ++m) {
                        child.PlayMove(work, m);
                        const std::int16_t value =
                            child.Own.None() ? std::int16_t{2} : FromChild(ValueOf(child));
                        if (first || Better(value, best)) best = value;
                        first = false;
                    }
                    if (best != 0)
                        decide(index, best);
                    else
                        values[index] = 0; // a draw, never walked back from
                    continue;
                }
                work.GenerateMoves(false);
                if (work.Moves.Count == 0)
                    decide(index, -1);
                else
                    left[index] = static_cast<std::uint8_t>(work.Moves.Count);
            }
        }
    }

    // Walk back from the decided positions, nearest first.
    for (std::size_t plies = 0; plies < byPlies.size(); ++plies) {
        for (std::size_t at = 0; at < byPlies[plies].size(); ++at) {
            const std::size_t index = byPlies[plies][at];
            const std::int16_t value = values[index];
            const bool strongToMove = index % 2 == 1;
            const int weak = static_cast<int>(index / 2 % static_cast<std::size_t>(Squares));
            const int rank = static_cast<int>(index / 2 / static_cast<std::size_t>(Squares));
            const TSet strong = sets[static_cast<std::size_t>(rank)];
            auto occupied = [&](int square) {
                return square == weak || std::find(strong.begin(), strong.begin() + kings,
                                                   square) != strong.begin() + kings;
            };
            // The position before: the side not to move here made a quiet king move.
            auto reach = [&](std::size_t before) {
                if (left[before] == 0) return;
                if (value < 0)
                    decide(before, static_cast<std::int16_t>(-value + 1));
                else if (--left[before] == 0)
                    decide(before, static_cast<std::int16_t>(-(value + 1)));
            };
            const int movers = strongToMove ? 1 : kings;
            for (int j = 0; j < movers; ++j) {
                const int to = strongToMove ? weak : strong[static_cast<std::size_t>(j)];
                for (int d = 0; d < 4; ++d) {
                    for (int from = Neighbour[static_cast<std::size_t>(to + 1)]
                                             [static_cast<std::size_t>(d)] -
                                    1;
                         from >= 0 && !occupied(from);
                         from = Neighbour[static_cast<std::size_t>(from + 1)]
                                         [static_cast<std::size_t>(d)] -
                                1) {
                        if (strongToMove) {
                            reach(IndexOf(rank, from, false));
                        } else {
                            TSet moved = strong;
                            moved[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(from);
                            SortSet(moved, kings);
                            reach(IndexOf(Rank(moved, kings), weak, true));
                        }
                        if (!flying) break;
                    }
                }
            }
        }
    }
}

} // namespace quorvin
