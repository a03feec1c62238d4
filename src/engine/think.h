// Choosing a move: the thirteen levels, the iterations of the search with a growing leaf
// budget under the level's time, and the statistics and forecast texts shown meanwhile.
// The window (or the command line) watches through TThinkObserver and supplies the
// translation of the forecast's words.
#pragma once

#include "game.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace quorvin {

inline constexpr int LevelCount = 13;
inline constexpr int RandomLevelIndex = 0;

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

// The five statistics labels, in the order they are written.
enum class TStatistic { Loading, Level, Time, Positions, PosInSec };

class TThinkObserver {
  public:
    virtual ~TThinkObserver() = default;
    virtual void ShowStatistic(TStatistic label, const std::string& text) = 0;
    virtual void SetForecastText(int side, const std::string& text) = 0;
    virtual void ClearForecast(int side) = 0;
    // The search is over: "Break calculation" has nothing left to break.
    virtual void SearchFinished() {}
};

struct TThinkRequest {
    int Level = 2;
    bool Disposition = false;
    bool Forecast = true;
    int MinimumMs = 0; // the window waits at least 100 ms before it answers
    TThinkObserver* Observer = nullptr;
    std::function<std::string(const std::string&)> Translate; // identity when empty
};

struct TThinkResult {
    int Move = 0; // index in the current position's Moves; 0 when stopped
    double Score = 0.0;
    long long Nodes = 0;
    int Iterations = 0;
};

// The level and Disposition that apply to the side to move of the game: the opponent's when
// the computer plays that side, the adviser's otherwise.
TThinkRequest LevelForSideToMove(const TGame& game);

// Chooses a move in the game's current position, whose Moves were filled by ClassifyNode.
TThinkResult ThinkMove(TGame& game, const TThinkRequest& request);

// The texts shown to the user.
std::string ForecastText(double score, const std::function<std::string(const std::string&)>& tr);
std::string FixedText(double value, int decimals);

// A monotonic millisecond clock.
long long TickCount();

} // namespace quorvin
