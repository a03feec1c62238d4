// The board of a quick preset; see preset_boards.h.
#include "preset_boards.h"

#include "rules.h"
#include "test_boards.h"

#include <stdexcept>
#include <string>

namespace quorvin::test {

TNotation UsePreset(const char* name) {
    const auto preset = FindPreset(name);
    if (!preset) throw std::invalid_argument(std::string("no preset ") + name);
    UseBoard(preset->Rows, preset->Files, preset->Coloring);
    return TNotation::ForPreset(*preset);
}

} // namespace quorvin::test
