// Language files: an INI file in Windows-1251 whose section "Translations" replaces the texts
// of the windows (keys "FormName.Path") and whose section "Messages" translates the messages
// the program composes (keys = the English texts). A third, optional section "Language" says
// in its key "Locale" which language the file is written in ("ru"), so that Qt's own texts
// (the buttons of message boxes, the file dialogs) can speak it too; the file says it rather
// than its name, since a translation into any language is used under the name Russian.lng.
// This is the part that needs no windows:
// reading and decoding the file, the rules of LangFile and Separator, and turning a value
// into a list, an integer or a number. The Qt side (lang_changer.h) sets the properties.
#pragma once

#include "ini_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

inline constexpr const char* TranslationsSection = "Translations";
inline constexpr const char* MessagesSection = "Messages";
inline constexpr const char* LanguageSection = "Language";
inline constexpr const char* LocaleKey = "Locale";
// What a translation reads as its value when the value cannot be read.
inline constexpr const char* UnreadableValue = "<-- Error -->";

// Windows-1251 bytes as UTF-8. Every byte has a character, so any input decodes.
std::string DecodeWindows1251(std::string_view bytes);

// The text without the blanks (and control characters) at either end.
std::string TrimBlanks(std::string_view text);
// A value as profile files give it: trimmed, and without one pair of matching quotes (" or ')
// around it, which is how a value keeps blanks at its ends.
std::string ProfileValue(std::string_view raw);

// The items of a string-list value: the parts between separators, each trimmed of blanks; an
// empty last item is left out, so "a, b ,c," gives a, b and c. An empty separator counts as ",".
std::vector<std::string> SplitItems(std::string_view value, std::string_view separator);
// A decimal integer with an optional sign and blanks around it; nothing when the value is no
// integer of the int range.
std::optional<int> ParseInteger(std::string_view value);
// A number written with a decimal comma; a "." counts as a comma, so "1.5" and "1,5" both give
// 1.5. An exponent is allowed ("2,5E3"). Nothing when the value is no finite number.
std::optional<double> ParseFloat(std::string_view value);

// A text built into a window in English, with the path a language file names it by after
// "FormName." ("OKBitBtn.Caption"; "Caption" for the window's own caption). Each window keeps
// its texts in one table of these, so that they can be listed for translators and tests.
struct TWindowText {
    std::string_view Path;
    std::string_view English;
};

struct TTranslation {
    std::string Key; // FormName.Path
    std::string Value;
};

// One language file read into memory and decoded. A file that starts with the UTF-8 byte
// order mark is taken as UTF-8 as it stands.
class TLangFileContents {
  public:
    // A missing or unreadable file gives empty contents.
    static TLangFileContents Read(const std::string& fileName);
    static TLangFileContents FromBytes(std::string_view bytes);

    // The keys of "Translations" in file order, each with its value (UnreadableValue when the
    // value cannot be read).
    std::vector<TTranslation> Translations() const;
    // The translation of an English message text from "Messages".
    std::optional<std::string> Message(const std::string& text) const;
    // The locale name of "Language" -> "Locale" ("ru", "pt_BR"), trimmed; empty when the file
    // does not name one.
    std::string Locale() const;

  private:
    TIniFile Ini;
};

// The two settings of the language component and what it reads through them.
class TLanguage {
  public:
    // Empty means: translate nothing.
    const std::string& LangFile() const { return FileName; }
    void SetLangFile(std::string_view fileName) { FileName = TrimBlanks(fileName); }

    // Separates the items of string-list values: "," by default and in place of a value that
    // trims to empty; any other value is kept as it is, blanks included.
    const std::string& Separator() const { return ItemSeparator; }
    void SetSeparator(std::string_view separator);

    // The translations to apply to the windows; none when LangFile is empty or missing.
    std::vector<TTranslation> Translations() const;
    // The translation of text from "Messages", or text itself. The file is read at every call:
    // a message is translated only now and then, and the file is small.
    std::string TranslateText(const std::string& text) const;
    // The locale the file is written in; empty when LangFile is empty, missing or names none.
    std::string Locale() const;
    std::vector<std::string> Items(std::string_view value) const {
        return SplitItems(value, ItemSeparator);
    }

  private:
    std::string FileName;
    std::string ItemSeparator = ",";
};

} // namespace quorvin
