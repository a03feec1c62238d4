// Writers for the two picture formats the board reads: JPEG through libjpeg and GIF through
// giflib. The game decodes its pictures with the same two libraries, so writing them here with
// the libraries themselves keeps the files to exactly what those decoders expect.
#pragma once

#include <QImage>
#include <QString>

namespace quorvin::art {

// Writes the image as a baseline 24-bit JPEG; throws std::runtime_error on failure.
void WriteJpeg(const QImage& image, const QString& path, int quality);

// Writes the image as a GIF with at most 255 colours; pixels whose alpha is below one half
// become the transparent colour, whose palette entry is transparentRgb. Throws on failure.
void WriteGif(const QImage& image, const QString& path, QRgb transparentRgb);

} // namespace quorvin::art
