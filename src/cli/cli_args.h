// Command-line arguments of quorvin-cli: "--name value" options and flags, and the board
// selection shared by the commands that play on a board (--preset, or
// --rules/--rows/--files/--coloring). Each command names the options it knows, so that a
// mistyped one is reported instead of quietly leaving a default in force.
#pragma once

#include "settings.h"

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvin::cli {

// A usage error: printed with its message, exit code 2.
struct TUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class TArgs {
  public:
    // flags: the options that take no value; options: those that take one; positionals:
    // how many plain arguments the command takes at most. Anything else is a usage error.
    TArgs(const std::vector<std::string>& args, const std::set<std::string>& flags,
          const std::set<std::string>& options, std::size_t positionals = 0);

    bool Has(const std::string& name) const;
    std::string Text(const std::string& name, const std::string& fallback) const;
    long long Integer(const std::string& name, long long fallback, long long lo,
                      long long hi) const;
    const std::vector<std::string>& Positional() const { return Loose; }

  private:
    std::map<std::string, std::string> Values;
    std::vector<std::string> Loose;
};

struct TBoardChoice {
    TRules Rules = TRules::International;
    int Rows = 8;
    int Files = 8;
    bool Coloring = false;
};

// The options of the board selection, added to a command's own: BoardOptions take a value,
// BoardFlags do not.
std::set<std::string> BoardOptions(std::set<std::string> own);
std::set<std::string> BoardFlags(std::set<std::string> own);

// The preset names as the usage text lists them: "vorna, brazilian, ..., italian".
std::string PresetNames();
// The rule families by their --rules number: "0 Vorna, 1 International draughts, ...".
std::string RulesNumbers();
// The preset of that name; throws TUsageError naming the presets for any other name.
TPreset PresetNamed(const std::string& name);

// Reads --preset or --rules/--rows/--files/--coloring; throws TUsageError when invalid or
// when a preset is given together with any of the others, which it would override.
TBoardChoice ReadBoardChoice(const TArgs& args);
// Applies the board to the settings and the geometry.
void UseBoard(const TBoardChoice& board);

} // namespace quorvin::cli
