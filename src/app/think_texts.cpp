// Statistics texts; see think_texts.h.
#include "think_texts.h"

#include <cmath>

namespace quorvin {

namespace {

QString Fixed(double value, int decimals) {
    return QString::fromStdString(FixedText(value, decimals));
}

} // namespace

QString LoadingText(double budget) {
    return QStringLiteral("Нагрузка: %1").arg(std::llround(budget));
}

std::array<QString, StatisticCount - 1> IterationTexts(const TThinkIteration& it) {
    return {
        QStringLiteral("Глубина: %1 (%2-%3)")
            .arg(Fixed(it.AverageDepth, 1))
            .arg(it.MinDepth)
            .arg(it.MaxDepth),
        QStringLiteral("Время, с: %1 (%2)")
            .arg(Fixed(it.TotalMs / 1000.0, 2), Fixed(it.IterationMs / 1000.0, 2)),
        QStringLiteral("Позиций: %1").arg(it.Positions),
        // Before the first millisecond has passed there is no rate to show.
        it.TotalMs == 0 ? QStringLiteral("Поз/сек: ")
                        : QStringLiteral("Поз/сек: %1").arg(it.PositionsPerSecond),
    };
}

} // namespace quorvin
