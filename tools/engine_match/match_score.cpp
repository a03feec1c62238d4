// The score and Elo estimate of a match; see match_score.h.
#include "match_score.h"

#include "think.h"

#include <cmath>
#include <limits>

namespace quorvin::match {

namespace {
constexpr double Z95 = 1.96;

double StandardError(const TMatchScore& m) {
    const double n = m.Games();
    const double s = m.Score();
    const double variance =
        (m.Wins * (1.0 - s) * (1.0 - s) + m.Draws * (0.5 - s) * (0.5 - s) + m.Losses * s * s) / n;
    return std::sqrt(variance / n);
}

std::string EloNumber(double elo) {
    if (std::isinf(elo)) return elo > 0 ? "+inf" : "-inf";
    return FixedText(elo == 0.0 ? 0.0 : elo, 1); // no "-0.0"
}
} // namespace

double EloOfScore(double score) {
    if (score <= 0.0) return -std::numeric_limits<double>::infinity();
    if (score >= 1.0) return std::numeric_limits<double>::infinity();
    return -400.0 * std::log10(1.0 / score - 1.0);
}

double TMatchScore::Score() const {
    return Games() == 0 ? 0.5 : (Wins + 0.5 * Draws) / Games();
}

double TMatchScore::Elo() const {
    return EloOfScore(Score());
}

double TMatchScore::EloLow() const {
    return Games() == 0 ? -std::numeric_limits<double>::infinity()
                        : EloOfScore(Score() - Z95 * StandardError(*this));
}

double TMatchScore::EloHigh() const {
    return Games() == 0 ? std::numeric_limits<double>::infinity()
                        : EloOfScore(Score() + Z95 * StandardError(*this));
}

std::string TMatchScore::EloText() const {
    const double low = EloLow(), high = EloHigh();
    std::string text = "Elo " + EloNumber(Elo());
    if (!std::isinf(low) && !std::isinf(high)) text += " +- " + FixedText((high - low) / 2.0, 1);
    return text + " (95 %: " + EloNumber(low) + " .. " + EloNumber(high) + ")";
}

} // namespace quorvin::match
