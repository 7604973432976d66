#include "ScriptedFtpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace ftptest {

namespace {

constexpr int kWaitMs = 10000;
constexpr int kSliceMs = 50;

sockaddr_in Address(const std::string &ip, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    inet_pton(AF_INET, ip.c_str(), &address.sin_addr);
    return address;
}

// Waits for `events` on `fd` in short slices; false on time-out or when `stop` is set.
bool WaitFor(int fd, short events, int ms, const std::atomic<bool> &stop)
{
    for (int waited = 0; waited < ms && !stop; waited += kSliceMs) {
        pollfd entry{fd, events, 0};
        const int rc = poll(&entry, 1, kSliceMs);
        if (rc > 0)
            return true;
        if (rc < 0 && errno != EINTR)
            return false;
    }
    return false;
}

bool SendAll(int fd, const std::string &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

void CloseFd(int &fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

} // namespace

Step Send(std::string bytes)
{
    return Step{Step::Kind::Send, {std::move(bytes)}, {}, 0, {}};
}

Step SendPieces(std::vector<std::string> pieces)
{
    return Step{Step::Kind::Send, std::move(pieces), {}, 0, {}};
}

Step Read()
{
    return Step{Step::Kind::Read, {}, {}, 0, {}};
}

Step Data(std::string bytes, int holdMs, std::string from)
{
    return Step{Step::Kind::Data, {std::move(bytes)}, std::move(from), holdMs, {}};
}

Step Trickle(std::string bytes, int gapMs)
{
    return Step{Step::Kind::Trickle, {std::move(bytes)}, "127.0.0.1", gapMs, {}};
}

Step Stranger(std::string from)
{
    return Step{Step::Kind::Stranger, {}, std::move(from), 0, {}};
}

Step Call(std::function<void()> action)
{
    return Step{Step::Kind::Call, {}, {}, 0, std::move(action)};
}

Step Pause(int ms)
{
    return Step{Step::Kind::Pause, {}, {}, ms, {}};
}

Step Close()
{
    return Step{Step::Kind::Close, {}, {}, 0, {}};
}

ScriptedFtpServer::ScriptedFtpServer(std::vector<Step> script) : m_script(std::move(script))
{
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Address("127.0.0.1", 0);
    socklen_t length = sizeof address;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || listen(m_listener, 4) != 0
        || getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        throw std::runtime_error("scripted FTP server: cannot listen on 127.0.0.1");
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Run(); });
}

ScriptedFtpServer::~ScriptedFtpServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    CloseFd(m_control);
    CloseFd(m_listener);
}

std::vector<std::string> ScriptedFtpServer::Transcript()
{
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    return m_transcript;
}

std::vector<std::string> ScriptedFtpServer::Abandon()
{
    m_stop = true;
    return Transcript();
}

void ScriptedFtpServer::Note(std::string entry)
{
    std::lock_guard lock(m_mutex);
    m_transcript.push_back(std::move(entry));
}

void ScriptedFtpServer::Run()
{
    const bool ready = WaitFor(m_listener, POLLIN, kWaitMs, m_stop);
    // Told to stop: a client that did connect is still in the queue.
    if (!ready && !WaitFor(m_listener, POLLIN, kSliceMs, std::atomic<bool>(false))) {
        Note("<no connection>");
        return;
    }
    m_control = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    const int one = 1;
    setsockopt(m_control, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    for (const Step &step : m_script) {
        if (!Play(step))
            return;
    }
    Drain();
}

bool ScriptedFtpServer::Play(const Step &step)
{
    switch (step.kind) {
    case Step::Kind::Send:
        for (std::size_t i = 0; i < step.pieces.size(); ++i) {
            if (i > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
            if (!SendAll(m_control, step.pieces[i]))
                return true; // the client is gone; Drain() records it
        }
        return true;
    case Step::Kind::Read:
        return ReadLine();
    case Step::Kind::Data: {
        int fd = -1;
        if (Connect(step.from, &fd)) {
            SendAll(fd, step.pieces.front());
            WaitFor(fd, 0, step.ms, m_stop);
        }
        CloseFd(fd);
        return true;
    }
    case Step::Kind::Trickle: {
        int fd = -1;
        if (Connect(step.from, &fd)) {
            for (const char byte : step.pieces.front()) {
                if (m_stop || !SendAll(fd, std::string(1, byte)))
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
            }
        }
        CloseFd(fd);
        return true;
    }
    case Step::Kind::Stranger: {
        int fd = -1;
        if (Connect(step.from, &fd)) {
            SendAll(fd, "not your data\r\n");
            char byte;
            const bool closed = WaitFor(fd, POLLIN, kWaitMs, m_stop) && recv(fd, &byte, 1, 0) <= 0;
            Note(closed ? "<stranger closed>" : "<stranger kept>");
        }
        CloseFd(fd);
        return true;
    }
    case Step::Kind::Pause:
        std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
        return true;
    case Step::Kind::Close:
        CloseFd(m_control);
        Note("<server closed>");
        return false;
    case Step::Kind::Call:
        step.call();
        return true;
    }
    return false;
}

bool ScriptedFtpServer::Connect(const std::string &from, int *fd)
{
    *fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in local = Address(from, 0);
    const sockaddr_in remote = Address(m_portAddress, m_dataPort);
    if (*fd < 0 || bind(*fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0
        || connect(*fd, reinterpret_cast<const sockaddr *>(&remote), sizeof remote) != 0) {
        Note("<data connect failed>");
        return false;
    }
    return true;
}

// Reads one command line into the transcript; false when the client closed.
bool ScriptedFtpServer::ReadLine()
{
    for (;;) {
        const std::size_t lf = m_input.find('\n');
        if (lf != std::string::npos) {
            std::string line = m_input.substr(0, lf);
            m_input.erase(0, lf + 1);
            const bool crlf = !line.empty() && line.back() == '\r';
            if (crlf)
                line.pop_back();
            unsigned h[4], p[2];
            if (std::sscanf(line.c_str(), "PORT %u,%u,%u,%u,%u,%u", &h[0], &h[1], &h[2], &h[3], &p[0], &p[1]) == 6) {
                m_portAddress = std::to_string(h[0]) + '.' + std::to_string(h[1]) + '.'
                    + std::to_string(h[2]) + '.' + std::to_string(h[3]);
                m_dataPort = static_cast<std::uint16_t>(p[0] * 256 + p[1]);
                line = "PORT " + std::to_string(h[0]) + ',' + std::to_string(h[1]) + ','
                    + std::to_string(h[2]) + ',' + std::to_string(h[3]) + ",*,*";
            }
            Note(crlf ? line : line + " <no CR>");
            return true;
        }
        char buffer[4096];
        if (!WaitFor(m_control, POLLIN, kWaitMs, m_stop)) {
            Note("<still open>");
            return false;
        }
        const ssize_t got = recv(m_control, buffer, sizeof buffer, 0);
        if (got <= 0) {
            Note("<closed>");
            return false;
        }
        m_input.append(buffer, static_cast<std::size_t>(got));
    }
}

void ScriptedFtpServer::Drain()
{
    while (ReadLine()) {
    }
}

} // namespace ftptest
