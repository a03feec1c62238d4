// Writing a whole file so that it is either the old one or the new one, never a half-written
// mix: the settings, position files and game files a person keeps.
#pragma once

#include <string>

namespace quorvin {

// Writes text to fileName through a temporary file in the same folder and a rename. Throws
// std::runtime_error naming fileName (never the temporary file) when it cannot be written.
void WriteFileAtomically(const std::string& fileName, const std::string& text);

} // namespace quorvin
