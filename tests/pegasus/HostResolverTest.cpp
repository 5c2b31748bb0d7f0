// Name lookups run on the caller's thread and end by their deadline: the
// library never leaves a thread running in the process that loaded it.

#include "HostResolver.h"
#include "ReplayServer.h"
#include <Pegasus/Client/CIMClient.h>
#include <arpa/inet.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

PEGASUS_USING_PEGASUS;

namespace
{
size_t threadCount()
{
    size_t count = 0;
    DIR* tasks = ::opendir("/proc/self/task");
    while (const dirent* entry = ::readdir(tasks))
        count += entry->d_name[0] != '.';
    ::closedir(tasks);
    return count;
}

// A UDP port on loopback that takes name queries and never answers them,
// or, once closed, refuses them.
class SilentNameServer
{
public:
    SilentNameServer()
    {
        _socket = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(_socket, reinterpret_cast<sockaddr*>(&address), size);
        ::getsockname(_socket, reinterpret_cast<sockaddr*>(&address), &size);
        _port = ntohs(address.sin_port);
    }
    ~SilentNameServer() { ::close(_socket); }

    std::string address() const { return "127.0.0.1:" + std::to_string(_port); }

private:
    int _socket;
    unsigned short _port = 0;
};

long millisecondsSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}
}

TEST(HostResolver, LookupsStartNoThreadAndEndByTheirDeadline)
{
    ReplayServer server({});
    const size_t threads = threadCount();
    CIMClient client;
    client.connect("localhost", server.port(), "", "");
    EXPECT_EQ(threads, threadCount());

    SilentNameServer silent;
    const auto start = Clock::now();
    EXPECT_THROW(HostResolver(silent.address()).resolve("cimom.test", start + std::chrono::milliseconds(300)),
                 ConnectionTimeoutException);
    EXPECT_GE(millisecondsSince(start), 290);
    EXPECT_LT(millisecondsSince(start), 3000);
    EXPECT_EQ(threads, threadCount());
}

TEST(HostResolver, HostsFileAndAddressLiteralsNeedNoNameServer)
{
    SilentNameServer silent;
    const HostResolver resolver(silent.address());
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    EXPECT_EQ(std::vector<std::string>{"::1"}, resolver.resolve("::1", deadline));
    const std::vector<std::string> localhost = resolver.resolve("localhost", deadline);
    EXPECT_NE(localhost.end(), std::find(localhost.begin(), localhost.end(), "127.0.0.1"));
}
