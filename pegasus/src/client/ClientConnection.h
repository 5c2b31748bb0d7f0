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
// authenticate, the connect time-out and the response size cap, and the
// request/response cycle with its HTTP and CIM error checks. Each call
// ends by the deadline its caller gives.
class ClientConnection
{
public:
    explicit ClientConnection(std::unique_ptr<HttpTransport> transport);

    // Bounds every connect, whatever the deadline it serves.
    Uint32 connectTimeout() const { return _connectTimeout; }
    void setConnectTimeout(Uint32 milliseconds) { _connectTimeout = milliseconds; }
    Uint64 maxResponseBytes() const { return _maxResponseBytes; }
    void setMaxResponseBytes(Uint64 bytes) { _maxResponseBytes = bytes; }
    void setProgressCallback(CIMClient::ProgressCallback callback) { _progress = std::move(callback); }

    void connect(const String& host,
                 Uint32 port,
                 const SSLContext* tls,
                 const String& userName,
                 const String& password,
                 Clock::time_point deadline);
    void disconnect();
    Uint32 nextMessageId() { return _nextMessageId++; }

    // Sends the request (reconnecting first when the server closed the
    // idle connection) and returns the decoded response; throws for HTTP
    // failures, CIM errors and responses to another method.
    DecodedResponse call(const EncodedRequest& request, Clock::time_point deadline);

private:
    Clock::time_point connectDeadline(Clock::time_point deadline) const;
    void ensureConnection(Clock::time_point deadline);
    HttpRequest httpRequest(const EncodedRequest& request) const;

    Uint32 _connectTimeout = CIMClient::DEFAULT_CONNECT_TIMEOUT_MILLISECONDS;
    Uint64 _maxResponseBytes = CIMClient::DEFAULT_MAX_RESPONSE_BYTES;
    CIMClient::ProgressCallback _progress;

    std::unique_ptr<HttpTransport> _transport;
    HttpEndpoint _endpoint;
    std::string _authorization;
    bool _connected = false;
    Uint32 _nextMessageId = 1000;
};

PEGASUS_NAMESPACE_END

#endif
