// File dialogs through a replaceable handler; see file_dialog.h.
#include "file_dialog.h"

#include "data_module.h"

#include <QDir>
#include <QFileDialog>

namespace quorvin {

namespace {

TFileDialogHandler& Handler() {
    static TFileDialogHandler handler;
    return handler;
}

// The folder the next dialog opens in: where the last file was chosen, at first the
// positions shipped with the program.
QString& LastFolder() {
    static QString folder;
    return folder;
}

QString StartFolder() {
    if (!LastFolder().isEmpty() && QDir(LastFolder()).exists()) return LastFolder();
    const QString shipped = ProgramFolder() + QStringLiteral("Positions");
    return QDir(shipped).exists() ? shipped : QDir::homePath();
}

} // namespace

QString AskFileName(QWidget* parent, const TFileDialogRequest& request) {
    if (Handler()) return Handler()(request);
    const bool save = request.Kind == TFileDialogKind::Save;
    QFileDialog dialog(parent, QString(), StartFolder(), request.Filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    LastFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
}

void SetFileDialogHandler(TFileDialogHandler handler) {
    Handler() = std::move(handler);
}

} // namespace quorvin
