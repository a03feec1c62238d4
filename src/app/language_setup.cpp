// The language step of the start-up; see language_setup.h.
#include "language_setup.h"

#include "data_module.h"
#include "geometry.h"
#include "lang_changer.h"
#include "main_form.h"
#include "qt_catalogues.h"
#include "tune_form.h"

#include <QApplication>
#include <QWidget>

namespace quorvin {

QString LanguageFileName() {
    return ProgramFolder() + QStringLiteral("Russian.lng");
}

void ApplyLanguage(const QString& languageFile) {
    LangChanger().SetLangFile(languageFile);
    // Qt's own texts (message box buttons, file dialogs) in the language the file names.
    UseQtCatalogues(LangChanger().Locale());
    LangChanger().ApplyTranslations();
    // The level lists got translated items: they show the stored levels again.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* tune = qobject_cast<TTuneForm*>(window)) tune->SyncFromSettings();
    // The program's title names the main window where the desktop lists it minimised (its icon
    // text). It is deliberately not Qt's application display name: Qt's X11 platform appends
    // that name to every window title that does not end with it ("Options — Quorvin"), and
    // each window, dialog and message box carries exactly its own caption.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TMainForm*>(window))
            window->setWindowIconText(TranslateText(QStringLiteral("Quorvin")));
    // The side names that the messages of a game's end put in.
    SideNames = {TranslateText(QStringLiteral("White")).toStdString(),
                 TranslateText(QStringLiteral("Black")).toStdString()};
}

} // namespace quorvin
