// Language files for the app tests: a temporary file written byte for byte as a test wants
// it, the texts a window shows, and the check that a window's text table reaches its widgets.
#pragma once

#include "lang_file.h"

#include <QStringList>
#include <QTemporaryDir>

#include <span>
#include <string>
#include <string_view>

class QWidget;

namespace quorvin::test {

// A language file in a folder of its own, removed with the object.
class TTempLangFile {
  public:
    void Write(const std::string& bytes) const;
    QString Path() const { return Folder.filePath(QStringLiteral("Test.lng")); }

  private:
    QTemporaryDir Folder;
};

// Every text the window shows or tells: its caption, the texts of its labels, buttons, group
// boxes, menus and actions, tab captions, combo box entries, and tool tips.
QStringList WindowTexts(const QWidget& window);

// Gives every entry of table a translation "<n>:<English>" for the window formName and applies
// it through the program's language component: each translation must show on the window and
// no English text of the table may remain.
void ExpectEveryTextTranslates(QWidget& window, std::string_view formName,
                               std::span<const TWindowText> table);

} // namespace quorvin::test
