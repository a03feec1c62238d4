// What several windows need from the platform: the program's folder, loading a picture by its
// file type, and the numbered picture names of the board sets and animation frames.
#pragma once

#include <QImage>
#include <QString>

namespace quorvin {

// The folder the program's data is found in, with a trailing "/": the executable's folder
// when it holds "Images", else "../share/quorvin/" beside it (the installed layout).
QString ProgramFolder();
// The same rule for a given executable folder.
QString ProgramFolderOf(const QString& executableFolder);
// Makes ProgramFolder answer `folder` (a trailing "/" is added); an empty string returns to
// the executable's folder. For the developer tools and the tests.
void OverrideProgramFolder(const QString& folder);

// ProgramFolder() + "Images/Board/": where every board picture is read from.
QString BoardPictureFolder();

// Loads a picture by the extension of its name, compared in lower case: ".bmp" through Qt,
// ".jpg" through libjpeg, ".gif" through giflib (the transparent colour kept as alpha 0). Any
// other extension leaves `bitmap` unchanged. A missing or undecodable file throws
// TPictureError naming it, and `bitmap` is then unchanged.
void LoadPicture(QImage& bitmap, const QString& fileName);

// The pattern with its first "?" replaced by n in decimal: ("Used?.jpg", 3) gives "Used3.jpg".
QString NumberedName(const QString& pattern, int n);

} // namespace quorvin
