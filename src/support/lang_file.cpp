// Reading language files and converting their values; see lang_file.h.
#include "lang_file.h"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace quorvin {

namespace {

// The characters of the bytes 0x80..0xFF in Windows-1251. 0x98 has none; like most decoders
// we pass it through as U+0098.
constexpr std::array<char16_t, 128> Windows1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0: А..Я
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0: а..я
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, //
};

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, char16_t c) {
    // The table holds only characters of the Basic Multilingual Plane, so three bytes suffice.
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips the digits at `at`; answers how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at - start;
}

} // namespace

std::string DecodeWindows1251(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x80)
            out += b;
        else
            AppendUtf8(out, Windows1251High[u - 0x80]);
    }
    return out;
}

std::string TrimBlanks(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

std::string ProfileValue(std::string_view raw) {
    std::string value = TrimBlanks(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::vector<std::string> SplitItems(std::string_view value, std::string_view separator) {
    if (separator.empty()) separator = ",";
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = value.find(separator, start);
        if (end == std::string_view::npos) {
            std::string last = TrimBlanks(value.substr(start));
            if (!last.empty()) items.push_back(std::move(last));
            return items;
        }
        items.push_back(TrimBlanks(value.substr(start, end - start)));
        start = end + separator.size();
    }
}

std::optional<int> ParseInteger(std::string_view value) {
    std::string text = TrimBlanks(value);
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.erase(0, 1); // from_chars knows only the minus
    std::size_t at = !plus && !text.empty() && text.front() == '-' ? 1 : 0;
    if (SkipDigits(text, at) == 0 || at != text.size()) return std::nullopt;
    int result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc()) return std::nullopt;
    return result;
}

std::optional<double> ParseFloat(std::string_view value) {
    // The grammar is checked here, so that the conversion below sees only plain numbers: an
    // optional sign, digits with at most one decimal comma (at least one digit in all), then
    // an optional exponent.
    std::string text = TrimBlanks(value);
    for (char& c : text)
        if (c == '.') c = ',';
    std::size_t at = 0;
    std::string number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        if (text[at] == '-') number += '-';
        ++at;
    }
    const std::size_t mantissaStart = at;
    std::size_t digits = SkipDigits(text, at);
    if (at < text.size() && text[at] == ',') {
        ++at;
        digits += SkipDigits(text, at);
    }
    if (digits == 0) return std::nullopt;
    std::string mantissa = text.substr(mantissaStart, at - mantissaStart);
    for (char& c : mantissa)
        if (c == ',') c = '.';
    number += mantissa;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        number += 'e';
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) number += text[at++];
        const std::size_t exponentStart = at;
        if (SkipDigits(text, at) == 0) return std::nullopt;
        number += text.substr(exponentStart, at - exponentStart);
    }
    if (at != text.size()) return std::nullopt;

    double result = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), result);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(result))
        return std::nullopt;
    return result;
}

TLangFileContents TLangFileContents::Read(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return {};
    std::stringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return {};
    return FromBytes(bytes.str());
}

TLangFileContents TLangFileContents::FromBytes(std::string_view bytes) {
    TLangFileContents contents;
    if (bytes.starts_with(Utf8ByteOrderMark))
        contents.Ini.Parse(std::string(bytes.substr(Utf8ByteOrderMark.size())));
    else
        contents.Ini.Parse(DecodeWindows1251(bytes));
    return contents;
}

std::vector<TTranslation> TLangFileContents::Translations() const {
    std::vector<TTranslation> translations;
    for (std::string& key : Ini.Keys(TranslationsSection)) {
        const auto raw = Ini.Read(TranslationsSection, key);
        std::string value = raw ? ProfileValue(*raw) : UnreadableValue;
        translations.push_back({std::move(key), std::move(value)});
    }
    return translations;
}

std::optional<std::string> TLangFileContents::Message(const std::string& text) const {
    if (const auto raw = Ini.Read(MessagesSection, text)) return ProfileValue(*raw);
    return std::nullopt;
}

std::string TLangFileContents::Locale() const {
    const auto raw = Ini.Read(LanguageSection, LocaleKey);
    return raw ? ProfileValue(*raw) : std::string();
}

void TLanguage::SetSeparator(std::string_view separator) {
    ItemSeparator = TrimBlanks(separator).empty() ? std::string(",") : std::string(separator);
}

std::vector<TTranslation> TLanguage::Translations() const {
    if (FileName.empty()) return {};
    return TLangFileContents::Read(FileName).Translations();
}

std::string TLanguage::TranslateText(const std::string& text) const {
    if (FileName.empty()) return text;
    return TLangFileContents::Read(FileName).Message(text).value_or(text);
}

std::string TLanguage::Locale() const {
    if (FileName.empty()) return {};
    return TLangFileContents::Read(FileName).Locale();
}

} // namespace quorvin
