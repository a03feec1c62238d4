// Where the settings file lives: beside the program, named after it with ".INI", when that
// folder is writable (a copy run from its build or unpack folder); otherwise in the user's
// configuration folder. The file is read once at start and written once at exit.
#pragma once

#include <QString>

namespace quorvin {

class TIniFile;

// The settings file for a program folder and executable name.
QString SettingsFileNameFor(const QString& programFolder, const QString& executableName,
                            const QString& configFolder);
// The settings file of this program.
QString SettingsFileName();

// Reads the settings file into ini and the settings from it; a missing file leaves the
// defaults. Throws when the file exists but cannot be read.
void LoadSettingsFile(const QString& fileName, TIniFile& ini);
// Writes the settings into ini and saves it. Throws when the file cannot be written.
void SaveSettingsFile(const QString& fileName, TIniFile& ini);

} // namespace quorvin
