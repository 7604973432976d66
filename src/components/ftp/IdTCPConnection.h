#pragma once
// The connection layer of the FTP client: one TCP connection with line output,
// reply input and a byte stream read until the peer closes.

#include "IdReplyParser.h"
#include "IdSocket.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string_view>

namespace kelmora {

// One TCP connection, owned and closed by this object. Not thread-safe; every
// call blocks the caller. Every wait is bounded by ReadTimeout (milliseconds,
// 0 = no limit): a reply as a whole, each read of the byte stream, each send;
// and, while one is set, by the wait limit (SetWaitLimit). Failures throw EId*
// errors (IdException.h); a failed call leaves the connection open,
// Disconnect() closes it.
class TIdTCPConnection {
public:
    static constexpr int DefaultReadTimeout = 30000;

    int ReadTimeout = DefaultReadTimeout;
    int MaxLineLength = 16384;
    TIdMaxLineAction MaxLineAction = TIdMaxLineAction::maException;
    int RecvBufferSize = 32768; // largest piece read at once
    int SendBufferSize = 32768; // largest piece sent at once
    int MaxReplySize = 1024 * 1024; // bytes one reply may take, blank lines included

    TIdTCPConnection() = default;
    virtual ~TIdTCPConnection() = default;
    TIdTCPConnection(const TIdTCPConnection &) = delete;
    TIdTCPConnection &operator=(const TIdTCPConnection &) = delete;

    bool Connected() const { return m_socket.IsOpen(); }
    // Shuts down the sending side, then closes. Nothing when not connected.
    void Disconnect();

    // Sends `line` and CR LF. A line holding CR or LF throws EIdLineBreakInCommand
    // and sends nothing.
    void WriteLn(std::string_view line);
    // Reads one reply into LastReply(); an empty `accepted` accepts any code,
    // otherwise another code throws EIdProtocolReplyError with the reply's text.
    const TIdRFCReply &GetResponse(std::initializer_list<int> accepted);
    const TIdRFCReply &SendCmd(std::string_view command, std::initializer_list<int> accepted);
    // Passes every received piece to `sink` until the peer closes.
    void ReadStream(const std::function<void(std::string_view)> &sink);

    const TIdRFCReply &LastReply() const { return m_lastReply; }

    // Every wait from now on ends at `limit` at the latest, besides its own
    // ReadTimeout; an empty deadline removes the limit. A whole transfer or a
    // whole exchange (connecting included) is bounded this way, however
    // steadily its peer trickles.
    void SetWaitLimit(net::Deadline limit) { m_waitLimit = limit; }
    net::Deadline WaitLimit() const { return m_waitLimit; }

protected:
    // Takes over a freshly opened socket; pending input of an earlier one is dropped.
    void Attach(net::Socket socket);
    net::Endpoint LocalEndpoint() const;
    net::Endpoint PeerEndpoint() const;
    // The end of a wait that starts now: ReadTimeout or the wait limit, whichever is sooner.
    net::Deadline WaitDeadline() const;

private:
    void RequireConnected() const;
    std::size_t ReadPieceSize() const;

    net::Socket m_socket;
    ReplyParser m_parser;
    TIdRFCReply m_lastReply;
    net::Deadline m_waitLimit;
};

// Throws EIdLineBreakInCommand when `argument` holds CR or LF.
void RequireSingleLine(std::string_view argument);

} // namespace kelmora
