#pragma once
// A TCP connection opened towards a server.

#include "IdTCPConnection.h"

#include <cstdint>
#include <string>

namespace kelmora {

// Connects to Host:Port over IPv4, optionally from BoundIP:BoundPort (empty and
// 0 mean any). Connect(timeout): -1 uses ConnectTimeout, 0 waits as long as the
// system does, a positive value is milliseconds; the one wait covers the host
// name's lookup (through Lookup) and the connection, and ends at the wait limit
// at the latest. Throws EIdAlreadyConnected when connected, EIdSocketError for
// an unknown host or a refused connection, EIdResolveTimeout or
// EIdConnectTimeout when the wait runs out; on failure nothing stays open.
class TIdTCPClient : public TIdTCPConnection {
public:
    static constexpr int DefaultConnectTimeout = 15000;

    std::string Host;
    int Port = 0;
    std::string BoundIP;
    int BoundPort = 0;
    int ConnectTimeout = DefaultConnectTimeout;
    net::HostLookup Lookup = net::SystemLookup;

    void Connect(int timeout = -1);
};

// Throws EIdException for a port outside 0..65535 (0 only where `allowZero`).
std::uint16_t CheckedPort(int port, bool allowZero);

} // namespace kelmora
