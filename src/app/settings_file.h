// Where the settings file lives: beside the program, named after it with ".INI", when the
// program runs from a folder that holds its own data (a build folder or an unpacked portable
// copy) and may write there; otherwise in the user's configuration folder, so that an
// installed copy never writes into its installation, even a user-writable one. The file is read
// once at start and written once at exit.
#pragma once

#include <QString>

namespace quorvin {

class TIniFile;

// The settings file for a program whose data lies in `programFolder` (as ProgramFolder
// answers) and whose executable lies in `executableFolder`.
QString SettingsFileNameFor(const QString& programFolder, const QString& executableFolder,
                            const QString& executableName, const QString& configFolder);
// The settings file of this program.
QString SettingsFileName();

// Reads the settings file into ini and the settings from it; a missing file leaves the
// defaults. Throws when the file exists but cannot be read.
void LoadSettingsFile(const QString& fileName, TIniFile& ini);
// Writes the settings into ini and saves it. Throws when the file cannot be written.
void SaveSettingsFile(const QString& fileName, TIniFile& ini);

} // namespace quorvin
