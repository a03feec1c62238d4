// quorvin-cli's Hub engine: the conversation with a draughts GUI (or any program speaking
// Hub version 2) from the "hub" handshake to "quit" or the end of the input. It keeps the
// engine's parameters (the variant and the Disposition switch), the position the GUI set with
// its game record for the draw rules, and the level, and answers every "go" with a search.
#pragma once

#include <ostream>

namespace quorvin::cli {

// Runs the engine on the input file descriptor and the output stream until "quit" or the
// end of the input; answers the exit code.
int RunHubEngine(int input, std::ostream& out);

} // namespace quorvin::cli
