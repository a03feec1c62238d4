// The Hub conversation's reader thread and writer; see hub_channel.h.
#include "hub_channel.h"

#include <cerrno>
#include <unistd.h>

namespace quorvin::cli {

void THubChannel::TShared::Write(const std::string& line) {
    std::lock_guard lock(OutMutex);
    *Out << line << '\n' << std::flush;
}

bool THubChannel::TShared::TakeForSearch(const std::string& line) {
    const std::string_view word = HubCommandWord(line);
    if (word == "ping") {
        Write("pong");
        return true;
    }
    if (word == "stop") {
        Search->State.RequestStop();
        return true;
    }
    if (word == "ponder-hit") {
        Search->PonderHit.store(true);
        return true;
    }
    if (word == "quit") Search->State.RequestStop();
    return false;
}

THubChannel::THubChannel(int input, std::ostream& out) : Shared(std::make_shared<TShared>()) {
    Shared->Out = &out;
    Reader = std::thread(Read, Shared, input);
}

THubChannel::~THubChannel() {
    bool ended = false;
    {
        std::lock_guard lock(Shared->QueueMutex);
        ended = Shared->Ended;
    }
    if (ended)
        Reader.join();
    else
        Reader.detach();
}

void THubChannel::Read(std::shared_ptr<TShared> shared, int input) {
    auto deliver = [&](std::string line) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::lock_guard lock(shared->QueueMutex);
        if (shared->Search && shared->TakeForSearch(line)) return;
        shared->Queue.emplace_back(std::move(line));
        shared->Arrived.notify_one();
    };
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(input, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            deliver(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    // A last line without its newline still counts.
    if (!pending.empty()) deliver(pending);
    std::lock_guard lock(shared->QueueMutex);
    shared->Ended = true;
    if (shared->Search) shared->Search->State.RequestStop();
    shared->Queue.emplace_back(std::nullopt);
    shared->Arrived.notify_one();
}

void THubChannel::Write(const std::string& line) {
    Shared->Write(line);
}

std::optional<std::string> THubChannel::Next() {
    std::unique_lock lock(Shared->QueueMutex);
    Shared->Arrived.wait(lock, [&] { return !Shared->Queue.empty(); });
    std::optional<std::string> line = std::move(Shared->Queue.front());
    // The end of the input stays queued: every later call answers it too.
    if (line) Shared->Queue.pop_front();
    return line;
}

void THubChannel::BeginSearch(THubSignals& signals) {
    std::lock_guard lock(Shared->QueueMutex);
    signals.Reset();
    Shared->Search = &signals;
    while (!Shared->Queue.empty()) {
        const std::optional<std::string>& front = Shared->Queue.front();
        if (!front) {
            signals.State.RequestStop();
            break;
        }
        if (!Shared->TakeForSearch(*front)) break;
        Shared->Queue.pop_front();
    }
}

void THubChannel::EndSearch() {
    std::lock_guard lock(Shared->QueueMutex);
    Shared->Search = nullptr;
}

} // namespace quorvin::cli
