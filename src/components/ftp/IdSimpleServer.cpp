#include "IdSimpleServer.h"

#include "IdException.h"
#include "IdTCPClient.h"

#include <utility>

namespace kelmora {

void TIdSimpleServer::BeginListen()
{
    net::Socket listener = net::Socket::CreateTcp();
    const std::uint32_t address = BoundIP.empty() ? 0 : net::ResolveIpv4(BoundIP);
    listener.Bind({address, CheckedPort(BoundPort, true)});
    listener.Listen(ListenBacklog);
    m_listener = std::move(listener);
}

net::Endpoint TIdSimpleServer::Binding() const
{
    if (!m_listener.IsOpen())
        throw EIdNotConnected();
    return m_listener.LocalEndpoint();
}

void TIdSimpleServer::Listen()
{
    if (!m_listener.IsOpen())
        throw EIdNotConnected();
    const std::optional<std::uint32_t> allowed =
        AllowedPeerIP.empty() ? std::nullopt : std::optional(net::ResolveIpv4(AllowedPeerIP));
    const net::Deadline deadline = WaitDeadline();
    for (;;) {
        net::Endpoint peer;
        net::Socket incoming = m_listener.Accept(deadline, &peer);
        if (allowed && peer.address != *allowed)
            continue; // a stranger: `incoming` closes here, the wait goes on
        m_listener.Close();
        Attach(std::move(incoming));
        return;
    }
}

} // namespace kelmora
