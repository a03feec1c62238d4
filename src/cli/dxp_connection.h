// The DamExchange connection: a TCP stream socket (POSIX) on which every message travels
// followed by a '\0', the way DXP's socket layer sends them (port 27531 by custom). A
// listener takes one connection; a client connects to a host and port. Reading gathers the
// stream into whole messages, with a time-out; a peer that has closed the connection is
// reported as such, and writing to it never ends this process.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvin::cli {

inline constexpr int DxpDefaultPort = 27531;

struct TDxpSocketError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "HOST:PORT" or "PORT" (any address); throws TDxpSocketError when unreadable.
struct TDxpAddress {
    std::string Host; // empty: any address of this machine (listening only)
    int Port = DxpDefaultPort;
};
TDxpAddress ParseDxpAddress(std::string_view text);

class TDxpConnection {
  public:
    // Owns a connected socket.
    explicit TDxpConnection(int socket);
    // Connects to a host (a name or an address) and port, retrying while nobody listens
    // there until timeoutMs have passed. Throws TDxpSocketError.
    static TDxpConnection Connect(const TDxpAddress& address, int timeoutMs);
    ~TDxpConnection();
    TDxpConnection(TDxpConnection&& other) noexcept;
    TDxpConnection& operator=(TDxpConnection&& other) noexcept;
    TDxpConnection(const TDxpConnection&) = delete;
    TDxpConnection& operator=(const TDxpConnection&) = delete;

    // Sends one message and its '\0'; false when the peer is gone.
    bool Send(std::string_view message);

    enum class TStatus { Message, TimedOut, Closed };
    struct TReceived {
        TStatus Status = TStatus::Closed;
        std::string Text; // with Message: the message without its '\0'
    };
    // The next whole message, waiting at most timeoutMs (-1: no limit). Bytes that run on
    // far past the longest message without a '\0' come back as one overlong message, which
    // the reader refuses.
    TReceived Receive(int timeoutMs);

    bool Open() const { return Socket >= 0; }
    void Close();

  private:
    int Socket = -1;
    std::string Pending;
    bool PeerClosed = false;

    std::optional<std::string> TakeMessage();
};

class TDxpListener {
  public:
    // Listens on the address's port (0: a free port the system picks) and host (empty: every
    // address). Throws TDxpSocketError.
    explicit TDxpListener(const TDxpAddress& address);
    ~TDxpListener();
    TDxpListener(const TDxpListener&) = delete;
    TDxpListener& operator=(const TDxpListener&) = delete;

    // The port it listens on.
    int Port() const { return BoundPort; }
    // Waits for a connection at most timeoutMs (-1: no limit); empty on time-out.
    std::optional<TDxpConnection> Accept(int timeoutMs);

  private:
    int Socket = -1;
    int BoundPort = 0;
};

} // namespace quorvin::cli
