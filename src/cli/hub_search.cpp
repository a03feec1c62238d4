// The Hub levels under the root search; see hub_search.h.
#include "hub_search.h"

#include "root_search.h"

#include <algorithm>
#include <cmath>

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

// Whether a position reached by the next move would be the third occurrence of itself in
// the game, counting the positions with the same side to move.
bool RepeatsThirdTime(const TGame& game, const TPosition& next) {
    if (!game.Options().TripleRepetitionDraw) return false;
    int occurrences = 1;
    for (int i = game.Current() - 2; i >= 0; i -= 2)
        if (game.Positions(i).SameAs(next)) ++occurrences;
    return occurrences >= 3;
}

// A Hub level under the root search. A depth level deepens one ply at a time up to its
// depth, the others double a leaf budget up to the largest one. No iteration is started that
// is not expected to end within the level's soft time, or within the positions a node level
// leaves. While the engine thinks, a move is wanted: a single legal move is played at once.
// While it analyses (or ponders before the ponder-hit), nothing but stop (or the ponder-hit)
// ends the search, so a search with nothing left to do waits.
class THubControl final : public TRootControl {
  public:
    THubControl(TRootSearch& search, const TPosition& root, const THubBoard& board,
                const THubSearchRequest& request, TClock& clock, TSearchState& state,
                const std::function<void(const THubIteration&)>& report)
        : Search(search), Root(root), Board(board), Request(request), Level(request.Level),
          Fixed(Level.Limit == THubLimit::Depth), Clock(clock), State(state), Report(report),
          SearchStart(TickCount()) {}

    // The expected reply to the move the search answers, kept up to date as iterations end.
    std::string Ponder;

    bool Proceed() override {
        Clock.Update();
        if (State.StopRequested()) return false;
        return !(Thinking() && Root.Moves.Count == 1);
    }

    bool Horizon(int number, TRootHorizon& horizon) override {
        horizon.FixedDepth = Fixed;
        if (Fixed) {
            if (number > Level.Depth && number > 1) return false;
            horizon.Depth = number;
        } else {
            if (number > 1) {
                if (Budget >= TGame::MaxBudget) return false;
                Budget = std::min(Budget * BudgetGrowth, TGame::MaxBudget);
            }
            horizon.Budget = Budget;
        }
        return true;
    }

    bool IterationDone(const TRootIteration& it) override {
        if (!it.Complete) {
            // Moves searched to the end in the broken-off iteration were measured against
            // the previous best, which is searched first; their replies are fresh.
            if (it.Best >= 1)
                Ponder =
                    it.Reply >= 1 ? Board.MoveName(Search.Child(it.Best), it.Reply) : std::string();
            return false;
        }
        const std::vector<std::string> line =
            Search.ExpectedLine(it, PvLimit, [&](const TPosition& position, int index) {
                return Board.MoveName(position, index);
            });
        const long long finished = TickCount();
        Ponder = line.size() >= 2 ? line[1] : std::string();

        THubIteration report;
        report.Depth = Fixed ? it.Horizon.Depth : static_cast<int>(std::lround(it.MeanDepth));
        report.MeanDepth = it.MeanDepth;
        report.Score = it.Score;
        report.Nodes = Search.Nodes();
        report.Ms = finished - SearchStart;
        report.Pv = line;
        if (Report) Report(report);

        Clock.Update();
        if (Clock.Limited() && !Fixed &&
            static_cast<double>(Clock.Elapsed()) +
                    BudgetGrowth * static_cast<double>(finished - it.StartMs) >
                static_cast<double>(Clock.Limits().SoftMs))
            return false;
        // Likewise, no iteration is started that would not end within the node level.
        if (Clock.NodesLimited() &&
            BudgetGrowth * static_cast<double>(Search.Nodes() - it.StartNodes) >
                static_cast<double>(Clock.NodesLeft()))
            return false;
        return true;
    }

    bool Waits() override {
        return Level.Limit == THubLimit::Infinite ||
               (Request.Mode == THubGoMode::Ponder && !Clock.Running());
    }

  private:
    TRootSearch& Search;
    const TPosition& Root;
    const THubBoard& Board;
    const THubSearchRequest& Request;
    const THubLevel& Level;
    const bool Fixed;
    TClock& Clock;
    TSearchState& State;
    const std::function<void(const THubIteration&)>& Report;
    const long long SearchStart;
    double Budget = FirstBudget;

    bool Thinking() const {
        return Request.Mode == THubGoMode::Think ||
               (Request.Mode == THubGoMode::Ponder && Clock.Running());
    }
};
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

    TRootSearch search(root, state);
    search.SetBestFirst(true);
    for (int i = 1; i <= root.Moves.Count; ++i)
        if (RepeatsThirdTime(game, search.Child(i))) search.SetDraw(i);

    TClock clock(signals, request.Level, request.Mode == THubGoMode::Ponder);
    TClockGuard guard(clock, state);
    THubControl control(search, root, board, request, clock, state, report);
    const TRootResult found = search.Run(control);

    THubSearchResult result;
    result.Move = board.MoveName(root, found.Move);
    // A move chosen unsearched has no expected reply.
    if (found.Searched) result.Ponder = control.Ponder;
    return result;
}

} // namespace quorvin::cli
