#ifndef Pegasus_HostResolver_h
#define Pegasus_HostResolver_h

#include "HttpTransport.h"
#include <string>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// Looks host names up with c-ares on the calling thread, waiting for its
// sockets with poll() no longer than the deadline. No thread is started, so
// the library holds no code in use once a call returns. An address literal
// needs no lookup.
class HostResolver
{
public:
    // nameServers: "address:port,..." to ask instead of those of
    // resolv.conf (the hosts file is read either way).
    explicit HostResolver(std::string nameServers = std::string());

    // The numeric addresses of the host. Throws ConnectionTimeoutException
    // when the deadline passes first, CannotConnectException when the name
    // is unknown or the lookup fails.
    std::vector<std::string> resolve(const std::string& host, Clock::time_point deadline) const;

private:
    std::string _nameServers;
};

PEGASUS_NAMESPACE_END

#endif
