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

// A node: its bookkeeping and, when it is a leaf, its static score. Leaves are most of the
// tree, so this part is kept small; nodes with moves to search go on in SearchMoves.
int TPosition::Search(TSearchState& state, int depth, double bound, double budget, double& avgDepth,
                      double& score, long long& nodes) {
    return NarrowLayout
               ? SearchIn<std::uint64_t>(state, depth, bound, budget, avgDepth, score, nodes)
               : SearchIn<TBits>(state, depth, bound, budget, avgDepth, score, nodes);
}

// W is the word the board's sets fit in, chosen once for the whole tree.
template <class W>
int TPosition::SearchIn(TSearchState& state, int depth, double bound, double budget,
                        double& avgDepth, double& score, long long& nodes) {
    if (state.StopRequested()) return 1;
    if (depth == 0) state.PrepareFor(*this);
    if (state.PumpHook && nodes % PumpInterval == 0) state.PumpHook();
    if (depth > 2) bound = std::min(bound, state.BoundStack[depth - 2]);
    state.BoundStack[depth] = bound;
    ++nodes;

    // A line of forced moves as long as the bound table is cut here and scored as it stands.
    int kind = NodeQuiet;
    if (depth < MaxPly) kind = ClassifyIn<W>(FixedDepth ? depth >= DepthLimit : budget <= 1.0);
    if (kind == NodeHasMoves)
        return SearchMoves<W>(state, depth, bound, budget, avgDepth, score, nodes);
    score = kind == NodeLost ? depth + LossScore : Evaluation;
    avgDepth = depth;
    state.NoteLeaf(depth);
    return 0;
}

// The moves of a node, in list order: each child gets an equal share of the budget and the
// negated best score so far as its bound; a child reaching the bound cuts the node off.
template <class W>
int TPosition::SearchMoves(TSearchState& state, int depth, double bound, double budget,
                           double& avgDepth, double& score, long long& nodes) {
    TSummer summer;
    score = LossScore;
    int best = 0;
    const int n = Moves.Count;
    const double share = budget / n;
    TPosition& child = state.Child(*this, depth + 1);
    child.ResetForReuse();
    child.FixedDepth = FixedDepth;
    child.DepthLimit = DepthLimit;
    for (int i = 1; i <= n; ++i) {
        // Making a move and searching it leave the child's settings as they are; only its
        // move list must be emptied for the next move.
        child.Moves.Reset(0, true);
        child.PlayMoveIn<W>(*this, i);
        double childAvg = 0.0, v = 0.0;
        child.SearchIn<W>(state, depth + 1, -score, share, childAvg, v, nodes);
        summer.Add(childAvg);
        v = -v;
        if (v >= bound) {
            score = bound;
            break;
        }
        if (v > score) {
            score = v;
            best = i;
        }
    }
    // Leaf depths are 1 and more, so the average is positive exactly when the sum is; testing
    // the sum keeps the branch from waiting for the division.
    if (summer.Sum > 0) {
        avgDepth = summer.Average();
    } else {
        // Every child returned at once on a stop request: the node counts as a leaf.
        avgDepth = depth;
        state.NoteLeaf(depth);
    }
    return best;
}

} // namespace quorvin
