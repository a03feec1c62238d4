// The Hub search loop; see hub_search.h.
#include "hub_search.h"

#include "mathematics.h"
#include "think.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

namespace quorvin::cli {

namespace {
// The leaf budget of the first iteration, and how much each iteration multiplies it by; the
// next iteration is expected to take about that many times as long as the last one.
constexpr double FirstBudget = 1000.0;
constexpr double BudgetGrowth = 2.0;
constexpr std::size_t PvLimit = 40;

// The search's clock and its count of positions. The clock starts with the search, or at
// ponder-hit when the engine ponders; from then on the stop request is set once the hard
// time limit has passed, or once the search has visited the positions a node level allows.
// The search calls Update through the search state's pump hook, which takes no argument,
// hence the thread-local pointer.
class TClock {
  public:
    TClock(THubSignals& signals, const THubLevel& level, bool ponder)
        : Signals(signals), Budget(HubTimeBudget(level)),
          NodeLimit(level.Limit == THubLimit::Nodes ? level.Nodes : 0), Pondering(ponder) {
        if (!ponder) StartNow();
    }
    bool Running() const { return Start >= 0; }
    long long Elapsed() const { return Running() ? TickCount() - Start : 0; }
    bool Limited() const { return Running() && !Budget.Unlimited; }
    const THubTimeBudget& Limits() const { return Budget; }
    // Under a node level, once the clock runs: the positions the search may still visit.
    bool NodesLimited() const { return Running() && NodeLimit > 0; }
    long long NodesLeft() const { return NodeLimit - (Signals.State.Nodes - StartNodes); }

    void Update() {
        if (!Running() && Pondering && Signals.PonderHit.load()) StartNow();
        if (Limited() && TickCount() - Start >= Budget.HardMs) Signals.State.RequestStop();
        if (NodesLimited() && NodesLeft() <= 0) Signals.State.RequestStop();
    }

  private:
    THubSignals& Signals;
    THubTimeBudget Budget;
    long long NodeLimit;
    bool Pondering;
    long long Start = -1;
    long long StartNodes = 0;

    void StartNow() {
        Start = TickCount();
        StartNodes = Signals.State.Nodes;
    }
};

thread_local TClock* ActiveClock = nullptr;

void UpdateActiveClock() {
    if (ActiveClock) ActiveClock->Update();
}

// Installs the clock for the search on this thread and removes it again.
class TClockGuard {
  public:
    TClockGuard(TClock& clock, TSearchState& state) : State(state) {
        ActiveClock = &clock;
        State.PumpHook = UpdateActiveClock;
    }
    ~TClockGuard() {
        ActiveClock = nullptr;
        State.PumpHook = nullptr;
    }
    TClockGuard(const TClockGuard&) = delete;
    TClockGuard& operator=(const TClockGuard&) = delete;

