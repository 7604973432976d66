#include "IdTCPConnection.h"

#include "IdException.h"

#include <algorithm>
#include <string>
#include <utility>

namespace kelmora {

void RequireSingleLine(std::string_view argument)
{
    if (argument.find_first_of("\r\n") != std::string_view::npos)
        throw EIdLineBreakInCommand();
}

void TIdTCPConnection::Disconnect()
{
    m_socket.ShutdownSend();
    m_socket.Close();
    m_parser.Clear();
}

void TIdTCPConnection::Attach(net::Socket socket)
{
    m_socket = std::move(socket);
    m_parser.Clear();
}

void TIdTCPConnection::RequireConnected() const
{
    if (!Connected())
        throw EIdNotConnected();
}

net::Endpoint TIdTCPConnection::LocalEndpoint() const
{
    RequireConnected();
    return m_socket.LocalEndpoint();
}

net::Endpoint TIdTCPConnection::PeerEndpoint() const
{
    RequireConnected();
    return m_socket.PeerEndpoint();
}

net::Deadline TIdTCPConnection::WaitDeadline() const
{
    return net::Sooner(net::DeadlineAfter(ReadTimeout), m_waitLimit);
}

std::size_t TIdTCPConnection::ReadPieceSize() const
{
    return static_cast<std::size_t>(std::clamp(RecvBufferSize, 1, 1024 * 1024));
}

void TIdTCPConnection::WriteLn(std::string_view line)
{
    RequireSingleLine(line);
    RequireConnected();
    std::string bytes(line);
    bytes += "\r\n";
    m_socket.SendAll(bytes, static_cast<std::size_t>(std::clamp(SendBufferSize, 1, 1024 * 1024)),
                     WaitDeadline());
}

const TIdRFCReply &TIdTCPConnection::GetResponse(std::initializer_list<int> accepted)
{
    RequireConnected();
    m_parser.SetLimits({static_cast<std::size_t>(std::max(MaxLineLength, 0)), MaxLineAction,
                        static_cast<std::size_t>(std::max(MaxReplySize, 0))});
    const net::Deadline deadline = WaitDeadline();
    std::string buffer(ReadPieceSize(), '\0');
    for (;;) {
        if (std::optional<TIdRFCReply> reply = m_parser.Next()) {
            m_lastReply = std::move(*reply);
            break;
        }
        const std::size_t got = m_socket.Receive(buffer.data(), buffer.size(), deadline);
        if (got == 0)
            throw EIdConnClosedGracefully();
        m_parser.Feed(std::string_view(buffer.data(), got));
    }
    if (accepted.size() > 0
        && std::find(accepted.begin(), accepted.end(), m_lastReply.NumericCode) == accepted.end())
        throw EIdProtocolReplyError(m_lastReply.NumericCode, m_lastReply.JoinedText());
    return m_lastReply;
}

const TIdRFCReply &TIdTCPConnection::SendCmd(std::string_view command,
                                             std::initializer_list<int> accepted)
{
    WriteLn(command);
    return GetResponse(accepted);
}

void TIdTCPConnection::ReadStream(const std::function<void(std::string_view)> &sink)
{
    RequireConnected();
    std::string buffer(ReadPieceSize(), '\0');
    for (;;) {
        const std::size_t got = m_socket.Receive(buffer.data(), buffer.size(), WaitDeadline());
        if (got == 0)
            return; // the peer closed: the normal end of the stream
        sink(std::string_view(buffer.data(), got));
    }
}

} // namespace kelmora
