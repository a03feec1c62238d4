// A Hub engine as a child process; see hub_client.h.
#include "hub_client.h"

#include "think.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace quorvin::cli {

THubClient::THubClient(const std::string& program, const std::vector<std::string>& args) {
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (::pipe(in) != 0) throw std::runtime_error("cannot make a pipe");
    if (::pipe(out) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        throw std::runtime_error("cannot make a pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1]}) posix_spawn_file_actions_addclose(&actions, fd);

    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const int error = posix_spawn(&Pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    if (error != 0) {
        ::close(in[1]);
        ::close(out[0]);
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
    }
    ToEngine = in[1];
    FromEngine = out[0];
}

THubClient::~THubClient() {
    CloseInput();
    if (!Wait(2000)) {
        ::kill(Pid, SIGKILL);
        Wait(2000);
    }
    if (FromEngine >= 0) ::close(FromEngine);
}

bool THubClient::Send(const std::string& line) {
    if (ToEngine < 0) return false;
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(ToEngine, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> THubClient::Receive(int timeoutMs) {
    const long long deadline = TickCount() + timeoutMs;
    for (;;) {
        const std::size_t end = Pending.find('\n');
        if (end != std::string::npos) {
            std::string line = Pending.substr(0, end);
            Pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        if (Ended) return std::nullopt;
        const long long left = deadline - TickCount();
        if (left <= 0) return std::nullopt;
        pollfd p{FromEngine, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        char buffer[4096];
        const ssize_t n = ::read(FromEngine, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Ended = true;
            continue;
        }
        Pending.append(buffer, static_cast<std::size_t>(n));
    }
}

void THubClient::CloseInput() {
    if (ToEngine >= 0) ::close(ToEngine);
    ToEngine = -1;
}

std::optional<int> THubClient::Wait(int timeoutMs) {
    if (Status) return Status;
    const long long deadline = TickCount() + timeoutMs;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(Pid, &status, WNOHANG);
        if (done == Pid) {
            Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return Status;
        }
        if (done < 0 && errno != EINTR) return std::nullopt;
        if (TickCount() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace quorvin::cli
