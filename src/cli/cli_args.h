// Command-line arguments of quorvin-cli: "--name value" options and flags, and the board
// selection shared by every command (--preset, or --rules/--rows/--files/--coloring).
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
    // flags: the options that take no value.
    TArgs(const std::vector<std::string>& args, const std::set<std::string>& flags);

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

// Reads --preset or --rules/--rows/--files/--coloring; throws TUsageError when invalid.
TBoardChoice ReadBoardChoice(const TArgs& args);
// Applies the board to the settings and the geometry.
void UseBoard(const TBoardChoice& board);

} // namespace quorvin::cli
