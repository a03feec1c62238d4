// Reduction of a true-colour picture to a small palette for GIF files. Median cut by variance:
// the box of colours with the largest squared error is split at its mean along its widest
// channel, which keeps smooth shading on the pieces free of visible bands.
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace quorvin::art {

struct TQuantized {
    std::vector<QRgb> Palette;         // opaque colours
    std::vector<std::uint8_t> Indexes; // one per pixel, row by row; only opaque pixels are set
};

// Quantizes the pixels of `image` for which opaque(x, y) is true into at most maxColors colours.
TQuantized Quantize(const QImage& image, const std::vector<bool>& opaque, int maxColors);

} // namespace quorvin::art
