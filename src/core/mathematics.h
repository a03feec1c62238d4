// Small numeric helpers shared by the whole engine: a running average for the search's leaf
// depths, the one random generator of the program (seedable, so tests and benchmarks are
// repeatable), and range helpers.
#pragma once

#include <cstdint>

namespace quorvin {

// Running average of the values added to it.
class TSummer {
  public:
    double Sum = 0.0;
    int Count = 0;

    void Add(double x) {
        Sum += x;
        ++Count;
    }
    double Average() const { return Count > 0 ? Sum / Count : 0.0; }
};

// Seeds the process-wide generator; the same seed gives the same sequence on every machine.
void SeedRandom(std::uint64_t seed);

// Seeds the generator from the clock, for play.
void SeedRandomFromClock();

// A uniform random integer in A..B (A <= B).
int RandomBetween(int A, int B);

template <class T> constexpr T Clamp(T x, T lo, T hi) {
    return x < lo ? lo : (x > hi ? hi : x);
}

template <class T> constexpr bool InRange(T x, T lo, T hi) {
    return lo <= x && x <= hi;
}

} // namespace quorvin
