// Deterministic value noise for the procedural textures. The same seed gives the same picture
// on every machine, so regenerating the art changes only what the drawing code changed.
#pragma once

#include <cstdint>

namespace quorvin::art {

class TNoise {
  public:
    explicit TNoise(std::uint32_t seed) : Seed(seed) {}

    // A hash of the lattice point, uniform in [0, 1).
    double Lattice(int x, int y) const;
    // Smoothly interpolated noise in [0, 1).
    double At(double x, double y) const;
    // Sum of `octaves` layers, each twice the frequency and half the amplitude; in [0, 1).
    double Fractal(double x, double y, int octaves) const;
    // Like Fractal but of |2n - 1| per layer: ridged, for cracks and veins.
    double Turbulence(double x, double y, int octaves) const;

  private:
    std::uint32_t Seed;
};

} // namespace quorvin::art
