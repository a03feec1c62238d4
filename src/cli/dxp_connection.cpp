// DamExchange's TCP connection on POSIX sockets; see dxp_connection.h.
#include "dxp_connection.h"

#include "dxp_protocol.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <thread>

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorvin::cli {

namespace {
// Bytes without a '\0' after which the stream is cut into an overlong message.
constexpr std::size_t OverlongBytes = 4 * DxpMaxLength;
constexpr int RetryMs = 100;

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Messages are a few letters each, sent one at a time: they go out at once.
void SendAtOnce(int socket) {
    const int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Waits until the socket can be read; false on time-out.
bool WaitReadable(int socket, int timeoutMs) {
    pollfd p{socket, POLLIN, 0};
    for (;;) {
        const int ready = poll(&p, 1, timeoutMs);
        if (ready >= 0) return ready > 0;
        if (errno != EINTR) return true; // let the read report the error
    }
}

struct TAddresses {
    addrinfo* List = nullptr;
    TAddresses(const std::string& host, int port, bool passive) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = passive ? AI_PASSIVE : 0;
        const std::string service = std::to_string(port);
        const int error =
            getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &List);
        if (error != 0)
            throw TDxpSocketError("cannot find " +
                                  (host.empty() ? std::string("any address") : host) + ": " +
                                  gai_strerror(error));
    }
    ~TAddresses() {
        if (List) freeaddrinfo(List);
    }
    TAddresses(const TAddresses&) = delete;
    TAddresses& operator=(const TAddresses&) = delete;
};
} // namespace

TDxpAddress ParseDxpAddress(std::string_view text) {
    TDxpAddress address;
    std::string_view port = text;
    if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
        address.Host = std::string(text.substr(0, colon));
        port = text.substr(colon + 1);
        // An IPv6 address is written in brackets: "[::1]:27531".
        if (address.Host.size() >= 2 && address.Host.front() == '[' && address.Host.back() == ']')
            address.Host = address.Host.substr(1, address.Host.size() - 2);
        if (address.Host.empty())
            throw TDxpSocketError("no host before the ':' of \"" + std::string(text) + "\"");
    }
    int value = -1;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || error != std::errc{} || end != port.data() + port.size() || value < 0 ||
        value > 65535)
        throw TDxpSocketError("\"" + std::string(text) + "\" is no port (0..65535) or HOST:PORT");
    address.Port = value;
    return address;
}

TDxpConnection::TDxpConnection(int socket) : Socket(socket) {}

TDxpConnection TDxpConnection::Connect(const TDxpAddress& address, int timeoutMs) {
    const long long deadline = NowMs() + timeoutMs;
    for (;;) {
        const TAddresses addresses(address.Host.empty() ? "127.0.0.1" : address.Host, address.Port,
                                   false);
        int lastError = 0;
        for (const addrinfo* a = addresses.List; a; a = a->ai_next) {
            const int s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
            if (s < 0) {
                lastError = errno;
                continue;
            }
            if (connect(s, a->ai_addr, a->ai_addrlen) == 0) {
                SendAtOnce(s);
                return TDxpConnection(s);
            }
            lastError = errno;
            close(s);
        }
        // Nobody listens yet: a peer started a moment ago may be about to.
        if (lastError != ECONNREFUSED || NowMs() >= deadline) {
            errno = lastError;
            throw TDxpSocketError(SystemError("cannot connect to " + address.Host + ":" +
                                              std::to_string(address.Port)));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(RetryMs));
    }
}

TDxpConnection::~TDxpConnection() {
    Close();
}

TDxpConnection::TDxpConnection(TDxpConnection&& other) noexcept
    : Socket(other.Socket), Pending(std::move(other.Pending)), PeerClosed(other.PeerClosed) {
    other.Socket = -1;
}

TDxpConnection& TDxpConnection::operator=(TDxpConnection&& other) noexcept {
    if (this != &other) {
        Close();
        Socket = other.Socket;
        Pending = std::move(other.Pending);
        PeerClosed = other.PeerClosed;
        other.Socket = -1;
    }
    return *this;
}

void TDxpConnection::Close() {
    if (Socket >= 0) close(Socket);
    Socket = -1;
}

bool TDxpConnection::Send(std::string_view message) {
    if (Socket < 0) return false;
    std::string bytes(message);
    bytes += '\0';
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        // MSG_NOSIGNAL: a peer that has gone is an answer, not the end of this process.
        const ssize_t n = send(Socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> TDxpConnection::TakeMessage() {
    const std::size_t end = Pending.find('\0');
    if (end != std::string::npos) {
        std::string message = Pending.substr(0, end);
        Pending.erase(0, end + 1);
        return message;
    }
    if (Pending.size() > OverlongBytes) {
        std::string message = std::move(Pending);
        Pending.clear();
        return message;
    }
    return std::nullopt;
}

TDxpConnection::TReceived TDxpConnection::Receive(int timeoutMs) {
    const long long deadline = NowMs() + timeoutMs;
    for (;;) {
        if (std::optional<std::string> message = TakeMessage())
            return {TStatus::Message, std::move(*message)};
        // What is left of a message the peer never finished is dropped with it.
        if (PeerClosed || Socket < 0) return {TStatus::Closed, {}};
        const int left = timeoutMs < 0 ? -1 : static_cast<int>(std::max(0LL, deadline - NowMs()));
        if (!WaitReadable(Socket, left)) return {TStatus::TimedOut, {}};
        char buffer[512];
        const ssize_t n = recv(Socket, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            PeerClosed = true;
        else
            Pending.append(buffer, static_cast<std::size_t>(n));
    }
}

TDxpListener::TDxpListener(const TDxpAddress& address) {
    const TAddresses addresses(address.Host, address.Port, true);
    int lastError = 0;
    for (const addrinfo* a = addresses.List; a; a = a->ai_next) {
        const int s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s < 0) {
            lastError = errno;
            continue;
        }
        const int on = 1;
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (bind(s, a->ai_addr, a->ai_addrlen) == 0 && listen(s, 1) == 0) {
            Socket = s;
            break;
        }
        lastError = errno;
        close(s);
    }
    if (Socket < 0) {
        errno = lastError;
        throw TDxpSocketError(SystemError("cannot listen on port " + std::to_string(address.Port)));
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    getsockname(Socket, reinterpret_cast<sockaddr*>(&bound), &length);
    BoundPort = bound.ss_family == AF_INET6
                    ? ntohs(reinterpret_cast<const sockaddr_in6*>(&bound)->sin6_port)
                    : ntohs(reinterpret_cast<const sockaddr_in*>(&bound)->sin_port);
}

TDxpListener::~TDxpListener() {
    if (Socket >= 0) close(Socket);
}

std::optional<TDxpConnection> TDxpListener::Accept(int timeoutMs) {
    if (!WaitReadable(Socket, timeoutMs)) return std::nullopt;
    for (;;) {
        const int s = accept(Socket, nullptr, nullptr);
        if (s >= 0) {
            SendAtOnce(s);
            return TDxpConnection(s);
        }
        if (errno != EINTR) throw TDxpSocketError(SystemError("cannot accept a connection"));
    }
}

} // namespace quorvin::cli
