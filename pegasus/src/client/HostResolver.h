#ifndef Pegasus_HostResolver_h
#define Pegasus_HostResolver_h

#include "HttpTransport.h"
#include <string>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// The numeric addresses of a host name, looked up within a deadline.
// getaddrinfo() cannot be interrupted, so it runs on a thread of its own
// that is left to finish alone when the deadline passes; an address
// literal needs no lookup. Throws ConnectionTimeoutException or
// CannotConnectException.
std::vector<std::string> resolveHost(const std::string& host, Clock::time_point deadline);

PEGASUS_NAMESPACE_END

#endif
