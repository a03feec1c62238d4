// The GUI's side of a Hub conversation: a Hub engine started as a child process with its
// standard input and output on pipes, written to and read from line by line with time-outs.
// The match driver plays its games through it and the tests drive quorvin-cli hub with it.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace quorvin::cli {

class THubClient {
  public:
    // Starts program with these arguments; its standard error is this process's. Throws
    // std::runtime_error when it cannot be started. Writing to an engine that has gone must
    // not end this process, so SIGPIPE is ignored from here on.
    THubClient(const std::string& program, const std::vector<std::string>& args);
    // Closes the engine's input, gives it a moment to end, and kills it if it has not.
    ~THubClient();
    THubClient(const THubClient&) = delete;
    THubClient& operator=(const THubClient&) = delete;

    // Writes one line; false when the engine no longer reads.
    bool Send(const std::string& line);
    // The next line the engine writes, waiting at most timeoutMs; empty on time-out or when
    // its output has ended.
    std::optional<std::string> Receive(int timeoutMs);
    bool OutputEnded() const { return Ended; }

    // Closes the engine's input, as a GUI that has gone would.
    void CloseInput();
    // Waits for the engine to end; its exit status, or -1 for a signal, or empty when it is
    // still running after timeoutMs.
    std::optional<int> Wait(int timeoutMs);

  private:
    pid_t Pid = -1;
    int ToEngine = -1;
    int FromEngine = -1;
    std::string Pending;
    bool Ended = false;
    std::optional<int> Status;
};

} // namespace quorvin::cli
