// The program's help: the page "Quorvin.html" beside the program, opened in the desktop's
// browser. Where no browser can be started (no launcher, or the launcher fails, as on a bare
// machine), the page is shown in a help window of the program instead, so that asking for
// help never silently does nothing.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace quorvin {

// A window of the program that shows an HTML page with its pictures and links.
class THelpWindow : public QDialog {
    Q_OBJECT

  public:
    explicit THelpWindow(QWidget* parent = nullptr);
    void ShowPage(const QString& fileName);
    QTextBrowser& Browser() const { return *HelpBrowser; }

  private:
    QTextBrowser* HelpBrowser = nullptr;
};

// Opens the help page in the browser, falling back on a help window owned by parent. Throws
// std::runtime_error when the page itself is missing.
void OpenHelp(QWidget* parent, const QString& fileName, const QString& title);

// The program that opens a page in the desktop's browser ("xdg-open"); tests name another.
void SetHelpLauncher(const QString& program);

} // namespace quorvin
