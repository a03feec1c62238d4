// The game-tree search: negamax with one passed bound (the bound two plies up gives the deep
// cut-offs), a leaf budget divided evenly among the moves of every node, and captures
// always followed to the end. Children come from the search state's per-ply pool of
// positions of the root's class, so that a node costs no allocation.
#include "search.h"
#include "move_generation.h"

#include "mathematics.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

namespace quorvin {

TSearchState::~TSearchState() = default;

void TSearchState::PrepareFor(const TPosition& root) {
    if (PoolType != &typeid(root)) {
        Pool.clear();
        PoolType = &typeid(root);
    }
}

TPosition& TSearchState::MakeChild(const TPosition& parent, int depth) {
    if (static_cast<int>(Pool.size()) <= depth) Pool.resize(depth + 1);
    auto& slot = Pool[depth];
    if (!slot) slot = parent.NewPosition();
    return *slot;
}

// The entry: a stop request stands, or the node is searched with the caller's running count
// of positions and the depth settings of this position, which its descendants share.
int TPosition::Search(TSearchState& state, int depth, double bound, double budget, double& avgDepth,
                      double& score, long long& nodes) {
    if (state.StopRequested()) return 1;
    if (depth == 0) state.PrepareFor(*this);
    state.Nodes = nodes;
    state.FixedDepth = FixedDepth;
    state.DepthLimit = DepthLimit;
    state.Best = 0;
    // The moves of the position searched may be listed already, in the order the caller
    // wants them tried.
    const TNodeValue value = NarrowLayout
                                 ? SearchNode<std::uint64_t, false>(state, depth, bound, budget)
                                 : SearchNode<TBits, false>(state, depth, bound, budget);
    nodes = state.Nodes;
    score = value.Score;
    avgDepth = value.AvgDepth;
    return state.Best;
}

// A node: its bookkeeping and, when it is a leaf, its static score. Leaves are most of the
// tree, so this part is kept small; nodes with moves to search go on in SearchMoves. W is the
// word the board's sets fit in, chosen once for the whole tree.
template <class W, bool Fresh>
TNodeValue TPosition::SearchNode(TSearchState& state, int depth, double bound, double budget) {
    if (state.PumpHook && state.Nodes % PumpInterval == 0) state.PumpHook();
    if (depth > 2) bound = std::min(bound, state.BoundStack[depth - 2]);
    state.BoundStack[depth] = bound;
    ++state.Nodes;

    // A line of forced moves as long as the bound table is cut here and scored as it stands.
    int kind = NodeQuiet;
    if (depth < MaxPly) {
        const bool horizon = state.FixedDepth ? depth >= state.DepthLimit : budget <= 1.0;
        kind = Fresh ? ClassifyFresh<W>(horizon) : ClassifyIn<W>(horizon);
    }
    if (kind == NodeHasMoves) return SearchMoves<W>(state, depth, bound, budget);
    state.NoteLeaf(depth);
    return {kind == NodeLost ? depth + LossScore : Evaluation, static_cast<double>(depth)};
}

// The moves of a node, in list order: each child gets an equal share of the budget and the
// negated best score so far as its bound; a child reaching the bound cuts the node off. A
// child met by a stop request returns at once with nothing: score and depth 0.
template <class W>
TNodeValue TPosition::SearchMoves(TSearchState& state, int depth, double bound, double budget) {
    TSummer summer;
    double score = LossScore;
    int best = 0;
    const int n = Moves.Count;
    const double share = budget / n;
    TPosition& child = state.Child(*this, depth + 1);
    for (int i = 1; i <= n; ++i) {
        // Making a move sets the child's board; its move list is made anew when it is searched.
        child.PlayMoveIn<W>(*this, i);
        TNodeValue value;
        if (!state.StopRequested())
            value = child.SearchNode<W, true>(state, depth + 1, -score, share);
        summer.Add(value.AvgDepth);
        const double v = -value.Score;
        if (v >= bound) {
            score = bound;
            break;
        }
        if (v > score) {
            score = v;
            best = i;
        }
    }
    state.Best = best;
    // Leaf depths are 1 and more, so the average is positive exactly when the sum is; testing
    // the sum keeps the branch from waiting for the division.
    if (summer.Sum > 0) return {score, summer.Average()};
    // Every child returned at once on a stop request: the node counts as a leaf.
    state.NoteLeaf(depth);
    return {score, static_cast<double>(depth)};
}

} // namespace quorvin
