// Qt's own texts in the language of the language file. The buttons Qt gives the message boxes
// (Yes, No, OK), the whole file dialog and the menus of text fields are Qt's, not the
// program's: a language file cannot reach them, but Qt's translation catalogues can. Debian
// installs them (package qt6-translations-l10n) in Qt's translations folder, one file per
// module and language ("qtbase_ru.qm").
#pragma once

#include <QString>

namespace quorvin {

// Puts Qt's catalogues for the locale named ("ru", "pt_BR") into use, in place of the ones put
// into use before, and makes that locale Qt's default, so that the sizes and dates of the file
// dialog are written in its way too. An empty locale, or one Qt ships no catalogue for, leaves
// Qt's texts in English and its default locale as it was at the start. Answers how many
// catalogues are in use now.
int UseQtCatalogues(const QString& locale);

// Where the catalogues are read from: Qt's translations folder.
QString QtCatalogueFolder();

} // namespace quorvin
