// The game-tree search: negamax with one passed bound (the bound two plies up gives the deep
// cut-offs), a leaf budget divided evenly among the moves of every node, and captures
// always followed to the end. Children come from a per-ply pool of positions of the root's
// class, so that a node costs no allocation.
#include "search.h"
#include "position.h"

#include "mathematics.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

namespace quorvin {

namespace {
struct TSearchPool {
    const std::type_info* Type = nullptr;
    std::vector<std::unique_ptr<TPosition>> Plies; // Plies[d]: the node at depth d (d >= 1)
};
TSearchPool Pool;

TPosition& PoolPosition(const TPosition& parent, int depth) {
    if (static_cast<int>(Pool.Plies.size()) <= depth) Pool.Plies.resize(depth + 1);
    auto& slot = Pool.Plies[depth];
    if (!slot) slot = parent.NewPosition();
    return *slot;
}
} // namespace

int TPosition::Search(int depth, double bound, double budget, double& avgDepth, double& score,
                      long long& nodes) {
    if (StopRequested) return 1;
    if (depth == 0 && Pool.Type != &typeid(*this)) {
        Pool.Plies.clear();
        Pool.Type = &typeid(*this);
    }
    if (nodes % PumpInterval == 0 && PumpHook) PumpHook();
    if (depth > 2) bound = std::min(bound, BoundStack[depth - 2]);
    BoundStack[depth] = bound;

    TSummer summer;
    score = LossScore;
    int best = 0;
    ++nodes;

    if (depth >= MaxPly) {
        // A line of forced moves this long is cut here and scored as it stands.
        score = Evaluation;
    } else {
        const bool horizon = FixedDepth ? depth >= DepthLimit : budget <= 1.0;
        switch (ClassifyNode(horizon)) {
        case NodeQuiet:
            score = Evaluation;
            break;
        case NodeLost:
            score = depth + LossScore;
            break;
        default: {
            const int n = Moves.Count;
            const double share = budget / n;
            TPosition& child = PoolPosition(*this, depth + 1);
            for (int i = 1; i <= n; ++i) {
                child.ResetForReuse();
                child.PlayMove(*this, i);
                child.FixedDepth = FixedDepth;
                child.DepthLimit = DepthLimit;
                double childAvg = 0.0, v = 0.0;
                child.Search(depth + 1, -score, share, childAvg, v, nodes);
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
        }
        }
    }

    if (summer.Average() > 0) {
        avgDepth = summer.Average();
    } else {
        avgDepth = depth;
        MinLeafDepth = std::min(MinLeafDepth, depth);
        MaxLeafDepth = std::max(MaxLeafDepth, depth);
    }
    return best;
}

} // namespace quorvin
