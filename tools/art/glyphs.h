// The small pictures of the main window: speed-button glyphs, the side and mover indicator
// pictures, the setup cursors and the program icon.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

namespace quorvin::art {

struct TNamedPicture {
    QString Name; // file name without folder
    QImage Picture;
};

inline constexpr int GlyphSize = 32;

// Every glyph and indicator picture, 32 x 32 with transparency.
std::vector<TNamedPicture> Glyphs();
// The five setup cursors, 32 x 32, hot spot at CursorHotSpot.
std::vector<TNamedPicture> Cursors();
inline constexpr QPoint CursorHotSpot{1, 1};
// The program icon at the given edge length.
QImage ProgramIcon(int size);

} // namespace quorvin::art
