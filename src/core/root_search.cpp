// The iterations of a search from the root; see root_search.h.
#include "root_search.h"

#include "mathematics.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace quorvin {

long long TickCount() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

TRootSearch::TRootSearch(const TPosition& root, TSearchState& state) : Root(root), State(state) {
    if (root.Moves.Count < 1) throw std::logic_error("a root search needs a move to search");
    for (int i = 1; i <= root.Moves.Count; ++i) {
        TRootMove r;
        r.Index = i;
        r.Child = root.NewPosition();
        r.Child->PlayMove(root, i);
        Moves.push_back(std::move(r));
    }
    State.Nodes = 0;
}

TRootSearch::~TRootSearch() = default;

std::size_t TRootSearch::SlotOf(int index) const {
    for (std::size_t k = 0; k < Moves.size(); ++k)
        if (Moves[k].Index == index) return k;
    throw std::out_of_range("no such root move");
}

void TRootSearch::SetDraw(int index) {
    Moves[SlotOf(index)].Draw = true;
}

const TPosition& TRootSearch::Child(int index) const {
    return *Moves[SlotOf(index)].Child;
}

TRootIteration TRootSearch::Iterate(int number, const TRootHorizon& horizon) {
    TRootIteration it;
    it.Number = number;
    it.Horizon = horizon;
    it.StartNodes = NodeCount;
    State.StartIteration();
    State.PrepareFor(Root);
    it.StartMs = TickCount();
    // The root is a position of the search like any other: the event pump runs before it as
    // before every node, and it is counted.
    State.Nodes = NodeCount;
    if (State.PumpHook && NodeCount % PumpInterval == 0) State.PumpHook();
    State.Nodes = ++NodeCount;

    // Each move gets an equal share of the budget (or the same fixed depth) and the negated
    // best score so far as its bound. The root's own bound is never reached: no move scores
    // more than a win one ply away.
    TSummer summer;
    const double share = horizon.Budget / static_cast<double>(Moves.size());
    it.Complete = true;
    for (TRootMove& r : Moves) {
        double value = 0.0, meanDepth = 1.0;
        int reply = 0;
        if (!r.Draw) {
            TPosition& child = *r.Child;
            child.ResetForReuse();
            child.FixedDepth = horizon.FixedDepth;
            child.DepthLimit = horizon.Depth;
            child.PlayMove(Root, r.Index);
            reply = child.Search(State, 1, -it.Score, share, meanDepth, value, NodeCount);
            // A move whose search was broken off tells nothing; the moves before it count.
            if (State.StopRequested()) {
                it.Complete = false;
                break;
            }
            value = -value;
        }
        summer.Add(meanDepth);
        if (value > it.Score) {
            it.Score = value;
            it.Best = r.Index;
            it.Reply = reply;
        }
    }
    it.EndMs = TickCount();
    it.MeanDepth = summer.Average();
    it.MinLeafDepth = State.MinLeafDepth;
    it.MaxLeafDepth = State.MaxLeafDepth;
    it.Nodes = NodeCount;
    return it;
}

// The move a search broken off before any move was searched to the end plays: the one whose
// position scores best as it stands.
int TRootSearch::StaticBest() const {
    int best = Moves.front().Index;
    double bestScore = LossScore - 1.0;
    for (const TRootMove& r : Moves) {
        const double score = r.Draw ? 0.0 : -r.Child->Evaluation;
        if (score > bestScore) {
            bestScore = score;
            best = r.Index;
        }
    }
    return best;
}

TRootResult TRootSearch::Run(TRootControl& control) {
    TRootResult result;
    bool exhausted = false; // nothing deeper is to be searched
    for (;;) {
        if (!control.Proceed() || State.StopRequested()) break;
        TRootHorizon horizon;
        if (!exhausted && !control.Horizon(result.Iterations + 1, horizon)) exhausted = true;
        if (exhausted) {
            if (!control.Waits()) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        const TRootIteration it = Iterate(++result.Iterations, horizon);
        if (it.Best >= 1) {
            result.Move = it.Best;
            result.Searched = true;
        }
        const bool room = control.IterationDone(it);
        if (!it.Complete) break;
        if (BestFirst) {
            const auto best = Moves.begin() + static_cast<std::ptrdiff_t>(SlotOf(it.Best));
            std::rotate(Moves.begin(), best, best + 1);
        }
        // A forced result does not change with a deeper search.
        if (IsForced(it.Score)) exhausted = true;
        if (!room) break;
    }
    if (!result.Searched) result.Move = StaticBest();
    result.Nodes = NodeCount;
    return result;
}

std::vector<std::string> TRootSearch::ExpectedLine(const TRootIteration& iteration,
                                                   std::size_t limit, const TMoveNamer& name) {
    std::vector<std::string> line;
    if (iteration.Best < 1 || limit < 1) return line;
    const TRootMove& best = Moves[SlotOf(iteration.Best)];
    line.push_back(name(Root, best.Index));
    int reply = iteration.Reply;
    if (best.Draw || reply < 1 || line.size() >= limit) return line;
    const TPosition* parent = best.Child.get();
    line.push_back(name(*parent, reply));
    const TRootHorizon& horizon = iteration.Horizon;
    double share = horizon.Budget / static_cast<double>(Moves.size()) /
                   static_cast<double>(parent->Moves.Count);
    int remaining = horizon.Depth - 2;
    std::vector<std::unique_ptr<TPosition>> positions;
    while (line.size() < limit && (horizon.FixedDepth ? remaining > 0 : share > 1.0)) {
        auto next = Root.NewPosition();
        next->PlayMove(*parent, reply);
        next->FixedDepth = horizon.FixedDepth;
        next->DepthLimit = remaining;
        double meanDepth = 0.0, score = 0.0;
        reply = next->Search(State, 0, RootBound, share, meanDepth, score, NodeCount);
        if (State.StopRequested() || reply < 1) break;
        line.push_back(name(*next, reply));
        share /= next->Moves.Count;
        --remaining;
        positions.push_back(std::move(next));
        parent = positions.back().get();
    }
    return line;
}

} // namespace quorvin
