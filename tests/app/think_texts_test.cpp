// The statistics texts beside the board, made from an iteration's numbers: the budget, the
// depths, the two clock readings, the positions and the rate, which stays blank until the
// first millisecond has passed.
#include "think_texts.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

TEST(ThinkTexts, AnIterationReadsAsTheLabelsShowIt) {
    EXPECT_EQ(LoadingText(12345.6), QStringLiteral("Нагрузка: 12346"));
    TThinkIteration it;
    it.AverageDepth = 7.26;
    it.MinDepth = 3;
    it.MaxDepth = 14;
    it.TotalMs = 1234;
    it.IterationMs = 56;
    it.Positions = 987654;
    it.PositionsPerSecond = 800368;
    const auto texts = IterationTexts(it);
    EXPECT_EQ(texts[0], QStringLiteral("Глубина: 7.3 (3-14)"));
    EXPECT_EQ(texts[1], QStringLiteral("Время, с: 1.23 (0.06)"));
    EXPECT_EQ(texts[2], QStringLiteral("Позиций: 987654"));
    EXPECT_EQ(texts[3], QStringLiteral("Поз/сек: 800368"));
    it.TotalMs = 0;
    EXPECT_EQ(IterationTexts(it)[3], QStringLiteral("Поз/сек: "));
}

} // namespace
} // namespace quorvin::test
