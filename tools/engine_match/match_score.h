// The score of a match and the Elo difference it shows, with a 95 % interval.
//
// Each game scores 1, 1/2 or 0 for the first engine; the mean score s of n games gives the
// Elo difference -400 log10(1/s - 1). Its error comes from the trinomial variance of one
// game's score, sigma^2 = (w (1 - s)^2 + d (1/2 - s)^2 + l s^2) / n, so that the mean's
// standard error is sigma / sqrt(n); the interval is s +- 1.96 standard errors, turned into
// Elo at both ends, and the error quoted is half its width. A score of 0 or 1 (or an end of
// the interval there) has no finite Elo.
#pragma once

#include <string>

namespace quorvin::match {

struct TMatchScore {
    int Wins = 0, Draws = 0, Losses = 0; // of the first engine

    int Games() const { return Wins + Draws + Losses; }
    double Score() const; // the mean, 0..1
    // The Elo difference for the mean score and for the ends of its 95 % interval.
    double Elo() const;
    double EloLow() const;
    double EloHigh() const;
    // "Elo -191.0 +- 94.6 (95 %: -301.2 .. -102.0)", or its infinite forms.
    std::string EloText() const;
};

// The Elo difference of a mean score; infinite at 0 and 1.
double EloOfScore(double score);

} // namespace quorvin::match
