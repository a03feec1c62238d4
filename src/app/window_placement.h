// A window's placement in its section of the settings file, under the keys the settings file
// has always used for it: FormVersion, Flags, ShowCmd, PixelsPerInch, MinMaxPos and NormPos
// (left, top, right and bottom of the window with its frame). Restoring puts the window back
// where it was; its size stays the window's own business.
#pragma once

#include <string>

class QWidget;

namespace quorvin {

class TIniFile;

void SavePlacement(const QWidget& window, TIniFile& ini, const std::string& section);
// Moves the window to its stored place. A missing or malformed entry, or a place that no
// screen shows any more, leaves the window where it is.
void RestorePlacement(QWidget& window, const TIniFile& ini, const std::string& section);

} // namespace quorvin
