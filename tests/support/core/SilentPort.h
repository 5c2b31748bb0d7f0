#ifndef TestSupport_SilentPort_h
#define TestSupport_SilentPort_h

#include <string>
#include <sys/socket.h>

// A socket on a loopback port whose owner never reads from it: a TCP
// listener (the kernel completes connections, nothing answers) or a UDP
// port that takes datagrams, such as name queries, and never replies.
class SilentPort
{
public:
    // An ephemeral port on 127.0.0.1.
    explicit SilentPort(int type = SOCK_STREAM);
    // A chosen address and port; throws std::runtime_error when it cannot be bound.
    SilentPort(const std::string& address, int port, int type = SOCK_STREAM);
    ~SilentPort();
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;

    unsigned short port() const { return _port; }

private:
    int _socket;
    unsigned short _port = 0;
};

#endif
