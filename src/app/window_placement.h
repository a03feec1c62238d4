// The placement keys that every stored window writes into its own section of the settings
// file (FormVersion, Flags, ShowCmd, PixelsPerInch, MinMaxPos and NormPos: left, top, right
// and bottom of the window with its frame), in the formats the file has always had, so that
// the main window and the dialogs store their places alike.
#pragma once

#include <QRect>

#include <optional>
#include <string>

class QWidget;

namespace quorvin {

class TIniFile;

// Writes the placement of a normally shown window whose frame is `frame`; without a frame
// (a window never placed) NormPos is left as it was.
void WritePlacement(TIniFile& ini, const std::string& section, const std::optional<QRect>& frame,
                    int pixelsPerInch);

// The frame stored under NormPos as "left,top,right,bottom", when present and well-formed.
std::optional<QRect> ReadNormalPosition(const TIniFile& ini, const std::string& section);

// A window's place as it stands, and back: restoring moves the window to its stored place,
// unless the entry is missing or malformed or no screen shows that place any more. Its size
// stays the window's own business.
void SavePlacement(const QWidget& window, TIniFile& ini, const std::string& section);
void RestorePlacement(QWidget& window, const TIniFile& ini, const std::string& section);

} // namespace quorvin
