#include "HostResolver.h"

#include <Pegasus/Common/Exception.h>
#include <algorithm>
#include <ares.h>
#include <arpa/inet.h>
#include <memory>
#include <netdb.h>
#include <poll.h>

PEGASUS_NAMESPACE_BEGIN

namespace
{
// What the lookup's callback leaves for the caller.
struct Lookup
{
    bool done = false;
    int status = ARES_SUCCESS;
    std::vector<std::string> addresses;
};

struct ChannelDestroyer
{
    void operator()(ares_channel channel) const { ares_destroy(channel); }
};
using Channel = std::unique_ptr<ares_channeldata, ChannelDestroyer>;

bool isAddressLiteral(const std::string& host)
{
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, host.c_str(), buffer) == 1 || inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

[[noreturn]] void lookupFailed(const std::string& host, int status)
{
    throw CannotConnectException(String("cannot resolve " + host + ": " + ares_strerror(status)));
}

// c-ares reports each socket it wants watched, and each it is done with.
void watchSocket(void* data, ares_socket_t socket, int readable, int writable)
{
    auto& watched = *static_cast<std::vector<pollfd>*>(data);
    watched.erase(std::remove_if(watched.begin(), watched.end(), [&](const pollfd& p) { return p.fd == socket; }),
                  watched.end());
    const short events = static_cast<short>((readable ? POLLIN : 0) | (writable ? POLLOUT : 0));
    if (events)
        watched.push_back(pollfd{socket, events, 0});
}

void keepAddresses(void* data, int status, int, ares_addrinfo* result)
{
    Lookup& lookup = *static_cast<Lookup*>(data);
    lookup.done = true;
    lookup.status = status;
    if (!result)
        return;
    for (const ares_addrinfo_node* node = result->nodes; node; node = node->ai_next)
    {
        char text[NI_MAXHOST];
        if (getnameinfo(node->ai_addr, node->ai_addrlen, text, sizeof text, nullptr, 0, NI_NUMERICHOST) == 0)
            lookup.addresses.push_back(text);
    }
    ares_freeaddrinfo(result);
}

Channel openChannel(const std::string& host, const std::string& nameServers, std::vector<pollfd>& watched)
{
    static const int initialized = ares_library_init(ARES_LIB_INIT_ALL);
    if (initialized != ARES_SUCCESS)
        lookupFailed(host, initialized);
    ares_options options{};
    options.sock_state_cb = watchSocket;
    options.sock_state_cb_data = &watched;
    ares_channel channel = nullptr;
    int status = ares_init_options(&channel, &options, ARES_OPT_SOCK_STATE_CB);
    if (status != ARES_SUCCESS)
        lookupFailed(host, status);
    Channel owned(channel);
    if (!nameServers.empty() && (status = ares_set_servers_ports_csv(channel, nameServers.c_str())) != ARES_SUCCESS)
        lookupFailed(host, status);
    return owned;
}

timeval timevalOf(Clock::duration duration)
{
    const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
    return timeval{static_cast<time_t>(microseconds / 1000000), static_cast<suseconds_t>(microseconds % 1000000)};
}

int millisecondsRoundedUp(const timeval& wait)
{
    return static_cast<int>(wait.tv_sec * 1000 + (wait.tv_usec + 999) / 1000);
}

// Waits for the channel's sockets no longer than its next retry or the
// deadline, then lets c-ares read, write or retry.
void processOnce(ares_channel channel, const std::vector<pollfd>& watched, Clock::time_point deadline,
                 const std::string& host)
{
    const Clock::duration left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        throw ConnectionTimeoutException(String("looking up " + host + " took longer than the time-out"));
    timeval limit = timevalOf(left);
    timeval retry;
    const timeval* wait = ares_timeout(channel, &limit, &retry);   // the sooner of both
    // Processing may close and open sockets: poll a copy.
    std::vector<pollfd> ready = watched;
    if (::poll(ready.data(), ready.size(), millisecondsRoundedUp(*wait)) <= 0)
    {
        ares_process_fd(channel, ARES_SOCKET_BAD, ARES_SOCKET_BAD);
        return;
    }
    for (const pollfd& socket : ready)
    {
        const bool readable = socket.revents & (POLLIN | POLLERR | POLLHUP);
        const bool writable = socket.revents & POLLOUT;
        if (readable || writable)
            ares_process_fd(channel, readable ? socket.fd : ARES_SOCKET_BAD, writable ? socket.fd : ARES_SOCKET_BAD);
    }
}
}

HostResolver::HostResolver(std::string nameServers) : _nameServers(std::move(nameServers))
{
}

std::vector<std::string> HostResolver::resolve(const std::string& host, Clock::time_point deadline) const
{
    if (isAddressLiteral(host))
        return {host};
    // The channel calls back into both while it is destroyed: they go last.
    Lookup lookup;
    std::vector<pollfd> watched;
    const Channel channel = openChannel(host, _nameServers, watched);
    ares_addrinfo_hints hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    ares_getaddrinfo(channel.get(), host.c_str(), nullptr, &hints, keepAddresses, &lookup);
    while (!lookup.done)
        processOnce(channel.get(), watched, deadline, host);
    if (lookup.status != ARES_SUCCESS)
        lookupFailed(host, lookup.status);
    if (lookup.addresses.empty())
        lookupFailed(host, ARES_ENODATA);
    return lookup.addresses;
}

PEGASUS_NAMESPACE_END
