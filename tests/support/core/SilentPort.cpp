#include "SilentPort.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <stdexcept>
#include <unistd.h>

SilentPort::SilentPort(int type) : SilentPort("127.0.0.1", 0, type)
{
}

SilentPort::SilentPort(const std::string& address, int port, int type) : _socket(::socket(AF_INET, type, 0))
{
    if (_socket < 0)
        throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    // A fixed port may still be in TIME_WAIT from an earlier test.
    const int on = 1;
    ::setsockopt(_socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in endpoint{};
    endpoint.sin_family = AF_INET;
    endpoint.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t size = sizeof endpoint;
    if (::inet_pton(AF_INET, address.c_str(), &endpoint.sin_addr) != 1
        || ::bind(_socket, reinterpret_cast<const sockaddr*>(&endpoint), size) != 0
        || (type == SOCK_STREAM && ::listen(_socket, 16) != 0)
        || ::getsockname(_socket, reinterpret_cast<sockaddr*>(&endpoint), &size) != 0)
    {
        const std::string reason = std::strerror(errno);
        ::close(_socket);
        throw std::runtime_error("cannot bind " + address + ":" + std::to_string(port) + ": " + reason);
    }
    _port = ntohs(endpoint.sin_port);
}

SilentPort::~SilentPort()
{
    ::close(_socket);
}
