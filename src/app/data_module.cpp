// The program folder, picture loading and numbered names; see data_module.h.
#include "data_module.h"

#include "picture_codec.h"
#include "picture_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quorvin {

namespace {

QString& Override() {
    static QString folder;
    return folder;
}

QString WithSeparator(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

QString ProgramFolderOf(const QString& executableFolder) {
    const QDir exe(executableFolder);
    if (exe.exists(QStringLiteral("Images"))) return WithSeparator(exe.absolutePath());
    return WithSeparator(QDir::cleanPath(exe.absoluteFilePath(QStringLiteral("../share/quorvin"))));
}

QString ProgramFolder() {
    if (!Override().isEmpty()) return Override();
    static const QString folder = ProgramFolderOf(QCoreApplication::applicationDirPath());
    return folder;
}

void OverrideProgramFolder(const QString& folder) {
    Override() = folder.isEmpty() ? QString() : WithSeparator(folder);
}

QString BoardPictureFolder() {
    return ProgramFolder() + QStringLiteral("Images/Board/");
}

void LoadPicture(QImage& bitmap, const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("jpg")) {
        bitmap = DecodeJpeg(fileName);
    } else if (extension == QLatin1String("gif")) {
        bitmap = DecodeGif(fileName);
    } else if (extension == QLatin1String("bmp")) {
        if (!QFileInfo::exists(fileName))
            throw TPictureError(fileName, QStringLiteral("the file does not exist"));
        QImage loaded;
        if (!loaded.load(fileName, "BMP"))
            throw TPictureError(fileName, QStringLiteral("the file is not a readable bitmap"));
        bitmap = loaded;
    }
}

QString NumberedName(const QString& pattern, int n) {
    QString name = pattern;
    const qsizetype at = name.indexOf('?');
    if (at >= 0) name.replace(at, 1, QString::number(n));
    return name;
}

} // namespace quorvin
