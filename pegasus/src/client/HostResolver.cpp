#include "HostResolver.h"

#include <Pegasus/Common/Exception.h>
#include <arpa/inet.h>
#include <condition_variable>
#include <mutex>
#include <netdb.h>
#include <thread>

PEGASUS_NAMESPACE_BEGIN

namespace
{
// Shared by the caller and the lookup thread, which may outlive the call.
struct Lookup
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    int error = 0;
    std::vector<std::string> addresses;
};

bool isAddressLiteral(const std::string& host)
{
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, host.c_str(), buffer) == 1 || inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

std::vector<std::string> numericAddresses(const addrinfo* list)
{
    std::vector<std::string> addresses;
    for (const addrinfo* a = list; a; a = a->ai_next)
    {
        char text[NI_MAXHOST];
        if (getnameinfo(a->ai_addr, a->ai_addrlen, text, sizeof text, nullptr, 0, NI_NUMERICHOST) == 0)
            addresses.push_back(text);
    }
    return addresses;
}

void lookUp(const std::string& host, const std::shared_ptr<Lookup>& lookup)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    const int error = getaddrinfo(host.c_str(), nullptr, &hints, &list);
    std::vector<std::string> addresses = error == 0 ? numericAddresses(list) : std::vector<std::string>();
    if (list)
        freeaddrinfo(list);
    std::lock_guard<std::mutex> lock(lookup->mutex);
    lookup->error = error;
    lookup->addresses = std::move(addresses);
    lookup->done = true;
    lookup->finished.notify_all();
}
}

std::vector<std::string> resolveHost(const std::string& host, Clock::time_point deadline)
{
    if (isAddressLiteral(host))
        return {host};
    auto lookup = std::make_shared<Lookup>();
    std::thread(lookUp, host, lookup).detach();
    std::unique_lock<std::mutex> lock(lookup->mutex);
    if (!lookup->finished.wait_until(lock, deadline, [&] { return lookup->done; }))
        throw ConnectionTimeoutException(String("looking up " + host + " took longer than the time-out"));
    if (lookup->error != 0 || lookup->addresses.empty())
        throw CannotConnectException(String("cannot resolve " + host + ": " + gai_strerror(lookup->error)));
    return lookup->addresses;
}

PEGASUS_NAMESPACE_END
