// The settings file; see settings_file.h.
#include "settings_file.h"

#include "data_module.h"
#include "ini_file.h"
#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvin {

QString SettingsFileNameFor(const QString& programFolder, const QString& executableFolder,
                            const QString& executableName, const QString& configFolder) {
    // Whether the executable's folder is writable says nothing about whether it is an
    // installation (a prefix under $HOME is writable too); whether it holds the data does.
    const QFileInfo program(programFolder), executable(executableFolder);
    const bool ownFolder = program.isDir() && executable.isDir() &&
                           program.canonicalFilePath() == executable.canonicalFilePath();
    // A portable copy unpacked where it may not write keeps its settings with the user's.
    if (ownFolder && executable.isWritable())
        return QDir(executableFolder).filePath(executableName + QStringLiteral(".INI"));
    return QDir(configFolder).filePath(QStringLiteral("quorvin/quorvin.INI"));
}

QString SettingsFileName() {
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    return SettingsFileNameFor(
        ProgramFolder(), executable.absolutePath(), executable.completeBaseName(),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

void LoadSettingsFile(const QString& fileName, TIniFile& ini) {
    ini.Load(QFile::encodeName(fileName).toStdString());
    Settings().Load(ini);
}

void SaveSettingsFile(const QString& fileName, TIniFile& ini) {
    Settings().Save(ini);
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    ini.Save(QFile::encodeName(fileName).toStdString());
}

} // namespace quorvin
