// The line syntax of the Hub protocol: a command word followed by "name=value" arguments and
// bare flags, values in double quotes when they hold a space or an '=' or are empty. Both
// directions use it: the engine reads the GUI's commands with ParseHubLine and writes its
// answers with FormatHubLine; the match driver does the reverse.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvin::cli {

// A line that breaks the syntax, or a command whose arguments make no sense; the text is the
// message the engine answers with.
struct THubError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct THubLine {
    std::string Command; // empty for a blank line
    // In the order written; a flag has an empty value and HasValue false.
    struct TArg {
        std::string Name;
        std::string Value;
        bool HasValue = false;
    };
    std::vector<TArg> Args;

    // Whether the argument is present, as a flag or with a value.
    bool Has(std::string_view name) const;
    // The value of the first argument of that name; empty when absent or a bare flag.
    std::optional<std::string> Value(std::string_view name) const;
};

// Splits a line; throws THubError on an unclosed quote or an argument without a name.
THubLine ParseHubLine(std::string_view text);

// A value as written on a line: quoted when it is empty or holds a blank or an '='. A double
// quote cannot be written inside a value, so one is replaced by a single quote.
std::string HubValue(std::string_view value);

// "command name=value ...", each value passed through HubValue.
std::string FormatHubLine(std::string_view command,
                          const std::vector<std::pair<std::string, std::string>>& args);

// The first word of a line, without parsing the rest: what the reader thread looks at to
// route the commands that may come during a search.
std::string_view HubCommandWord(std::string_view text);

} // namespace quorvin::cli
