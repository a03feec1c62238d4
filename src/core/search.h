// The state of one game-tree search beside the positions it walks: the pool of child
// positions (one per ply, reused, so that a node costs no allocation), the bound of each ply
// of the current path, the leaf depths of the current iteration, the stop request and the
// hook through which the search lets the window process its events. The think driver owns
// the one the game uses; tests and the bench make their own.
#pragma once

#include <array>
#include <atomic>
#include <climits>
#include <memory>
#include <typeinfo>
#include <vector>

namespace quorvin {

class TPosition;

// What a search node hands back: its score and the average depth of its leaves.
struct TNodeValue {
    double Score = 0.0;
    double AvgDepth = 0.0;
};

inline constexpr int MaxPly = 512;
inline constexpr double LossScore = -999.0;
inline constexpr double RootBound = 999.0;
// A side without a legal move scores LossScore plus the plies from the root, a whole number
// within MaxPly of it; no position's material comes near. A score beyond ForcedScore either
// way is therefore a forced result, 999 less its magnitude being the half-moves to the end.
inline constexpr double ForcedScore = 499.5;
constexpr bool IsForced(double score) {
    return score > ForcedScore || score < -ForcedScore;
}
inline constexpr int PumpInterval = 2000; // positions between two calls of the pump hook

class TSearchState {
  public:
    TSearchState() = default;
    ~TSearchState();
    TSearchState(const TSearchState&) = delete;
    TSearchState& operator=(const TSearchState&) = delete;

    // Called every PumpInterval positions; the window sets it to process its pending events.
    void (*PumpHook)() = nullptr;
    std::array<double, MaxPly + 1> BoundStack{};
    int MinLeafDepth = INT_MAX;
    int MaxLeafDepth = 0;
    // Of the search running now: the positions visited, the best move of the last node
    // searched to the end, and the root's depth settings, which every node below shares.
    long long Nodes = 0;
    int Best = 0;
    bool FixedDepth = false;
    int DepthLimit = 0;

    // Clears the leaf statistics before an iteration.
    void StartIteration() {
        MinLeafDepth = INT_MAX;
        MaxLeafDepth = 0;
    }
    void NoteLeaf(int depth) {
        if (depth < MinLeafDepth) MinLeafDepth = depth;
        if (depth > MaxLeafDepth) MaxLeafDepth = depth;
    }

    // "Break calculation": every search call returns at once while the request stands. It may
    // be made from another thread than the searching one.
    void RequestStop() { Stop.store(true, std::memory_order_relaxed); }
    void ClearStop() { Stop.store(false, std::memory_order_relaxed); }
    bool StopRequested() const { return Stop.load(std::memory_order_relaxed); }

    // The position that holds the node at `depth` (1 and more) of a search whose root has
    // the class of `parent`. Made on first use and kept; a root of another class empties
    // the pool first.
    TPosition& Child(const TPosition& parent, int depth) {
        if (depth < static_cast<int>(Pool.size()) && Pool[depth]) [[likely]]
            return *Pool[depth].get();
        return MakeChild(parent, depth);
    }
    void PrepareFor(const TPosition& root);

  private:
    std::atomic<bool> Stop{false};
    TPosition& MakeChild(const TPosition& parent, int depth);
    const std::type_info* PoolType = nullptr;
    std::vector<std::unique_ptr<TPosition>> Pool; // Pool[d]: the node at depth d
};

} // namespace quorvin
