// quorvin: the game's executable. Reads the settings file, opens the main window (which
// starts the first game, or the position named by "load FILE"), runs the event loop and
// writes the settings back at exit. An error that escapes a command is shown in a message
// box and the program goes on.
#include "app_resources.h"
#include "ini_file.h"
#include "main_form.h"
#include "message_box.h"
#include "settings_file.h"

#include <QApplication>
#include <QPointer>

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
            ReportError(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            ReportError(QStringLiteral("Unknown error"));
        }
        return false;
    }

    void ReportError(const QString& text) {
        ShowMessage(MainForm,
                    {QStringLiteral("Error"), text, TMessageIcon::Critical, TMessageButtons::Ok});
        if (MainForm) MainForm->RecoverAfterError();
    }
};

} // namespace

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvin"));
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
        QStringList arguments = QApplication::arguments();
        arguments.removeFirst();
        form.SetStartArguments(arguments);
        form.RestoreState(ini);
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
