#pragma once
// A real FTP server for one test: pyftpdlib, started as a child process on
// 127.0.0.1, serving a folder read-only to kvprg / ptmox. It reports every
// connection it accepts, so a test can tell that none was made.

#include <QProcess>
#include <QString>

namespace kelmora::test {

class PyFtpServer {
public:
    // Starts the server on `root`; check ok() before use.
    explicit PyFtpServer(const QString &root);
    ~PyFtpServer();
    PyFtpServer(const PyFtpServer &) = delete;
    PyFtpServer &operator=(const PyFtpServer &) = delete;

    bool ok() const { return m_port > 0; }
    QString error() const { return m_error; }
    int port() const { return m_port; }

    // Connections the server has accepted since the last call. A probe
    // connection of our own, made first and not counted, makes sure the server
    // has seen every connection begun before this call.
    int takeConnections();

private:
    bool readLine(QByteArray *line, int ms);

    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

} // namespace kelmora::test
