// The square pictures of the five board sets, drawn procedurally: brushed metal ("Techno"),
// oak ("Wood"), polished marble ("Polish"), mahogany ("Mahogany") and woven cloth ("Cloth").
// Each set has a light and a dark picture that stay clearly apart at any cell size.
#pragma once

#include <QImage>

namespace quorvin::art {

inline constexpr int SetCount = 5;

// The 89 x 89 picture of a light (dark = false) or dark square of the given set 0..4.
QImage SquarePicture(int set, bool dark);

// A wide mahogany panel with the grain running along its width, for the splash's table.
QImage MahoganyPanel(int width, int height);

} // namespace quorvin::art
