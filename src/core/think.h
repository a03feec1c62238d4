// Choosing a move: the thirteen levels, and their iterations of the root search (root_search.h)
// with a growing leaf budget under the level's time. Each iteration is reported to a
// TThinkObserver as numbers; the window and the command line make their own texts of them.
#pragma once

#include "game.h"
#include "root_search.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace quorvin {

inline constexpr int LevelCount = 13;
inline constexpr int RandomLevelIndex = 0;
// The level after the thirteen described ones: the master search (master_think.h), which
// ThinkMove hands the move to.
inline constexpr int MasterLevelIndex = LevelCount;

inline constexpr std::array<std::string_view, LevelCount> OpponentLevelNames{
    "At Random",       "Kiddy",          "Child",          "  0.01 sec/move", "  0.02 sec/move",
    "  0.05 sec/move", "  0.1 sec/move", "  0.2 sec/move", "  0.5 sec/move",  "  1.0 sec/move",
    "  2.0 sec/move",  "  5.0 sec/move", "10.0 sec/move"};
inline constexpr std::array<std::string_view, LevelCount> HinterLevelNames{"At Random",
                                                                           "Kiddy",
                                                                           "Child",
                                                                           "  0.01 sec/move",
                                                                           "  0.02 sec/move",
                                                                           "  0.05 sec/move",
                                                                           "  0.1   sec/move",
                                                                           "  0.2   sec/move",
                                                                           "  0.5   sec/move",
                                                                           "  1.0   sec/move",
                                                                           "  2.0   sec/move",
                                                                           "  5.0   sec/move",
                                                                           "10.0   sec/move"};
// Milliseconds per move of the timed levels 3..12.
inline constexpr std::array<int, LevelCount> LevelTimeLimit{0,   0,   0,    10,   20,   50,   100,
                                                            200, 500, 1000, 2000, 5000, 10000};

// One finished iteration of the search.
struct TThinkIteration {
    int Side = 0;              // the side the engine moves for
    double Budget = 0.0;       // the leaf budget of this iteration (0 at a fixed depth)
    double AverageDepth = 0.0; // of the leaves reached
    int MinDepth = 0, MaxDepth = 0;
    long long TotalMs = 0;     // since the engine started on this move
    long long IterationMs = 0; // this iteration alone
    long long Positions = 0;   // visited since the engine started on this move
    // Positions per second since the start; 0 while no millisecond has passed.
    long long PositionsPerSecond = 0;
    double Score = 0.0; // seen from Side; beyond ForcedScore a forced result
};

class TThinkObserver {
  public:
    virtual ~TThinkObserver() = default;
    // An iteration starts with this leaf budget.
    virtual void IterationStarted(int side, double budget) = 0;
    virtual void IterationDone(const TThinkIteration& iteration) = 0;
    // The move is played without a search (a single move, or the level that plays at
    // random): no forecast stands for it.
    virtual void NoSearch(int side) = 0;
    // The search is over: "Break calculation" has nothing left to break.
    virtual void SearchFinished() {}
};

struct TThinkRequest {
    int Level = 2;
    bool Disposition = false;
    int MinimumMs = 0; // the window waits at least 100 ms before it answers
    TThinkObserver* Observer = nullptr;
};

struct TThinkResult {
    int Move = 0; // index in the current position's Moves; 0 when stopped
    double Score = 0.0;
    long long Nodes = 0;
    int Iterations = 0;
};

// The search state of the think driver: the window's "Break calculation" and its event pump
// reach the search through it. ThinkMove clears its stop request when it returns.
TSearchState& ThinkSearchState();

// Chooses a move in the game's current position, whose Moves were filled by ClassifyNode.
TThinkResult ThinkMove(TGame& game, const TThinkRequest& request);

// The end of every search of the think driver, begun at t0: tells the observer, waits out the
// request's minimum time with the event pump running, and drops the move when the search was
// stopped, clearing the stop request.
void FinishThinking(const TThinkRequest& request, long long t0, TThinkResult& result);

// The forecast of a score: "Victory in N half-move(s)", "Defeat in ...", or "Forecast: 0.3";
// the words pass through tr (identity when empty).
std::string ForecastText(double score, const std::function<std::string(const std::string&)>& tr);
std::string FixedText(double value, int decimals);

} // namespace quorvin
