// A helper of the format tests: the board of a quick preset and its notation.
#pragma once

#include "notation.h"

namespace quorvin::test {

// Builds the geometry of a preset's board and answers its notation; throws for a name that is
// no preset.
TNotation UsePreset(const char* name);

} // namespace quorvin::test
