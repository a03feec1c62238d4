// Shared set-up of the app tests: the pictures of the build folder, a board of given rules
// with its position, and picture comparisons.
#pragma once

#include "position.h"
#include "settings.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

namespace quorvin::test {

// The build folder, which holds the copied "Images".
QString BuildFolder();
// A picture of Images/Board/ as the game decodes it.
QImage BoardPicture(const QString& name);

// Default settings, the pictures of the build folder, and the given board.
void ResetApp(TRules rules = TRules::International, int rows = 8, int files = 8,
              bool coloring = false);
// An empty position of the rules in force, White to move.
std::unique_ptr<TPosition> EmptyPosition();
// The square at (file, row) of the current board, 1-based from White's near-left corner; 0
// when that cell is not playable.
int SquareOf(int file, int row);

// The part of a picture inside rect.
QImage Part(const QImage& image, const QRect& rect);
// The number of pixels in which two pictures of equal size differ.
int DifferingPixels(const QImage& a, const QImage& b);

} // namespace quorvin::test
