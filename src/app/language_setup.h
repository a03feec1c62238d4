// The step of the start-up that puts the program into the user's language: the language
// file beside the program is applied to every window that exists by then, the options
// dialog shows its level lists again with the stored levels, and the main window takes the
// program's translated title as its icon text. Messages are translated later, each time one
// is composed.
#pragma once

#include <QString>

namespace quorvin {

// The language file the program reads: "Russian.lng" in the program's folder.
QString LanguageFileName();

// Points the language component at languageFile (a missing file translates nothing) and
// translates the open windows, the program's title and the side names of the messages. Qt's
// application display name stays unset, so that no window title gets the program's name
// appended.
void ApplyLanguage(const QString& languageFile);

} // namespace quorvin
