#ifndef PegasusTest_SilentPort_h
#define PegasusTest_SilentPort_h

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A socket on an ephemeral loopback port whose owner never reads from it:
// a TCP listener (the kernel completes connections, nothing answers) or a
// UDP port that takes datagrams, such as name queries, and never replies.
class SilentPort
{
public:
    explicit SilentPort(int type = SOCK_STREAM)
    {
        _socket = ::socket(AF_INET, type, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(_socket, reinterpret_cast<sockaddr*>(&address), size);
        if (type == SOCK_STREAM)
            ::listen(_socket, 4);
        ::getsockname(_socket, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
    }
    ~SilentPort() { ::close(_socket); }
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;

    unsigned short port = 0;

private:
    int _socket;
};

#endif
