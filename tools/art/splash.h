// The start-up picture: a wooden board in perspective on a table under a pale sky, leaving
// the upper part calm for the program's name and motto that the splash window writes on it.
#pragma once

#include <QImage>

namespace quorvin::art {

inline constexpr int SplashWidth = 640;
inline constexpr int SplashHeight = 399;

QImage SplashPicture();

} // namespace quorvin::art
