// quorvin: the game's executable. Notes the moment the program started, reads the settings
// file, creates the windows (the main window with its options dialog and About box, then the
// splash), puts them into the user's language, keeps the splash up until four seconds after
// the start, then shows the main window (which starts the first game, or the position named
// by "load FILE") and runs the event loop; the settings are written back at exit. Errors of
// the commands are shown by the main window itself; one that escapes anyway still reaches an
// error box here, and the program goes on.
#include "app_resources.h"
#include "ini_file.h"
#include "lang_changer.h"
#include "language_setup.h"
#include "main_form.h"
#include "message_box.h"
#include "settings_file.h"
#include "title_form.h"

#include <QApplication>
#include <QPointer>

#include <chrono>
#include <exception>

namespace {

using namespace quorvin;

class TApplication : public QApplication {
  public:
    using QApplication::QApplication;
    QPointer<TMainForm> MainForm;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            ReportError(Sentence(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            ReportError(TranslateText(QStringLiteral("Unknown error")));
        }
        return false;
    }

    void ReportError(const QString& text) {
        ShowMessage(MainForm, {TranslateText(QStringLiteral("Error")), text, TMessageIcon::Critical,
                               TMessageButtons::Ok});
        if (MainForm) MainForm->RecoverAfterError();
    }
};

} // namespace

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvin"));
    // Lets the desktop match the window with the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvin"));
    InitAppResources();

    const QString iniName = SettingsFileName();
    TIniFile ini;
    try {
        LoadSettingsFile(iniName, ini);
    } catch (const std::exception& e) {
        app.ReportError(QString::fromLocal8Bit(e.what()));
    }

    int result = 0;
    try {
        TMainForm form;
        app.MainForm = &form;
        TTitleForm splash;
        ApplyLanguage(LanguageFileName());
        QStringList arguments = QApplication::arguments();
        arguments.removeFirst();
        form.SetStartArguments(arguments);
        form.RestoreState(ini);
        ShowSplash(splash, start);
        form.show();
        result = QApplication::exec();
        form.SaveState(ini);
        app.MainForm = nullptr;
    } catch (const std::exception& e) {
        app.ReportError(QString::fromLocal8Bit(e.what()));
        return 1;
    }

    try {
        SaveSettingsFile(iniName, ini);
    } catch (const std::exception& e) {
        app.ReportError(QString::fromLocal8Bit(e.what()));
    }
    return result;
}
