// The step of the start-up that puts the program into the user's language: the language
// file beside the program is applied to every window that exists by then, the options
// dialog shows its level lists again with the stored levels, and the application takes its
// translated title. Messages are translated later, each time one is composed.
#pragma once

#include <QString>

namespace quorvin {

// The language file the program reads: "Russian.lng" in the program's folder.
QString LanguageFileName();

// Points the language component at languageFile (a missing file translates nothing) and
// translates the open windows, the application title and the side names of the messages.
void ApplyLanguage(const QString& languageFile);

} // namespace quorvin
