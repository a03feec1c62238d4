// The two directions of a Hub conversation. A reader thread takes the GUI's lines off the
// input as they come and queues them for the engine, except while a search runs: then it
// answers "ping" itself and passes "stop" and "ponder-hit" straight to the search's signals,
// since the engine's thread is busy searching. Lines written by either thread go out whole
// and are flushed one by one.
#pragma once

#include "hub_search.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

namespace quorvin::cli {

class THubChannel {
  public:
    // Starts reading the input file descriptor at once. The reader thread is joined when the
    // input has ended, and otherwise left blocked in its read when the channel goes, as after
    // "quit" (the process then ends). It reads the descriptor directly rather than through a
    // stream, so that it holds no lock of the C library while it waits.
    THubChannel(int input, std::ostream& out);
    ~THubChannel();
    THubChannel(const THubChannel&) = delete;
    THubChannel& operator=(const THubChannel&) = delete;

    void Write(const std::string& line);
    // The next line for the engine, waiting for one; empty at the end of the input.
    std::optional<std::string> Next();

    // From here to EndSearch, stop, ping and ponder-hit go to the search: the signals are
    // cleared, then those already queued behind the "go" are taken at once. "quit" and the
    // end of the input also stop the search, and stay queued for the engine.
    void BeginSearch(THubSignals& signals);
    void EndSearch();

  private:
    struct TShared {
        std::mutex QueueMutex;
        std::condition_variable Arrived;
        std::deque<std::optional<std::string>> Queue; // an empty entry: end of input
        bool Ended = false;
        THubSignals* Search = nullptr; // the running search, under QueueMutex

        std::mutex OutMutex;
        std::ostream* Out = nullptr;

        void Write(const std::string& line);
        // With QueueMutex held and a search running: takes a line meant for the search and
        // answers whether it did.
        bool TakeForSearch(const std::string& line);
    };

    std::shared_ptr<TShared> Shared;
    std::thread Reader;

    static void Read(std::shared_ptr<TShared> shared, int input);
};

} // namespace quorvin::cli
