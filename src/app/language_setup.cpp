// The language step of the start-up; see language_setup.h.
#include "language_setup.h"

#include "data_module.h"
#include "geometry.h"
#include "lang_changer.h"
#include "tune_form.h"

#include <QApplication>
#include <QWidget>

namespace quorvin {

QString LanguageFileName() {
    return ProgramFolder() + QStringLiteral("Russian.lng");
}

void ApplyLanguage(const QString& languageFile) {
    LangChanger().SetLangFile(languageFile);
    LangChanger().ApplyTranslations();
    // The level lists got translated items: they show the stored levels again.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* tune = qobject_cast<TTuneForm*>(window)) tune->SyncFromSettings();
    QGuiApplication::setApplicationDisplayName(TranslateText(QStringLiteral("Quorvin")));
    // The side names that the messages of a game's end put in.
    SideNames = {TranslateText(QStringLiteral("White")).toStdString(),
                 TranslateText(QStringLiteral("Black")).toStdString()};
}

} // namespace quorvin
