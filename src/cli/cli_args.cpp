// Parsing of quorvin-cli's arguments; see cli_args.h.
#include "cli_args.h"
#include "game_settings.h"

#include "rules.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace quorvin::cli {

TArgs::TArgs(const std::vector<std::string>& args, const std::set<std::string>& flags,
             const std::set<std::string>& options, std::size_t positionals) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (Loose.size() == positionals) throw TUsageError("unexpected argument \"" + a + "\"");
            Loose.push_back(a);
            continue;
        }
        const std::string name = a.substr(2);
        if (flags.count(name)) {
            Values[name] = "";
            continue;
        }
        if (!options.count(name)) throw TUsageError("unknown option " + a);
        if (i + 1 >= args.size()) throw TUsageError("option --" + name + " needs a value");
        Values[name] = args[++i];
    }
}

bool TArgs::Has(const std::string& name) const {
    return Values.count(name) > 0;
}

std::string TArgs::Text(const std::string& name, const std::string& fallback) const {
    const auto it = Values.find(name);
    return it == Values.end() ? fallback : it->second;
}

long long TArgs::Integer(const std::string& name, long long fallback, long long lo,
                         long long hi) const {
    const auto it = Values.find(name);
    if (it == Values.end()) return fallback;
    char* end = nullptr;
    const long long v = std::strtoll(it->second.c_str(), &end, 10);
    if (it->second.empty() || *end != '\0')
        throw TUsageError("--" + name + " must be a whole number, not \"" + it->second + "\"");
    if (v < lo || v > hi)
        throw TUsageError("--" + name + " must be between " + std::to_string(lo) + " and " +
                          std::to_string(hi) + ", not " + it->second);
    return v;
}

std::set<std::string> BoardOptions(std::set<std::string> own) {
    own.insert({"preset", "rules", "rows", "files"});
    return own;
}

std::set<std::string> BoardFlags(std::set<std::string> own) {
    own.insert("coloring");
    return own;
}

std::string PresetNames() {
    std::string names;
    for (const TPreset& preset : Presets) {
        if (!names.empty()) names += ", ";
        names += preset.Name;
    }
    return names;
}

std::string RulesNumbers() {
    std::string text;
    for (int rules = 0; rules < RulesCount; ++rules) {
        if (!text.empty()) text += ", ";
        text += std::to_string(rules) + " ";
        text += FamilyNames[static_cast<std::size_t>(rules)];
    }
    return text;
}

TPreset PresetNamed(const std::string& name) {
    const auto preset = FindPreset(name);
    if (!preset) throw TUsageError("unknown preset \"" + name + "\" (" + PresetNames() + ")");
    return *preset;
}

TBoardChoice ReadBoardChoice(const TArgs& args) {
    TBoardChoice board;
    if (args.Has("preset")) {
        for (const char* name : {"rules", "rows", "files", "coloring"})
            if (args.Has(name))
                throw TUsageError(std::string("--preset sets the whole board; leave out --") +
                                  name);
        const TPreset preset = PresetNamed(args.Text("preset", ""));
        board = {preset.Rules, preset.Rows, preset.Files, preset.Coloring};
        return board;
    }
    const long long rules = args.Integer("rules", 1, -1000000, 1000000);
    if (rules < 0 || rules >= RulesCount)
        throw TUsageError("unknown rules " + std::to_string(rules) + " (" + RulesNumbers() + ")");
    board.Rules = static_cast<TRules>(rules);
    board.Rows = static_cast<int>(args.Integer("rows", 8, -1000000, 1000000));
    board.Files = static_cast<int>(args.Integer("files", 8, -1000000, 1000000));
    if (board.Rows < 4 || board.Rows > 12 || board.Files < 4 || board.Files > 12)
        throw TUsageError("the board must have 4 to 12 rows and 4 to 12 files, not " +
                          std::to_string(board.Rows) + " x " + std::to_string(board.Files));
    board.Coloring = args.Has("coloring");
    return board;
}

void UseBoard(const TBoardChoice& board) {
    ApplyBoard(board.Rules, board.Rows, board.Files, board.Coloring);
}

} // namespace quorvin::cli
