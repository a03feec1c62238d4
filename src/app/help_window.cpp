// The help page in the browser or in a help window; see help_window.h.
#include "help_window.h"

#include <QFileInfo>
#include <QProcess>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <stdexcept>

namespace quorvin {

namespace {

QString& Launcher() {
    static QString program = QStringLiteral("xdg-open");
    return program;
}

constexpr QSize HelpWindowSize(760, 640);

} // namespace

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("THelpWindow"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    HelpBrowser = new QTextBrowser(this);
    HelpBrowser->setObjectName(QStringLiteral("HelpTextBrowser"));
    HelpBrowser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(HelpBrowser);
    resize(HelpWindowSize);
}

void THelpWindow::ShowPage(const QString& fileName) {
    // The page's own folder resolves its pictures and its links to other pages.
    HelpBrowser->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    show();
    raise();
    activateWindow();
}

void OpenHelp(QWidget* parent, const QString& fileName, const QString& title) {
    if (!QFileInfo::exists(fileName))
        throw std::runtime_error("The help file " + fileName.toStdString() + " is missing");
    auto showInWindow = [parent, fileName, title] {
        auto* window = parent->findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!window) window = new THelpWindow(parent);
        window->setWindowTitle(title);
        window->ShowPage(fileName);
    };
    // The launcher returns once the browser has the page; a launcher that cannot start or
    // reports a failure leaves the page to the program's own window.
    auto* launcher = new QProcess(parent);
    QObject::connect(launcher, &QProcess::errorOccurred, parent,
                     [launcher, showInWindow](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         launcher->deleteLater();
                         showInWindow();
                     });
    QObject::connect(launcher, &QProcess::finished, parent,
                     [launcher, showInWindow](int code, QProcess::ExitStatus status) {
                         launcher->deleteLater();
                         if (status != QProcess::NormalExit || code != 0) showInWindow();
                     });
    launcher->start(Launcher(), {QUrl::fromLocalFile(fileName).toString()});
}

void SetHelpLauncher(const QString& program) {
    Launcher() = program.isEmpty() ? QStringLiteral("xdg-open") : program;
}

} // namespace quorvin
