// TLangChanger puts a language file onto the windows: each key "FormName.Path" of the file's
// "Translations" names a window (objectName "T" + FormName, any letter case), optionally one
// of its components by objectName, then a property and, for object properties, properties of
// that object ("MainForm.NExit.Caption", "TuneForm.OpponentComboBox.Items",
// "MainForm.Font.Charset"). The property names are those of the window layouts ("Caption",
// "Hint", "Items", "Lines", "Width", ...); one table in lang_changer.cpp maps them onto Qt,
// and any other name reaches a Qt property of the same name. Whatever leads nowhere is
// skipped without a word: a language file can only ever leave English text in place.
//
// TranslateText gives the translation of a message the program composes, through the one
// instance LangChanger() that the data module points at the language file.
#pragma once

#include "lang_file.h"

#include <QObject>
#include <QString>

class QWidget;

namespace quorvin {

class TLangChanger : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString LangFile READ LangFile WRITE SetLangFile)
    Q_PROPERTY(QString Separator READ Separator WRITE SetSeparator)

  public:
    explicit TLangChanger(QObject* parent = nullptr);

    // Path of the language file, trimmed of blanks; empty translates nothing.
    QString LangFile() const;
    void SetLangFile(const QString& fileName);
    // Separates the items of list values; "," by default and for a value that trims to empty.
    QString Separator() const;
    void SetSeparator(const QString& separator);

    // Applies "Translations" to target, or without one to every top-level widget that exists
    // now, shown or hidden (QApplication::topLevelWidgets()). Windows made later stay as
    // they are.
    void ApplyTranslations(QWidget* target = nullptr) const;
    // Sets the property that path names below root to value, converted by the property's
    // type: text, integer, number (decimal comma or dot) or list (items split at Separator).
    // A value of the wrong form or a path that leads nowhere changes nothing.
    void SetPropertyPath(QObject* root, const QString& path, const QString& value) const;
    // The translation from "Messages", or text itself; reads the file at every call.
    QString TranslateText(const QString& text) const;
    // The locale the language file is written in ("ru"), from its section "Language"; empty
    // when the file names none.
    QString Locale() const;

  private:
    TLanguage Language;
};

// The English text of a window's text table as a QString.
inline QString EnglishText(const TWindowText& text) {
    return QString::fromUtf8(text.English.data(), qsizetype(text.English.size()));
}

// The program's one language component, which any window may ask for translations.
TLangChanger& LangChanger();
// LangChanger().TranslateText(text).
QString TranslateText(const QString& text);
// A message the window composes, by its English text in UTF-8.
QString Translated(const char* text);

} // namespace quorvin
