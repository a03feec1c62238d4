// Search-wide state shared by the game-tree search and the think driver: the bound of each
// ply of the current path, the leaf depths of the current iteration, the stop request and
// the hook through which the search lets the window process its events.
#pragma once

#include <array>
#include <climits>

namespace quorvin {

inline constexpr int MaxPly = 512;
inline constexpr double LossScore = -999.0;
inline constexpr double RootBound = 999.0;
inline constexpr int PumpInterval = 2000; // positions between two calls of the pump hook

inline std::array<double, MaxPly + 1> BoundStack{};
inline int MinLeafDepth = INT_MAX;
inline int MaxLeafDepth = 0;
// Set by "Break calculation"; every search call returns at once while it is set.
inline bool StopRequested = false;
// Called every PumpInterval positions; the window sets it to process its pending events.
inline void (*PumpHook)() = nullptr;

} // namespace quorvin
