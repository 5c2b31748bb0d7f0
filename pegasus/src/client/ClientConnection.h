#ifndef Pegasus_ClientConnection_h
#define Pegasus_ClientConnection_h

#include "DecodedResponse.h"
#include "HttpTransport.h"
#include "RequestEncoder.h"
#include <Pegasus/Client/CIMClient.h>
#include <Pegasus/Common/SSLContext.h>
#include <Pegasus/Common/String.h>
#include <memory>

PEGASUS_NAMESPACE_BEGIN

// The connection state behind a CIMClient: where the server is, how to
// authenticate, the time-outs, and the request/response cycle with its
// HTTP and CIM error checks.
class ClientConnection
{
public:
    explicit ClientConnection(std::unique_ptr<HttpTransport> transport);

    Uint32 timeout = CIMClient::DEFAULT_TIMEOUT_MILLISECONDS;
    Uint32 connectTimeout = CIMClient::DEFAULT_CONNECT_TIMEOUT_MILLISECONDS;
    Uint64 maxResponseBytes = CIMClient::DEFAULT_MAX_RESPONSE_BYTES;

    void connect(const String& host, Uint32 port, const SSLContext* tls, const String& userName, const String& password);
    void disconnect();
    Uint32 nextMessageId() { return _nextMessageId++; }

    // Sends the request (reconnecting first when the server closed the
    // idle connection) and returns the decoded response; throws for HTTP
    // failures, CIM errors and responses to another method.
    DecodedResponse call(const EncodedRequest& request);

private:
    Clock::time_point connectDeadline() const;
    void ensureConnection();
    HttpRequest httpRequest(const EncodedRequest& request) const;

    std::unique_ptr<HttpTransport> _transport;
    HttpEndpoint _endpoint;
    std::string _authorization;
    bool _connected = false;
    Uint32 _nextMessageId = 1000;
};

PEGASUS_NAMESPACE_END

#endif