  private:
    TSearchState& State;
};

struct TRootMove {
    int Index = 0;                    // in the root's Moves
    std::unique_ptr<TPosition> Child; // the position after it, kept with its reply list
    bool Repeats = false;             // it makes the third occurrence of a position: a draw
};

// Whether a position reached by the next move would be the third occurrence of itself in
// the game, counting the positions with the same side to move.
bool RepeatsThirdTime(const TGame& game, const TPosition& next) {
    if (!game.Options().TripleRepetitionDraw) return false;
    int occurrences = 1;
    for (int i = game.Current() - 2; i >= 0; i -= 2)
        if (game.Positions(i).SameAs(next)) ++occurrences;
    return occurrences >= 3;
}

struct TRootOutcome {
    bool Complete = false;
    int Best = -1; // in the root move order; -1 while no move has been searched to the end
    int Reply = 0; // the best move's best reply, an index in its child's Moves; 0 when none
    double Score = LossScore;
    double MeanDepth = 0.0;
};

// One iteration at the root, as the engine's search does it below the root: each move gets
// an equal share of the budget (or the same fixed depth) and the negated best score so far
// as its bound. A stop request leaves the iteration incomplete; the moves searched to the
// end before it still count.
TRootOutcome SearchRoot(std::vector<TRootMove>& roots, const TPosition& root, TSearchState& state,
                        bool fixed, int depth, double budget, long long& nodes) {
    TRootOutcome out;
    state.StartIteration();
    state.PrepareFor(root);
    TSummer summer;
    const double share = budget / static_cast<double>(roots.size());
    for (std::size_t k = 0; k < roots.size(); ++k) {
        TRootMove& r = roots[k];
        double value = 0.0, meanDepth = 1.0;
        int reply = 0;
        if (!r.Repeats) {
            TPosition& child = *r.Child;
            child.ResetForReuse();
            child.FixedDepth = fixed;
            child.DepthLimit = depth;
            child.PlayMove(root, r.Index);
            reply = child.Search(state, 1, -out.Score, share, meanDepth, value, nodes);
            if (state.StopRequested()) return out;
            value = -value;
        }
        summer.Add(meanDepth);
        if (value > out.Score) {
            out.Score = value;
            out.Best = static_cast<int>(k);
            out.Reply = reply;
        }
    }
    out.Complete = true;
    out.MeanDepth = summer.Average();
    return out;
}

// The line the iteration expects: the best move, its reply, and from there the best moves
// of searches of each following position with the share of the budget (or the depth) the
// iteration gave it. A stop request cuts the line where it comes.
std::vector<std::string> PrincipalLine(const TRootMove& best, int reply, const TPosition& root,
                                       const THubBoard& board, TSearchState& state, bool fixed,
                                       int depth, double budget, std::size_t rootMoves,
                                       long long& nodes) {
    std::vector<std::string> line{board.MoveName(root, best.Index)};
    if (best.Repeats || reply < 1) return line;
    const TPosition* parent = best.Child.get();
    line.push_back(board.MoveName(*parent, reply));
    double share = budget / static_cast<double>(rootMoves) / parent->Moves.Count;
    int remaining = depth - 2;
    std::vector<std::unique_ptr<TPosition>> positions;
    while (line.size() < PvLimit && (fixed ? remaining > 0 : share > 1.0)) {
        auto next = root.NewPosition();
        next->PlayMove(*parent, reply);
        next->FixedDepth = fixed;
        next->DepthLimit = remaining;
        double meanDepth = 0.0, score = 0.0;
        reply = next->Search(state, 0, RootBound, share, meanDepth, score, nodes);
        if (state.StopRequested() || reply < 1) break;
        line.push_back(board.MoveName(*next, reply));
        share /= next->Moves.Count;
        --remaining;
        positions.push_back(std::move(next));
        parent = positions.back().get();
    }
    return line;
}

// The move a search broken off before any move was searched to the end plays: the one whose
// position scores best as it stands.
int StaticBest(const std::vector<TRootMove>& roots) {
    int best = 0;
    double bestScore = LossScore - 1.0;
    for (std::size_t k = 0; k < roots.size(); ++k) {
        const double score = roots[k].Repeats ? 0.0 : -roots[k].Child->Evaluation;
        if (score > bestScore) {
            bestScore = score;
            best = static_cast<int>(k);
        }
    }
    return best;
}
} // namespace

THubSearchResult RunHubSearch(TGame& game, const THubBoard& board, const THubSearchRequest& request,
                              THubSignals& signals,
                              const std::function<void(const THubIteration&)>& report) {
    TPosition& root = game.CurrentPosition();
    TSearchState& state = signals.State;
    root.BuildValueTable(request.Disposition);
    root.Evaluate();
    if (root.Moves.Count == 0) root.ClassifyNode(false);
    root.Moves.Shuffle();

    std::vector<TRootMove> roots;
    for (int i = 1; i <= root.Moves.Count; ++i) {
        TRootMove r;
        r.Index = i;
        r.Child = root.NewPosition();
        r.Child->PlayMove(root, i);
        r.Repeats = RepeatsThirdTime(game, *r.Child);
        roots.push_back(std::move(r));
    }

    const THubLevel& level = request.Level;
    const bool fixed = level.Limit == THubLimit::Depth;
    // The engine's search counts the positions it visits in the state, from where it starts.
    state.Nodes = 0;
    TClock clock(signals, level, request.Mode == THubGoMode::Ponder);
    TClockGuard guard(clock, state);
    // Thinking: a move is wanted, so a single legal move is played at once and a forced
    // result ends the search. Open-ended: nothing but stop (or ponder-hit) ends it, so an
    // exhausted search waits.
    auto thinking = [&] {
        return request.Mode == THubGoMode::Think ||
               (request.Mode == THubGoMode::Ponder && clock.Running());
    };
    auto openEnded = [&] {
        return level.Limit == THubLimit::Infinite ||
               (request.Mode == THubGoMode::Ponder && !clock.Running());
    };

    // The move to play and the expected reply, kept up to date as iterations finish.
    int best = -1;
    std::string ponder;
    bool exhausted = false;
    long long nodes = 0;
    double budget = FirstBudget;
    int depth = 1;
    const long long searchStart = TickCount();
    for (;;) {
        clock.Update();
        if (state.StopRequested()) break;
        if (thinking() && roots.size() == 1) {
            best = 0;
            break;
        }
        if (exhausted) {
            if (!openEnded()) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }

        const long long started = TickCount();
        const long long nodesBefore = nodes;
        const TRootOutcome outcome = SearchRoot(roots, root, state, fixed, depth, budget, nodes);
        if (!outcome.Complete) {
            // Moves searched to the end in the broken-off iteration were measured against
            // the previous best, which is searched first; their replies are fresh.
            if (outcome.Best >= 0) {
                best = outcome.Best;
                const TRootMove& r = roots[static_cast<std::size_t>(best)];
                ponder = !r.Repeats && outcome.Reply >= 1 ? board.MoveName(*r.Child, outcome.Reply)
                                                          : std::string();
            }
            break;
        }
        const std::vector<std::string> line =
            PrincipalLine(roots[static_cast<std::size_t>(outcome.Best)], outcome.Reply, root, board,
                          state, fixed, depth, budget, roots.size(), nodes);
        const long long finished = TickCount();
        ponder = line.size() >= 2 ? line[1] : std::string();

        THubIteration it;
        it.Depth = fixed ? depth : static_cast<int>(std::lround(outcome.MeanDepth));
        it.MeanDepth = outcome.MeanDepth;
        it.Score = outcome.Score;
        it.Nodes = nodes;
        it.Ms = finished - searchStart;
        it.Pv = line;
        if (report) report(it);

        // The best move first in the next iteration: it gives the others a bound at once.
        std::rotate(roots.begin(), roots.begin() + outcome.Best, roots.begin() + outcome.Best + 1);
        best = 0;

        if (fixed) {
            if (depth >= level.Depth) exhausted = true;
            ++depth;
        } else {
            if (budget >= TGame::MaxBudget) exhausted = true;
            budget = std::min(budget * BudgetGrowth, TGame::MaxBudget);
        }
        // A forced result does not change with a deeper search.
        if (IsForced(outcome.Score)) exhausted = true;
        clock.Update();
        if (clock.Limited() && !fixed &&
            static_cast<double>(clock.Elapsed()) +
                    BudgetGrowth * static_cast<double>(finished - started) >
                static_cast<double>(clock.Limits().SoftMs))
            break;
        // Likewise, no iteration is started that would not end within the node level.
        if (clock.NodesLimited() && BudgetGrowth * static_cast<double>(nodes - nodesBefore) >
                                        static_cast<double>(clock.NodesLeft()))
            break;
    }

    THubSearchResult result;
    if (best < 0) {
        best = StaticBest(roots);
        ponder.clear();
    }
    result.Move = board.MoveName(root, roots[static_cast<std::size_t>(best)].Index);
    result.Ponder = ponder;
    return result;
}

} // namespace quorvin::cli
