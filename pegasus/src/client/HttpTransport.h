#ifndef Pegasus_HttpTransport_h
#define Pegasus_HttpTransport_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/SSLContext.h>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

using Clock = std::chrono::steady_clock;

struct HttpField
{
    std::string name;
    std::string value;
};

struct HttpEndpoint
{
    std::string host;
    Uint32 port = 0;
    std::optional<SSLContext> tls;   // HTTPS when set
};

struct HttpRequest
{
    std::vector<HttpField> fields;   // besides Host and Content-Length
    std::string body;
};

// Status line and header fields of a response; after the body, the trailer
// fields of a chunked response are appended to the fields.
struct HttpResponse
{
    unsigned status = 0;
    std::string reason;
    std::vector<HttpField> fields;

    // The last field of that name (compared without regard to case).
    std::optional<std::string> field(std::string_view name) const;
};

// Receives a response as it arrives.
class HttpBodySink
{
public:
    virtual ~HttpBodySink() = default;
    virtual void onHead(const HttpResponse& head) = 0;
    virtual void onBody(const char* data, size_t size) = 0;
};

// One HTTP/1.1 connection, plain or TLS, used for one request at a time.
// Every call is bounded by its deadline: ConnectionTimeoutException, with
// the connection closed. Errors: CannotConnectException and SSLException
// (open), CIMClientConnectionException (connection broke before a
// response began), CIMClientMalformedHTTPException (bad or truncated
// response, or one larger than the cap).
class HttpTransport
{
public:
    virtual ~HttpTransport() = default;

    virtual void open(const HttpEndpoint& endpoint, Clock::time_point deadline) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // False when the server closed the connection (or sent something
    // unasked) since the last response.
    virtual bool isUsable() = 0;
    // Reads from the socket since the transport was made: how finely the
    // responses were taken in.
    virtual Uint64 socketReads() const = 0;
    // Sends the request and passes the response to the sink. The
    // connection is closed afterwards when the server asked for it or the
    // response was not delimited.
    virtual HttpResponse exchange(const HttpRequest& request,
                                  HttpBodySink& sink,
                                  Clock::time_point deadline,
                                  Uint64 maxResponseBytes) = 0;
};

std::unique_ptr<HttpTransport> makeAsioHttpTransport();
// The same transport over a stream socket that is already connected, such
// as one end of a socketpair: open() takes it over once instead of looking
// the host up and connecting, so a response can be served from memory.
std::unique_ptr<HttpTransport> makeAsioHttpTransport(int connectedSocket);

PEGASUS_NAMESPACE_END

#endif
