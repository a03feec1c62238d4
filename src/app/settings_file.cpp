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

QString SettingsFileNameFor(const QString& programFolder, const QString& executableName,
                            const QString& configFolder) {
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable())
        return QDir(programFolder).filePath(executableName + QStringLiteral(".INI"));
    return QDir(configFolder).filePath(QStringLiteral("quorvin/quorvin.INI"));
}

QString SettingsFileName() {
    return SettingsFileNameFor(
        ProgramFolder(), QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
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
