// Small helpers for reading and quoting the fields of notation, FEN and PDN texts.
#pragma once

#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

// The text without blanks at either end.
inline std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// A whole text read as a decimal number; nothing when any of it is not.
inline std::optional<int> ParseNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return {};
    return value;
}

// A text in double quotes, built by appending (GCC 12 warns wrongly about "x" + string).
inline std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text);
    quoted += '"';
    return quoted;
}

} // namespace quorvin
