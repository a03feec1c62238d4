// Value noise; see noise.h.
#include "noise.h"

#include <cmath>

namespace quorvin::art {

double TNoise::Lattice(int x, int y) const {
    std::uint32_t h = Seed * 0x9E3779B1u;
    h ^= std::uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= std::uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return double(h >> 8) / double(1u << 24);
}

double TNoise::At(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    const double u = fade(x - fx), v = fade(y - fy);
    const double a = Lattice(ix, iy), b = Lattice(ix + 1, iy);
    const double c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
    return (a + (b - a) * u) * (1 - v) + (c + (d - c) * u) * v;
}

double TNoise::Fractal(double x, double y, int octaves) const {
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * At(x, y);
        total += amplitude;
        x = x * 2 + 17.3;
        y = y * 2 + 9.1;
        amplitude *= 0.5;
    }
    return sum / total;
}

double TNoise::Turbulence(double x, double y, int octaves) const {
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * std::fabs(2 * At(x, y) - 1);
        total += amplitude;
        x = x * 2 + 31.7;
        y = y * 2 + 5.3;
        amplitude *= 0.5;
    }
    return sum / total;
}

} // namespace quorvin::art
