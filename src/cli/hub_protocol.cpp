// The Hub line syntax; see hub_protocol.h.
#include "hub_protocol.h"

#include <cctype>

namespace quorvin::cli {

namespace {
bool Blank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
} // namespace

bool THubLine::Has(std::string_view name) const {
    for (const TArg& a : Args)
        if (a.Name == name) return true;
    return false;
}

std::optional<std::string> THubLine::Value(std::string_view name) const {
    for (const TArg& a : Args)
        if (a.Name == name) return a.HasValue ? a.Value : std::string();
    return std::nullopt;
}

THubLine ParseHubLine(std::string_view text) {
    THubLine line;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (i < n && Blank(text[i])) ++i;
    };
    skipBlanks();
    const std::size_t start = i;
    while (i < n && !Blank(text[i])) ++i;
    line.Command = std::string(text.substr(start, i - start));

    for (;;) {
        skipBlanks();
        if (i >= n) break;
        THubLine::TArg arg;
        const std::size_t nameStart = i;
        while (i < n && !Blank(text[i]) && text[i] != '=') ++i;
        arg.Name = std::string(text.substr(nameStart, i - nameStart));
        if (arg.Name.empty()) throw THubError("an argument has no name");
        // Blanks may stand around the '='.
        std::size_t after = i;
        while (after < n && Blank(text[after])) ++after;
        if (after < n && text[after] == '=') {
            i = after + 1;
            skipBlanks();
            arg.HasValue = true;
            if (i < n && text[i] == '"') {
                const std::size_t close = text.find('"', i + 1);
                if (close == std::string_view::npos)
                    throw THubError("the value of " + arg.Name + " has no closing quote");
                arg.Value = std::string(text.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < n && !Blank(text[i])) ++i;
                arg.Value = std::string(text.substr(valueStart, i - valueStart));
            }
        }
        line.Args.push_back(std::move(arg));
    }
    return line;
}

std::string HubValue(std::string_view value) {
    std::string text(value);
    bool quote = text.empty();
    for (char& c : text) {
        if (c == '"') c = '\'';
        if (Blank(c) || c == '=') quote = true;
    }
    if (!quote) return text;
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string FormatHubLine(std::string_view command,
                          const std::vector<std::pair<std::string, std::string>>& args) {
    std::string line(command);
    for (const auto& [name, value] : args) {
        line += ' ';
        line += name;
        line += '=';
        line += HubValue(value);
    }
    return line;
}

std::string_view HubCommandWord(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && Blank(text[i])) ++i;
    std::size_t end = i;
    while (end < text.size() && !Blank(text[end])) ++end;
    return text.substr(i, end - i);
}

} // namespace quorvin::cli
