#include "IdSocket.h"

#include "IdException.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace kelmora::net {

namespace {

[[noreturn]] void ThrowSocketError(int error)
{
    char buffer[256];
    // GNU strerror_r: returns the text, which may or may not live in `buffer`.
    const char *text = strerror_r(error, buffer, sizeof buffer);
    throw EIdSocketError(error, text);
}

sockaddr_in ToSockaddr(const Endpoint &endpoint)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(endpoint.address);
    address.sin_port = htons(endpoint.port);
    return address;
}

Endpoint FromSockaddr(const sockaddr_in &address)
{
    return Endpoint{ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

// Milliseconds left until `deadline` for poll(): -1 without a deadline, 0 once passed.
int PollTimeout(const Deadline &deadline)
{
    if (!deadline.at)
        return -1;
    using namespace std::chrono;
    const auto left = duration_cast<milliseconds>(*deadline.at - steady_clock::now()).count() + 1;
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// A wait that reached `deadline`: the transfer's overall limit, or the wait's own.
template <class OwnTimeout>
[[noreturn]] void ThrowTimeout(const Deadline &deadline)
{
    if (deadline.overall)
        throw EIdTransferTimeout();
    throw OwnTimeout();
}

} // namespace

std::string Endpoint::AddressText() const
{
    return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.'
        + std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

std::optional<std::uint32_t> ParseDottedQuad(std::string_view text)
{
    std::uint32_t result = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
        std::size_t digits = 0;
        unsigned value = 0;
        while (digits < text.size() && digits < 4 && std::isdigit(static_cast<unsigned char>(text[digits])))
            value = value * 10 + static_cast<unsigned>(text[digits++] - '0');
        if (digits == 0 || digits > 3 || value > 255)
            return std::nullopt;
        text.remove_prefix(digits);
        result = (result << 8) | value;
    }
    if (!text.empty())
        return std::nullopt;
    return result;
}

std::uint32_t SystemLookup(const std::string &name)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const int rc = getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (rc == EAI_SYSTEM)
        ThrowSocketError(errno);
    if (rc != 0)
        throw EIdSocketError(rc, gai_strerror(rc));
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(found, &freeaddrinfo);
    for (const addrinfo *entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr)
            return FromSockaddr(*reinterpret_cast<const sockaddr_in *>(entry->ai_addr)).address;
    }
    throw EIdSocketError(EAI_NONAME, gai_strerror(EAI_NONAME));
}

std::uint32_t ResolveIpv4(const std::string &host, Deadline deadline, const HostLookup &lookup)
{
    if (EqualsIgnoringCase(host, "LOCALHOST"))
        return 0x7F000001;
    if (const auto quad = ParseDottedQuad(host))
        return *quad;
    if (!deadline.at)
        return lookup(host);

    // Shared with the lookup's thread, which may outlive this call.
    struct Lookup {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::uint32_t address = 0;
        std::exception_ptr error;
    };
    const auto state = std::make_shared<Lookup>();
    try {
        std::thread([state, host, lookup] {
            std::uint32_t address = 0;
            std::exception_ptr error;
            try {
                address = lookup(host);
            } catch (...) {
                error = std::current_exception();
            }
            const std::lock_guard lock(state->mutex);
            state->address = address;
            state->error = error;
            state->finished = true;
            state->done.notify_all();
        }).detach();
    } catch (const std::system_error &e) {
        throw EIdSocketError(e.code().value(), e.what());
    }
    std::unique_lock lock(state->mutex);
    if (!state->done.wait_until(lock, *deadline.at, [&state] { return state->finished; }))
        ThrowTimeout<EIdResolveTimeout>(deadline);
    if (state->error)
        std::rethrow_exception(state->error);
    return state->address;
}

Deadline DeadlineAfter(int ms)
{
    if (ms <= 0)
        return {};
    return {std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)};
}

Deadline Sooner(const Deadline &a, const Deadline &b)
{
    if (!a.at)
        return b;
    if (!b.at)
        return a;
    if (*a.at == *b.at)
        return a.overall ? a : b;
    return *a.at < *b.at ? a : b;
}

Socket::~Socket()
{
    Close();
}

Socket::Socket(Socket &&other) noexcept : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

Socket &Socket::operator=(Socket &&other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

Socket Socket::CreateTcp()
{
    // Non-blocking throughout: every wait is a poll() with the caller's deadline.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0)
        throw EIdInvalidSocket();
    return Socket(fd);
}

bool Socket::WaitFor(short events, Deadline deadline) const
{
    for (;;) {
        pollfd entry{m_fd, events, 0};
        const int rc = ::poll(&entry, 1, PollTimeout(deadline));
        if (rc > 0)
            return true;
        if (rc == 0) {
            if (PollTimeout(deadline) == 0)
                return false;
            continue;
        }
        if (errno != EINTR)
            ThrowSocketError(errno);
    }
}

void Socket::Bind(const Endpoint &local)
{
    const sockaddr_in address = ToSockaddr(local);
    if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        throw EIdCouldNotBindSocket();
}

void Socket::Connect(const Endpoint &remote, Deadline deadline)
{
    const sockaddr_in address = ToSockaddr(remote);
    if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        return;
    if (errno != EINPROGRESS && errno != EINTR)
        ThrowSocketError(errno);
    if (!WaitFor(POLLOUT, deadline))
        ThrowTimeout<EIdConnectTimeout>(deadline);
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        ThrowSocketError(errno);
    if (error != 0)
        ThrowSocketError(error);
}

void Socket::Listen(int backlog)
{
    if (::listen(m_fd, backlog) != 0)
        ThrowSocketError(errno);
}

Socket Socket::Accept(Deadline deadline, Endpoint *peer)
{
    for (;;) {
        sockaddr_in address{};
        socklen_t length = sizeof address;
        const int fd = ::accept4(m_fd, reinterpret_cast<sockaddr *>(&address), &length,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            if (peer)
                *peer = FromSockaddr(address);
            return Socket(fd);
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!WaitFor(POLLIN, deadline))
                ThrowTimeout<EIdAcceptTimeout>(deadline);
        } else if (errno != EINTR && errno != ECONNABORTED) {
            ThrowSocketError(errno);
        }
    }
}

std::size_t Socket::Receive(char *buffer, std::size_t size, Deadline deadline)
{
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer, size, 0);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!WaitFor(POLLIN, deadline))
                ThrowTimeout<EIdReadTimeout>(deadline);
        } else if (errno != EINTR) {
            ThrowSocketError(errno);
        }
    }
}

void Socket::SendAll(std::string_view bytes, std::size_t chunk, Deadline deadline)
{
    chunk = std::max<std::size_t>(chunk, 1);
    while (!bytes.empty()) {
        const ssize_t sent = ::send(m_fd, bytes.data(), std::min(chunk, bytes.size()), MSG_NOSIGNAL);
        if (sent >= 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!WaitFor(POLLOUT, deadline))
                ThrowTimeout<EIdWriteTimeout>(deadline);
        } else if (errno != EINTR) {
            ThrowSocketError(errno);
        }
    }
}

Endpoint Socket::LocalEndpoint() const
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        ThrowSocketError(errno);
    return FromSockaddr(address);
}

Endpoint Socket::PeerEndpoint() const
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getpeername(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        ThrowSocketError(errno);
    return FromSockaddr(address);
}

void Socket::ShutdownSend() noexcept
{
    if (m_fd >= 0)
        ::shutdown(m_fd, SHUT_WR);
}

void Socket::Close() noexcept
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace kelmora::net
