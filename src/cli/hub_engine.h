// quorvin-cli's Hub engine: the conversation with a draughts GUI (or any program speaking
// Hub version 2) from the "hub" handshake to "quit" or the end of the input. It keeps the
// engine's parameters (the variant, the engine that searches: the master search by default or
// the described one, the master's table size and contempt, and the Disposition switch of the
// described search), the position the GUI set with its game record for the draw rules, and the
// level, and answers every "go" with a search.
//
// The commands are handled by THubSession, which writes its answers to a THubOutput: the
// process's own channel (RunHubEngine), or anything else that collects lines, such as the
// fuzz target's.
#pragma once

#include "game.h"
#include "hub_level.h"
#include "hub_notation.h"
#include "hub_search.h"
#include "master_search.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace quorvin::cli {

// Where the engine's lines go, and who learns that a search runs: while it does, the
// commands that may come during a search (stop, ping, ponder-hit) go to its signals.
class THubOutput {
  public:
    virtual ~THubOutput() = default;
    virtual void Write(const std::string& line) = 0;
    virtual void BeginSearch(THubSignals& signals) = 0;
    virtual void EndSearch() = 0;
};

class THubSession {
  public:
    explicit THubSession(THubOutput& output);

    // Handles one line of the GUI; false once it was "quit". Commands and arguments this
    // engine does not know are ignored, as the protocol asks; a line it cannot take is
    // answered with one error line, and a "go" always ends with a "done" line, with the
    // move when there was one to search for.
    bool Handle(std::string_view text);

  private:
    THubOutput& Output;
    THubBoard Board;
    bool Disposition = false;
    bool Master = true; // the master search answers "go"; else the described one
    std::size_t HashMiB = TMasterTable::DefaultMiB;
    int Contempt = MasterContempt;
    std::unique_ptr<TMasterSearch> MasterSearch; // made at the first search that needs it
    THubLevel Level;
    std::optional<TGame> Game; // the position of the last good "pos", with its record
    THubSignals Signals;

    bool Dispatch(std::string_view word, const THubLine& line);
    void Hello();
    void SetParam(const THubLine& line);
    void Pos(const THubLine& line);
    void Go(const THubLine& line);
};

// Runs the engine on the input file descriptor and the output stream until "quit" or the
// end of the input; answers the exit code.
int RunHubEngine(int input, std::ostream& out);

} // namespace quorvin::cli
