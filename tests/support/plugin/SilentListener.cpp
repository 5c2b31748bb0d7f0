#include "SilentListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace cimhttp_faults {

SilentListener::SilentListener(const std::string& address, int port) : fSocket(::socket(AF_INET, SOCK_STREAM, 0))
{
    if (fSocket < 0)
        throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    const int on = 1;
    ::setsockopt(fSocket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in endpoint{};
    endpoint.sin_family = AF_INET;
    endpoint.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, address.c_str(), &endpoint.sin_addr) != 1 ||
        ::bind(fSocket, reinterpret_cast<const sockaddr*>(&endpoint), sizeof endpoint) != 0 ||
        ::listen(fSocket, 16) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(fSocket);
        throw std::runtime_error("cannot listen on " + address + ":" + std::to_string(port) + ": " + reason);
    }
}

SilentListener::~SilentListener()
{
    ::close(fSocket);
}

}  // namespace cimhttp_faults
