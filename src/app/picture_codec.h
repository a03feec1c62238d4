// Decoding the board's picture files with the libraries they were made for: JPEG through
// libjpeg(-turbo) and GIF through giflib, both called directly. Files are read through QFile,
// so resource paths (":/...") work as well as ordinary ones.
#pragma once

#include <QImage>
#include <QString>

namespace quorvin {

// A 24-bit picture (QImage::Format_RGB32). Throws TPictureError naming the file.
QImage DecodeJpeg(const QString& fileName);

// The first image of a GIF file on its logical screen. With a transparent colour the result
// is QImage::Format_ARGB32 whose transparent pixels have alpha 0 and keep the palette's
// transparent colour in their red, green and blue; without one it is Format_RGB32.
// Throws TPictureError naming the file.
QImage DecodeGif(const QString& fileName);

} // namespace quorvin
