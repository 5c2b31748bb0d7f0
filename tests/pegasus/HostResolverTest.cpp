// Name lookups run on the caller's thread and end by their deadline: the
// library never leaves a thread running in the process that loaded it.

#include "HostResolver.h"
#include "ReplayServer.h"
#include "SilentPort.h"
#include <Pegasus/Client/CIMClient.h>
#include <algorithm>
#include <dirent.h>
#include <gtest/gtest.h>

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

std::string nameServerAt(const SilentPort& port)
{
    return "127.0.0.1:" + std::to_string(port.port());
}

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

    const SilentPort silentNameServer(SOCK_DGRAM);
    const HostResolver resolver(nameServerAt(silentNameServer));
    const auto start = Clock::now();
    EXPECT_THROW(resolver.resolve("cimom.test", start + std::chrono::milliseconds(300)), ConnectionTimeoutException);
    EXPECT_GE(millisecondsSince(start), 290);
    EXPECT_LT(millisecondsSince(start), 3000);
    EXPECT_EQ(threads, threadCount());
}

TEST(HostResolver, HostsFileAndAddressLiteralsNeedNoNameServer)
{
    const SilentPort silentNameServer(SOCK_DGRAM);
    const HostResolver resolver(nameServerAt(silentNameServer));
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    EXPECT_EQ(std::vector<std::string>{"::1"}, resolver.resolve("::1", deadline));
    const std::vector<std::string> localhost = resolver.resolve("localhost", deadline);
    EXPECT_NE(localhost.end(), std::find(localhost.begin(), localhost.end(), "127.0.0.1"));
}

TEST(HostResolver, AnUnknownNameIsACannotConnect)
{
    // A name server port with nobody behind it refuses at once.
    std::string refusingNameServer;
    {
        const SilentPort closed(SOCK_DGRAM);
        refusingNameServer = nameServerAt(closed);
    }
    const HostResolver resolver(refusingNameServer);
    EXPECT_THROW(resolver.resolve("no-such-host.invalid", Clock::now() + std::chrono::seconds(10)),
                 CannotConnectException);
}
