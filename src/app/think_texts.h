// The texts of the engine's statistics beside the board, made from the numbers each
// iteration of the search reports. The labels stay hidden (no command shows them), but their
// texts are kept up to date as the search goes, in the program's own words.
#pragma once

#include "think.h"

#include <QString>

#include <array>

namespace quorvin {

// The five statistics labels, in the order they are written.
enum class TStatistic { Loading, Level, Time, Positions, PosInSec };
inline constexpr int StatisticCount = 5;

// The label shown as an iteration starts: the leaf budget.
QString LoadingText(double budget);
// The other four labels after an iteration, by TStatistic from Level on.
std::array<QString, StatisticCount - 1> IterationTexts(const TThinkIteration& iteration);

} // namespace quorvin
