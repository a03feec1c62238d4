// Fuzz target for the language-file reader: any bytes decode to valid UTF-8 that keeps every
// ASCII byte, read as a language file without a fault, and every value converts by the list,
// integer and number rules consistently: items come back from their own joining, a converted
// number reads the same written again.
#include "fuzz_check.h"
#include "lang_file.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace quorvin;

namespace {

bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : 0;
        if (length == 0 || i + length > s.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

std::size_t AsciiCount(std::string_view s) {
    std::size_t n = 0;
    for (const char c : s) n += static_cast<unsigned char>(c) < 0x80;
    return n;
}

bool Trimmed(const std::string& s) {
    return s == TrimBlanks(s);
}

void CheckItems(std::string_view value, std::string_view separator) {
    const auto items = SplitItems(value, separator);
    std::string joined;
    for (const std::string& item : items) {
        Check(Trimmed(item));
        joined += item;
        joined += separator;
    }
    // One-character separators cannot appear inside an item, so splitting the joined items
    // (each followed by the separator, whose empty last item is left out) gives them back.
    if (separator.size() == 1) Check(SplitItems(joined, separator) == items);
}

void CheckValue(std::string_view value) {
    CheckItems(value, ",");
    CheckItems(value, ";");
    CheckItems(value, " | ");
    if (const auto n = ParseInteger(value)) Check(ParseInteger(std::to_string(*n)) == n);
    if (const auto x = ParseFloat(value)) {
        std::string comma(value);
        for (char& c : comma)
            if (c == '.') c = ',';
        Check(ParseFloat(comma) == x);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string text = DecodeWindows1251(bytes);
    Check(ValidUtf8(text));
    Check(AsciiCount(text) == AsciiCount(bytes));

    CheckValue(bytes.substr(0, 64));

    const TLangFileContents contents = TLangFileContents::FromBytes(bytes);
    for (const TTranslation& t : contents.Translations()) {
        // Keys are trimmed of white space as profile files trim them.
        Check(!t.Key.empty() && !std::isspace(static_cast<unsigned char>(t.Key.front())) &&
              !std::isspace(static_cast<unsigned char>(t.Key.back())));
        CheckValue(t.Value);
    }
    for (const char* message : {"White", "Black", "Version", "Set up position|", ""})
        if (const auto translation = contents.Message(message)) CheckValue(*translation);

    TLanguage language;
    const std::string_view separator = bytes.substr(0, 3);
    language.SetSeparator(separator);
    Check(!language.Separator().empty());
    Check(TrimBlanks(separator).empty() ? language.Separator() == ","
                                        : language.Separator() == separator);
    language.SetLangFile(bytes.substr(0, 16));
    Check(Trimmed(language.LangFile()));
    return 0;
}
