#pragma once
// The socket layer of the FTP client: IPv4 addresses, host resolution and one
// RAII TCP socket. This header and IdSocket.cpp are the only places that touch
// the platform's socket API; everything above works with these types.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora::net {

// An IPv4 address and port, both in host byte order.
struct Endpoint {
    std::uint32_t address = 0;
    std::uint16_t port = 0;

    std::string AddressText() const; // dotted quad, e.g. "192.168.1.5"
    bool operator==(const Endpoint &) const = default;
};

// "a.b.c.d" with four decimal numbers 0..255, else nothing.
std::optional<std::uint32_t> ParseDottedQuad(std::string_view text);

// When a wait fails: `at` empty means "wait without limit". `overall` marks
// the deadline of a whole transfer or exchange rather than of one wait, so that
// reaching it is reported as EIdTransferTimeout instead of the wait's own
// time-out error.
struct Deadline {
    std::optional<std::chrono::steady_clock::time_point> at;
    bool overall = false;
};

// Looks a host name up and gives its first IPv4 address; throws EIdSocketError
// when there is none. SystemLookup asks the system's resolver.
using HostLookup = std::function<std::uint32_t(const std::string &name)>;
std::uint32_t SystemLookup(const std::string &name);

// "LOCALHOST" in any case is 127.0.0.1, a dotted quad is taken as it is, any
// other name goes to `lookup`. The resolver keeps no time limit of its own, so
// with a deadline the lookup runs on a thread of its own: the call ends at the
// deadline with EIdResolveTimeout (EIdTransferTimeout for an overall one), and
// a lookup still running then finishes unseen.
std::uint32_t ResolveIpv4(const std::string &host, Deadline deadline = {},
                          const HostLookup &lookup = SystemLookup);

// A deadline `ms` milliseconds from now; 0 or less means no limit.
Deadline DeadlineAfter(int ms);
// The sooner of two deadlines; on a tie the overall one, so its error is reported.
Deadline Sooner(const Deadline &a, const Deadline &b);

// One TCP/IPv4 socket, closed by its destructor. Move-only. Every failing call
// throws the matching EId* error (socket error, bind failure, time-out); waits
// end at the given deadline. Sending never raises SIGPIPE.
class Socket {
public:
    Socket() = default;
    ~Socket();
    Socket(Socket &&other) noexcept;
    Socket &operator=(Socket &&other) noexcept;
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;

    static Socket CreateTcp(); // EIdInvalidSocket when none can be had

    bool IsOpen() const { return m_fd >= 0; }
    void Bind(const Endpoint &local);         // EIdCouldNotBindSocket
    void Connect(const Endpoint &remote, Deadline deadline);
    void Listen(int backlog);
    // Waits for one incoming connection and returns it with its peer in *peer.
    Socket Accept(Deadline deadline, Endpoint *peer);
    // Reads at most `size` bytes; 0 means the peer closed its sending side.
    std::size_t Receive(char *buffer, std::size_t size, Deadline deadline);
    void SendAll(std::string_view bytes, std::size_t chunk, Deadline deadline);

    Endpoint LocalEndpoint() const;
    Endpoint PeerEndpoint() const;

    void ShutdownSend() noexcept; // errors ignored: the socket is about to close
    void Close() noexcept;

private:
    explicit Socket(int fd) : m_fd(fd) {}
    // Waits until `events` are ready; false when the deadline passed.
    bool WaitFor(short events, Deadline deadline) const;

    int m_fd = -1;
};

} // namespace kelmora::net
