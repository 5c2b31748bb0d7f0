#include "HostResolver.h"
#include "HttpTransport.h"

#include <Pegasus/Common/Exception.h>
#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>
#include <limits>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <poll.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

PEGASUS_NAMESPACE_BEGIN

namespace
{
namespace net = boost::asio;
namespace ssl = boost::asio::ssl;
namespace beast = boost::beast;
namespace http = boost::beast::http;
using tcp = net::ip::tcp;

// Socket reads are at least this large when that much has arrived: each
// read costs a system call and a wake-up of the event loop.
const size_t READ_PIECE = 64 * 1024;
const unsigned HEADER_LIMIT = 64 * 1024;
// The parser bounds the head and the body, but not the line of a chunk
// header nor the trailer: bounding its input buffer bounds them too.
const size_t BUFFER_LIMIT = HEADER_LIMIT + READ_PIECE;

String text(const std::string& s)
{
    return String(s);
}

std::string describe(const HttpEndpoint& endpoint)
{
    return endpoint.host + ":" + std::to_string(endpoint.port);
}

String nameOf(X509_NAME* name)
{
    char buffer[512] = "";
    if (name)
        X509_NAME_oneline(name, buffer, sizeof buffer);
    return String(buffer);
}

// Asks the application's callback about each certificate of the chain.
bool askVerifyFunction(SSLCertificateVerifyFunction* verify, bool preverified, ssl::verify_context& context)
{
    X509_STORE_CTX* store = context.native_handle();
    X509* certificate = X509_STORE_CTX_get_current_cert(store);
    const int error = preverified ? X509_V_OK : X509_STORE_CTX_get_error(store);
    SSLCertificateInfo info(nameOf(certificate ? X509_get_subject_name(certificate) : nullptr),
                            nameOf(certificate ? X509_get_issuer_name(certificate) : nullptr),
                            X509_STORE_CTX_get_error_depth(store),
                            error,
                            String(X509_verify_cert_error_string(error)));
    return verify(info);
}

void configureTls(ssl::context& context, const SSLContext& settings)
{
    const std::string& trustStore = settings.getTrustStore().str();
    if (settings.getRandomFile().size())
        RAND_load_file(settings.getRandomFile().str().c_str(), -1);
    if (trustStore.empty() && !settings.getVerifyFunction())
    {
        context.set_verify_mode(ssl::verify_none);
        return;
    }
    boost::system::error_code ec;
    struct stat info;
    if (!trustStore.empty())
    {
        const bool isDirectory = ::stat(trustStore.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if (isDirectory)
            context.add_verify_path(trustStore, ec);
        else
            context.load_verify_file(trustStore, ec);
        if (ec)
            throw SSLException(text("cannot load the trust store " + trustStore + ": " + ec.message()));
    }
    context.set_verify_mode(ssl::verify_peer);
    if (SSLCertificateVerifyFunction* verify = settings.getVerifyFunction())
    {
        context.set_verify_callback(
            [verify](bool preverified, ssl::verify_context& c) { return askVerifyFunction(verify, preverified, c); });
    }
}

class AsioHttpTransport : public HttpTransport
{
    // Beast's rate policy hook, used to count the socket reads, never to
    // limit them.
    class ReadCounter
    {
    public:
        explicit ReadCounter(Uint64& reads) : _reads(&reads) {}

    private:
        friend class beast::rate_policy_access;
        static constexpr size_t UNLIMITED = std::numeric_limits<size_t>::max();

        size_t available_read_bytes() const noexcept { return UNLIMITED; }
        size_t available_write_bytes() const noexcept { return UNLIMITED; }
        void transfer_read_bytes(size_t) noexcept { ++*_reads; }
        void transfer_write_bytes(size_t) const noexcept {}
        void on_timer() const noexcept {}

        Uint64* _reads;
    };

    using TcpStream = beast::basic_stream<tcp, net::any_io_executor, ReadCounter>;
    using TlsStream = beast::ssl_stream<TcpStream>;

public:
    explicit AsioHttpTransport(std::optional<int> connectedSocket = std::nullopt)
        : _connectedSocket(connectedSocket)
    {
        // Beast reads as much as the buffer has room for, 512 bytes when
        // it has none.
        _buffer.reserve(READ_PIECE);
    }

    ~AsioHttpTransport() override
    {
        close();
        if (_connectedSocket && *_connectedSocket >= 0)
            ::close(*_connectedSocket);
    }

    void open(const HttpEndpoint& endpoint, Clock::time_point deadline) override
    {
        close();
        _endpoint = endpoint;
        _tcp = std::make_unique<TcpStream>(ReadCounter(_socketReads), _io);
        if (_connectedSocket)
            takeConnectedSocket();
        else
            connect(deadline);
        if (endpoint.tls)
            startTls(*endpoint.tls, deadline);
        _usedSinceOpen = false;
    }

    // No operation is pending between calls: the streams close their
    // socket as they go.
    void close() override
    {
        _tls.reset();
        _tcp.reset();
        _tlsContext.reset();
        _buffer.clear();
    }

    bool isOpen() const override { return _tcp || _tls; }

    Uint64 socketReads() const override { return _socketReads; }

    bool isUsable() override
    {
        if (!isOpen())
            return false;
        if (_buffer.size() > 0)
            return false;
        pollfd descriptor{socket().native_handle(), POLLIN | POLLRDHUP, 0};
        if (::poll(&descriptor, 1, 0) == 0)
            return true;
        // A TLS connection not used yet may hold the session tickets the
        // server sent after the handshake: only one the server closed is
        // unusable then.
        if (_tls && !_usedSinceOpen)
            return (descriptor.revents & (POLLRDHUP | POLLHUP | POLLERR)) == 0;
        return false;
    }

    HttpResponse exchange(const HttpRequest& request,
                          HttpBodySink& sink,
                          Clock::time_point deadline,
                          Uint64 maxResponseBytes) override
    {
        _usedSinceOpen = true;
        try
        {
            HttpResponse response = _tls ? exchangeOn(*_tls, request, sink, deadline, maxResponseBytes)
                                         : exchangeOn(*_tcp, request, sink, deadline, maxResponseBytes);
            return response;
        }
        catch (...)
        {
            close();
            throw;
        }
    }

private:
    tcp::socket& socket() { return _tls ? beast::get_lowest_layer(*_tls).socket() : _tcp->socket(); }

    void connect(Clock::time_point deadline)
    {
        const std::vector<tcp::endpoint> addresses = resolve(deadline);
        _tcp->expires_at(deadline);
        const boost::system::error_code ec = complete([&](auto done) { _tcp->async_connect(addresses, done); });
        if (ec)
        {
            close();
            throw CannotConnectException(text("cannot connect to " + describe(_endpoint) + ": " + ec.message()));
        }
    }

    // The given socket serves one connection: once closed, it cannot be
    // opened again.
    void takeConnectedSocket()
    {
        if (*_connectedSocket < 0)
        {
            close();
            throw CannotConnectException(text("the connection to " + describe(_endpoint) + " cannot be opened again"));
        }
        boost::system::error_code ec;
        _tcp->socket().assign(tcp::v4(), *_connectedSocket, ec);
        _connectedSocket = -1;
        if (ec)
        {
            close();
            throw CannotConnectException(text("cannot use the connected socket: " + ec.message()));
        }
    }

    // Runs the operation just started to its end. The stream's expiry
    // bounds it: past it Beast closes the socket and ends the operation
    // with error::timeout, which closes the connection and becomes
    // ConnectionTimeoutException.
    template <class Start>
    boost::system::error_code complete(Start&& start)
    {
        boost::system::error_code result;
        start([&result](boost::system::error_code ec, auto&&...) { result = ec; });
        _io.restart();
        _io.run();
        if (result != beast::error::timeout)
            return result;
        close();
        throw ConnectionTimeoutException(text("no answer from " + describe(_endpoint) + " within the time-out"));
    }

    std::vector<tcp::endpoint> resolve(Clock::time_point deadline) const
    {
        std::vector<tcp::endpoint> endpoints;
        for (const std::string& address : HostResolver().resolve(_endpoint.host, deadline))
            endpoints.emplace_back(net::ip::make_address(address), static_cast<unsigned short>(_endpoint.port));
        return endpoints;
    }

    void startTls(const SSLContext& settings, Clock::time_point deadline)
    {
        _tlsContext = std::make_unique<ssl::context>(ssl::context::tls_client);
        configureTls(*_tlsContext, settings);
        _tls = std::make_unique<TlsStream>(std::move(*_tcp), *_tlsContext);
        _tcp.reset();
        boost::system::error_code address;
        net::ip::make_address(_endpoint.host, address);
        if (address)
            SSL_set_tlsext_host_name(_tls->native_handle(), _endpoint.host.c_str());
        beast::get_lowest_layer(*_tls).expires_at(deadline);
        const boost::system::error_code ec =
            complete([&](auto done) { _tls->async_handshake(ssl::stream_base::client, done); });
        if (ec)
        {
            close();
            throw SSLException(text("TLS handshake with " + describe(_endpoint) + " failed: " + ec.message()));
        }
    }

    template <class Stream>
    HttpResponse exchangeOn(Stream& stream,
                            const HttpRequest& request,
                            HttpBodySink& sink,
                            Clock::time_point deadline,
                            Uint64 maxResponseBytes)
    {
        send(stream, request, deadline);
        http::response_parser<http::buffer_body> parser;
        parser.header_limit(HEADER_LIMIT);
        parser.body_limit(maxResponseBytes);
        readHead(stream, parser, deadline);
        HttpResponse response = headOf(parser.get());
        sink.onHead(response);
        const bool delimited = parser.chunked() || parser.content_length().has_value();
        if (delimited || response.status == 200)
            readBody(stream, parser, sink, deadline);
        for (const auto& field : parser.get())
            appendTrailer(response, field);
        if (!delimited || !parser.keep_alive())
            close();
        return response;
    }

    template <class Stream>
    void send(Stream& stream, const HttpRequest& request, Clock::time_point deadline)
    {
        http::request<http::string_body> message{http::verb::post, "/cimom", 11};
        message.set(http::field::host, describe(_endpoint));
        for (const HttpField& field : request.fields)
            message.set(field.name, field.value);
        message.body() = request.body;
        message.prepare_payload();
        beast::get_lowest_layer(stream).expires_at(deadline);
        const boost::system::error_code ec = complete([&](auto done) { http::async_write(stream, message, done); });
        if (ec)
            throw CIMClientConnectionException(text("connection to " + describe(_endpoint)
                                                    + " broke while sending the request: " + ec.message()));
    }

    template <class Stream, class Parser>
    void readHead(Stream& stream, Parser& parser, Clock::time_point deadline)
    {
        beast::get_lowest_layer(stream).expires_at(deadline);
        const boost::system::error_code ec =
            complete([&](auto done) { http::async_read_header(stream, _buffer, parser, done); });
        if (!ec)
            return;
        if (ec == http::error::end_of_stream || ec == net::error::eof || ec == net::error::connection_reset
            || ec == ssl::error::stream_truncated || ec == net::error::broken_pipe)
            throw CIMClientConnectionException(text("connection to " + describe(_endpoint)
                                                    + " broke before the response: " + ec.message()));
        throw CIMClientMalformedHTTPException(text("malformed HTTP response header from " + describe(_endpoint)
                                                   + ": " + ec.message()));
    }

    template <class Stream, class Parser>
    void readBody(Stream& stream, Parser& parser, HttpBodySink& sink, Clock::time_point deadline)
    {
        std::vector<char> piece(READ_PIECE);
        Uint64 received = 0;
        while (!parser.is_done())
        {
            parser.get().body().data = piece.data();
            parser.get().body().size = piece.size();
            beast::get_lowest_layer(stream).expires_at(deadline);
            const boost::system::error_code ec =
                complete([&](auto done) { http::async_read(stream, _buffer, parser, done); });
            const size_t size = piece.size() - parser.get().body().size;
            received += size;
            if (size)
                sink.onBody(piece.data(), size);
            if (ec && ec != http::error::need_buffer)
                bodyFailed(ec, received);
        }
    }

    [[noreturn]] void bodyFailed(const boost::system::error_code& ec, Uint64 received)
    {
        if (ec == http::error::body_limit)
            throw CIMClientMalformedHTTPException(text("response from " + describe(_endpoint)
                                                       + " exceeds the size limit"));
        if (ec == http::error::buffer_overflow)
            throw CIMClientMalformedHTTPException(text("response from " + describe(_endpoint)
                                                       + " has a chunk header or trailer over "
                                                       + std::to_string(BUFFER_LIMIT) + " bytes"));
        throw CIMClientMalformedHTTPException(text("response body from " + describe(_endpoint)
                                                   + " ends after " + std::to_string(received)
                                                   + " bytes: " + ec.message()));
    }

    static HttpResponse headOf(const http::response_header<>& header)
    {
        HttpResponse response;
        response.status = header.result_int();
        response.reason = std::string(header.reason());
        for (const auto& field : header)
            response.fields.push_back(HttpField{std::string(field.name_string()), std::string(field.value())});
        return response;
    }

    // Trailer fields were added to the header by the parser after the head
    // was taken: whatever the head lacks came from the trailer.
    static void appendTrailer(HttpResponse& response, const http::fields::value_type& field)
    {
        const std::string name(field.name_string());
        const std::string value(field.value());
        for (const HttpField& known : response.fields)
            if (::strcasecmp(known.name.c_str(), name.c_str()) == 0 && known.value == value)
                return;
        response.fields.push_back(HttpField{name, value});
    }

    net::io_context _io;
    std::optional<int> _connectedSocket;   // set for a transport over a given socket; -1 once taken
    HttpEndpoint _endpoint;
    std::unique_ptr<TcpStream> _tcp;
    std::unique_ptr<ssl::context> _tlsContext;
    std::unique_ptr<TlsStream> _tls;
    beast::flat_buffer _buffer{BUFFER_LIMIT};
    bool _usedSinceOpen = false;
    Uint64 _socketReads = 0;
};
}

std::optional<std::string> HttpResponse::field(std::string_view name) const
{
    for (auto it = fields.rbegin(); it != fields.rend(); ++it)
        if (it->name.size() == name.size() && ::strncasecmp(it->name.c_str(), name.data(), name.size()) == 0)
            return it->value;
    return std::nullopt;
}

std::unique_ptr<HttpTransport> makeAsioHttpTransport()
{
    return std::make_unique<AsioHttpTransport>();
}

std::unique_ptr<HttpTransport> makeAsioHttpTransport(int connectedSocket)
{
    return std::make_unique<AsioHttpTransport>(connectedSocket);
}

PEGASUS_NAMESPACE_END
