// The program's random generator: splitmix64 with an unbiased bounded draw, chosen over the
// standard distributions so that a seed gives the same moves with every standard library.
#include "mathematics.h"

#include <chrono>

namespace quorvin {

namespace {
std::uint64_t RandomState = 0x9E3779B97F4A7C15ull;

std::uint64_t NextRandom() {
    std::uint64_t z = (RandomState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

void SeedRandom(std::uint64_t seed) {
    RandomState = seed;
}

void SeedRandomFromClock() {
    SeedRandom(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

int RandomBetween(int A, int B) {
    const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(B) - A) + 1;
    // Rejection keeps every value equally likely.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % span;
    std::uint64_t r;
    do {
        r = NextRandom();
    } while (r >= limit);
    return A + static_cast<int>(r % span);
}

} // namespace quorvin
