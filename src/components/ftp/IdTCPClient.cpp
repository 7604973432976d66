#include "IdTCPClient.h"

#include "IdException.h"

namespace kelmora {

std::uint16_t CheckedPort(int port, bool allowZero)
{
    if (port < (allowZero ? 0 : 1) || port > 65535)
        throw EIdException("Invalid port number " + std::to_string(port) + ".");
    return static_cast<std::uint16_t>(port);
}

void TIdTCPClient::Connect(int timeout)
{
    if (Connected())
        throw EIdAlreadyConnected();
    const net::Deadline deadline =
        net::Sooner(net::DeadlineAfter(timeout == -1 ? ConnectTimeout : timeout), WaitLimit());
    const net::Endpoint remote{net::ResolveIpv4(Host, deadline, Lookup), CheckedPort(Port, false)};
    net::Socket socket = net::Socket::CreateTcp();
    if (!BoundIP.empty() || BoundPort != 0) {
        const std::uint32_t local = BoundIP.empty() ? 0 : net::ResolveIpv4(BoundIP, deadline, Lookup);
        socket.Bind({local, CheckedPort(BoundPort, true)});
    }
    socket.Connect(remote, deadline);
    Attach(std::move(socket));
}

} // namespace kelmora
