// The step of the start-up that puts the program into the user's language: the language
// file beside the program is applied to every window that exists by then, the options
// dialog shows its level lists again with the stored levels, the main window takes the
// program's translated title as its icon text, and Qt's own texts follow the language the
// file names. Messages are translated later, each time one is composed.
#pragma once

#include <QString>

namespace quorvin {

// The language file the program reads: "Russian.lng" in the program's folder.
QString LanguageFileName();

// Points the language component at languageFile (a missing file translates nothing) and
// translates the open windows, the program's title, the side names of the messages and, with
// Qt's catalogues for the file's locale, Qt's own texts. Qt's application display name stays
// unset, so that no window title gets the program's name appended.
void ApplyLanguage(const QString& languageFile);

} // namespace quorvin
