#include "PyFtpServer.h"

#include <QDeadlineTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kelmora::test {

namespace {

constexpr int kWaitMs = 10000;

// Connects to the server, waits for its greeting and returns the local port
// used, or 0.
int Probe(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    int local = 0;
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
        pollfd entry{fd, POLLIN, 0};
        char byte;
        if (::poll(&entry, 1, kWaitMs) > 0 && ::recv(fd, &byte, 1, 0) == 1) {
            socklen_t length = sizeof address;
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
            local = ntohs(address.sin_port);
        }
    }
    if (fd >= 0)
        ::close(fd);
    return local;
}

} // namespace

PyFtpServer::PyFtpServer(const QString &root)
{
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(KELMORA_PYFTPD_SCRIPT), root, QStringLiteral("kvprg"), QStringLiteral("ptmox")});
    QByteArray line;
    if (!readLine(&line, kWaitMs) || !line.startsWith("port ")) {
        m_error = QStringLiteral("pyftpdlib did not start (python3-pyftpdlib installed?): ")
            + QString::fromLocal8Bit(line + m_process.readAllStandardError());
        return;
    }
    m_port = line.mid(5).trimmed().toInt();
}

PyFtpServer::~PyFtpServer()
{
    m_process.kill();
    m_process.waitForFinished(kWaitMs);
}

bool PyFtpServer::readLine(QByteArray *line, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
            return false;
        m_process.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
    }
    *line = m_process.readLine().trimmed();
    return true;
}

int PyFtpServer::takeConnections()
{
    const int probe = Probe(m_port);
    if (probe == 0)
        return -1;
    const QByteArray probeLine = "connect " + QByteArray::number(probe);
    int count = 0;
    QByteArray line;
    while (readLine(&line, kWaitMs)) {
        if (line == probeLine)
            return count;
        if (line.startsWith("connect "))
            ++count;
    }
    return -1;
}

} // namespace kelmora::test
