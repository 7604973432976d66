#include "IdFTP.h"

#include "IdException.h"
#include "IdSimpleServer.h"
#include "LocalFile.h"

namespace kelmora {

std::string PortArgument(std::uint32_t address, std::uint16_t port)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += std::to_string((address >> shift) & 0xFF) + ',';
    return text + std::to_string(port / 256) + ',' + std::to_string(port % 256);
}

void TIdFTP::Connect(bool autoLogin, int timeout)
{
    if (Connected())
        throw EIdAlreadyConnected();
    if (!ProxySettings.Host.empty())
        throw EIdNotSupported("Connections through an FTP proxy are not supported.");
    if (autoLogin) {
        RequireSingleLine(Username);
        RequireSingleLine(Password);
    }
    TIdTCPClient::Connect(timeout);
    try {
        GetResponse({220});
        if (autoLogin)
            Login();
    } catch (...) {
        Disconnect();
        throw;
    }
}

void TIdFTP::Login()
{
    if (SendCmd("USER " + Username, {230, 331}).NumericCode == 331)
        SendCmd("PASS " + Password, {230});
    SendCmd(TransferType == TIdFTPTransferType::ftBinary ? "TYPE I" : "TYPE A", {200});
    SendCmd("SYST", {200, 215, 500});
}

void TIdFTP::Get(const std::string &remoteName, const std::string &localPath,
                 bool canOverwrite, bool resume)
{
    RequireSingleLine(remoteName);
    if (!Connected())
        throw EIdNotConnected();
    if (Passive)
        throw EIdNotSupported("Passive transfers are not supported.");
    if (resume)
        throw EIdNotSupported("Resuming a transfer is not supported.");
    LocalFile file(localPath, canOverwrite);

    // The transfer's limit ends with this call, also when it fails: the
    // control connection stays with the caller, who may still send commands
    // within the limit the caller set, if any.
    struct LimitScope {
        TIdTCPConnection &connection;
        net::Deadline outer;
        ~LimitScope() { connection.SetWaitLimit(outer); }
    } scope{*this, WaitLimit()};
    net::Deadline limit = net::DeadlineAfter(TransferTimeout);
    limit.overall = true;
    limit = net::Sooner(limit, scope.outer);
    SetWaitLimit(limit);
    Retrieve(remoteName, file, limit);
    file.Close();
}

void TIdFTP::Retrieve(const std::string &remoteName, LocalFile &file, const net::Deadline &limit)
{
    // The server connects to us: listen on the control connection's own address
    // before PORT goes out (some servers connect as soon as they see it), and
    // take data only from the host we are talking to.
    TIdSimpleServer data;
    data.BoundIP = LocalEndpoint().AddressText();
    data.AllowedPeerIP = PeerEndpoint().AddressText();
    data.ReadTimeout = ReadTimeout;
    data.RecvBufferSize = RecvBufferSize;
    data.SetWaitLimit(limit);
    data.BeginListen();
    const net::Endpoint listening = data.Binding();
    SendCmd("PORT " + PortArgument(listening.address, listening.port), {200});
    SendCmd("RETR " + remoteName, {125, 150, 154});
    data.Listen();
    std::int64_t received = 0;
    data.ReadStream([this, &file, &received](std::string_view piece) {
        if (MaxTransferSize > 0 && static_cast<std::int64_t>(piece.size()) > MaxTransferSize - received) {
            file.Write(piece.substr(0, static_cast<std::size_t>(MaxTransferSize - received)));
            throw EIdTransferTooLarge();
        }
        file.Write(piece);
        received += static_cast<std::int64_t>(piece.size());
    });
    data.Disconnect();

    const int code = GetResponse({225, 226, 250, 426, 450}).NumericCode;
    if (code == 426 || code == 450)
        GetResponse({226, 225});
}

} // namespace kelmora
