#pragma once
// The FTP client: log in, set the transfer type, ask the system type and fetch
// one file over an active-mode data connection.

#include "IdTCPClient.h"

#include <cstdint>
#include <string>

namespace kelmora {

class LocalFile;

enum class TIdFTPTransferType { ftASCII, ftBinary };

// Connections through an FTP proxy are not made: a non-empty Host is refused.
struct TIdFtpProxySettings {
    std::string Host;
    int Port = 0;
};

// Typical use: set Host, Username, Password; Connect(true, -1);
// Get(remote, local, true, false); Disconnect(). Every call blocks and throws
// on failure (IdException.h, plus kelmora::EFCreateError / EStreamError for the
// local file). A failed Connect leaves the client disconnected; a failed Get
// leaves the control connection open for the caller to Disconnect(). Command
// arguments with CR or LF are refused before anything is sent or created.
class TIdFTP : public TIdTCPClient {
public:
    std::string Username;
    std::string Password;
    bool Passive = false; // passive transfers are not implemented: Get refuses them
    TIdFTPTransferType TransferType = TIdFTPTransferType::ftBinary;
    TIdFtpProxySettings ProxySettings;
    // Bounds of one Get, 0 = none. TransferTimeout (ms) covers the whole
    // retrieval from its first command to its final reply, on top of each
    // wait's ReadTimeout and within the caller's wait limit: a peer that
    // trickles cannot keep it going (EIdTransferTimeout). MaxTransferSize is the most bytes the local file
    // may receive: the first that many are written, then EIdTransferTooLarge.
    int TransferTimeout = 0;
    std::int64_t MaxTransferSize = 0;

    TIdFTP() { Port = 21; }

    // Opens the control connection (timeout as TIdTCPClient::Connect), reads the
    // 220 greeting and, with autoLogin, runs Login().
    void Connect(bool autoLogin = true, int timeout = -1);
    // USER, PASS only after 331, TYPE, SYST (500 "unknown command" accepted).
    void Login();
    // Retrieves `remoteName` into `localPath`, created empty before anything is
    // sent. Data is stored as received, whatever TransferType says. Resuming is
    // not implemented; without `canOverwrite` an existing file is an error.
    void Get(const std::string &remoteName, const std::string &localPath,
             bool canOverwrite = false, bool resume = false);

private:
    void Retrieve(const std::string &remoteName, LocalFile &file, const net::Deadline &limit);
};

// The argument of PORT: "h1,h2,h3,h4,p1,p2" (192.168.1.5 port 1030 gives
// "192,168,1,5,4,6").
std::string PortArgument(std::uint32_t address, std::uint16_t port);

} // namespace kelmora
