#pragma once
// A connection that listens on one local address and accepts one peer: the
// data channel of an active-mode transfer.

#include "IdTCPConnection.h"

#include <string>

namespace kelmora {

// BeginListen() binds BoundIP:BoundPort (port 0 lets the system choose) and
// listens with a backlog of 15; Binding() tells where. Listen() waits at most
// ReadTimeout (and the wait limit) for a connection, takes the first one from
// AllowedPeerIP (empty: from anyone), closes every other one and the listening
// socket, and from then on this object is that connection. Throws EIdCouldNotBindSocket,
// EIdAcceptTimeout or EIdSocketError.
class TIdSimpleServer : public TIdTCPConnection {
public:
    static constexpr int ListenBacklog = 15;

    std::string BoundIP;
    int BoundPort = 0;
    std::string AllowedPeerIP;

    void BeginListen();
    net::Endpoint Binding() const;
    void Listen();

private:
    net::Socket m_listener;
};

} // namespace kelmora
