#include "HttpTransport.h"

#include "CimomEngine.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include <algorithm>
#include <thread>
#include <vector>

namespace testcimom {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace ssl = asio::ssl;
using tcp = asio::ip::tcp;

namespace {

constexpr std::uint64_t kBodyLimit = 64 * 1024 * 1024;
const std::string kMalformedHttpReply = "HTTP/1.1 400 Bad Request\r\ncontent-length: 0000000000\r\n\r\n";
const std::string kInternalErrorReply =
    "HTTP/1.1 500 Internal Server Error\r\ncontent-length: 0000000000\r\n\r\n";

Delivery closingWith(const std::string& reply)
{
    Delivery delivery;
    delivery.bytes = reply;
    delivery.closeAfter = true;
    return delivery;
}

class Closable {
public:
    virtual ~Closable() = default;
    virtual void close() = 0;
};

HttpRequest toHttpRequest(const http::request<http::string_body>& message)
{
    HttpRequest request;
    request.method = std::string(message.method_string());
    request.target = std::string(message.target());
    request.version = message.version();
    for (const auto& field : message)
        request.headers.emplace_back(std::string(field.name_string()), std::string(field.value()));
    request.body = message.body();
    return request;
}

// One client connection: reads requests, lets the engine answer them and
// sends the bytes as the delivery plan says (delays, slow bytes, cuts).
template <class Stream>
class Connection : public Closable, public std::enable_shared_from_this<Connection<Stream>> {
public:
    template <class... Args>
    Connection(CimomEngine& engine, Args&&... args)
        : engine_(engine), stream_(std::forward<Args>(args)...), timer_(stream_.get_executor())
    {
    }

    void start();

    void close() override
    {
        timer_.cancel();
        beast::error_code ignored;
        auto& socket = beast::get_lowest_layer(stream_).socket();
        socket.shutdown(tcp::socket::shutdown_both, ignored);
        socket.close(ignored);
    }

private:
    void readRequest()
    {
        parser_.emplace();
        parser_->body_limit(kBodyLimit);
        http::async_read(stream_, buffer_, *parser_,
                         [self = this->shared_from_this()](beast::error_code ec, std::size_t) { self->onRead(ec); });
    }

    void onRead(beast::error_code ec)
    {
        if (ec == http::error::end_of_stream || ec == asio::error::operation_aborted ||
            ec == asio::error::eof || ec == asio::error::connection_reset) {
            close();
            return;
        }
        if (ec) {
            delivery_ = closingWith(kMalformedHttpReply);
        } else {
            try {
                delivery_ = engine_.handle(toHttpRequest(parser_->get()));
            } catch (const std::exception&) {
                delivery_ = closingWith(kInternalErrorReply);
            }
        }
        sent_ = 0;
        deliver();
    }

    void deliver()
    {
        if (delivery_.hold) {
            drain();
            return;
        }
        if (!delivery_.send) {
            finish();
            return;
        }
        after(delivery_.delayBefore, [this] { writeNext(); });
    }

    template <class Next>
    void after(std::chrono::milliseconds delay, Next next)
    {
        if (delay.count() <= 0) {
            next();
            return;
        }
        timer_.expires_after(delay);
        timer_.async_wait([self = this->shared_from_this(), next](beast::error_code ec) {
            if (!ec)
                next();
        });
    }

    std::size_t limit() const
    {
        return std::min(delivery_.cutAfter.value_or(delivery_.bytes.size()), delivery_.bytes.size());
    }

    void writeNext()
    {
        if (sent_ >= limit()) {
            finish();
            return;
        }
        std::size_t chunk = delivery_.perByte.count() > 0 ? 1 : limit() - sent_;
        asio::async_write(stream_, asio::buffer(delivery_.bytes.data() + sent_, chunk),
                          [self = this->shared_from_this()](beast::error_code ec, std::size_t written) {
                              if (ec) {
                                  self->close();
                                  return;
                              }
                              self->sent_ += written;
                              self->after(self->delivery_.perByte, [raw = self.get()] { raw->writeNext(); });
                          });
    }

    void finish()
    {
        if (delivery_.cutAfter || delivery_.closeAfter || !delivery_.send)
            close();
        else
            readRequest();
    }

    // Keeps a held connection until the client goes away or the server stops.
    void drain()
    {
        stream_.async_read_some(asio::buffer(drainBuffer_),
                                [self = this->shared_from_this()](beast::error_code ec, std::size_t) {
                                    if (ec)
                                        self->close();
                                    else
                                        self->drain();
                                });
    }

    void abortHandshake()
    {
        beast::get_lowest_layer(stream_).socket().async_read_some(
            asio::buffer(drainBuffer_),
            [self = this->shared_from_this()](beast::error_code, std::size_t) { self->close(); });
    }

    CimomEngine& engine_;
    Stream stream_;
    asio::steady_timer timer_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    Delivery delivery_;
    std::size_t sent_ = 0;
    std::array<char, 4096> drainBuffer_{};
};

using PlainConnection = Connection<beast::tcp_stream>;
using TlsConnection = Connection<beast::ssl_stream<beast::tcp_stream>>;

template <>
void PlainConnection::start()
{
    readRequest();
}

template <>
void TlsConnection::start()
{
    if (engine_.abortHandshake()) {
        abortHandshake();
        return;
    }
    stream_.async_handshake(ssl::stream_base::server, [self = shared_from_this()](beast::error_code ec) {
        if (ec)
            self->close();
        else
            self->readRequest();
    });
}

}  // namespace

struct HttpTransport::Impl {
    Impl(TransportOptions transportOptions, CimomEngine& cimomEngine)
        : options(std::move(transportOptions)), engine(cimomEngine)
    {
    }

    tcp::acceptor listen(int port)
    {
        tcp::endpoint endpoint(asio::ip::make_address(options.address), static_cast<unsigned short>(port));
        tcp::acceptor acceptor(io);
        beast::error_code ec;
        acceptor.open(endpoint.protocol(), ec);
        if (!ec)
            acceptor.set_option(asio::socket_base::reuse_address(true), ec);
        if (!ec)
            acceptor.bind(endpoint, ec);
        if (!ec)
            acceptor.listen(asio::socket_base::max_listen_connections, ec);
        if (ec)
            throw std::runtime_error("cannot listen on " + options.address + ":" + std::to_string(port) + ": " +
                                     ec.message());
        return acceptor;
    }

    void configureTls()
    {
        tls.set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 | ssl::context::no_sslv3);
        tls.use_certificate_chain(asio::buffer(options.certificate.certificate));
        tls.use_private_key(asio::buffer(options.certificate.privateKey), ssl::context::pem);
    }

    void accept(tcp::acceptor& acceptor, bool secure)
    {
        acceptor.async_accept([this, &acceptor, secure](beast::error_code ec, tcp::socket socket) {
            if (ec)
                return;
            engine.connectionAccepted();
            // Each answer goes out as soon as it is written: Nagle's algorithm
            // would hold its last piece back for the client's delayed ACK.
            socket.set_option(tcp::no_delay(true), ec);
            std::shared_ptr<Closable> connection;
            if (secure) {
                auto tlsConnection = std::make_shared<TlsConnection>(engine, std::move(socket), tls);
                tlsConnection->start();
                connection = tlsConnection;
            } else {
                auto plainConnection = std::make_shared<PlainConnection>(engine, std::move(socket));
                plainConnection->start();
                connection = plainConnection;
            }
            remember(connection);
            accept(acceptor, secure);
        });
    }

    void remember(const std::shared_ptr<Closable>& connection)
    {
        connections.erase(std::remove_if(connections.begin(), connections.end(),
                                         [](const std::weak_ptr<Closable>& weak) { return weak.expired(); }),
                          connections.end());
        connections.push_back(connection);
    }

    void closeAll()
    {
        beast::error_code ignored;
        for (tcp::acceptor& acceptor : acceptors)
            acceptor.close(ignored);
        for (const std::weak_ptr<Closable>& weak : connections) {
            if (std::shared_ptr<Closable> connection = weak.lock())
                connection->close();
        }
        connections.clear();
    }

    static int portOf(const tcp::acceptor* acceptor)
    {
        return acceptor ? acceptor->local_endpoint().port() : -1;
    }

    TransportOptions options;
    CimomEngine& engine;
    ssl::context tls{ssl::context::tls_server};  // outlives the connections the I/O context still holds
    asio::io_context io{1};
    std::vector<tcp::acceptor> acceptors;
    tcp::acceptor* httpAcceptor = nullptr;
    tcp::acceptor* httpsAcceptor = nullptr;
    std::vector<std::weak_ptr<Closable>> connections;
    std::thread thread;
};

HttpTransport::HttpTransport(TransportOptions options, CimomEngine& engine)
    : impl_(std::make_unique<Impl>(std::move(options), engine))
{
}

HttpTransport::~HttpTransport()
{
    stop();
}

void HttpTransport::start()
{
    Impl& impl = *impl_;
    const bool tlsOnHttpsPort = impl.options.httpsPort >= 0 && !impl.options.plainOnHttpsPort;
    if (tlsOnHttpsPort)
        impl.configureTls();
    impl.acceptors.reserve(2);
    if (impl.options.httpPort >= 0)
        impl.httpAcceptor = &impl.acceptors.emplace_back(impl.listen(impl.options.httpPort));
    if (impl.options.httpsPort >= 0)
        impl.httpsAcceptor = &impl.acceptors.emplace_back(impl.listen(impl.options.httpsPort));
    if (impl.httpAcceptor)
        impl.accept(*impl.httpAcceptor, false);
    if (impl.httpsAcceptor)
        impl.accept(*impl.httpsAcceptor, tlsOnHttpsPort);
    impl.thread = std::thread([&impl] { impl.io.run(); });
}

void HttpTransport::stop()
{
    Impl& impl = *impl_;
    if (!impl.thread.joinable())
        return;
    asio::post(impl.io, [&impl] {
        impl.closeAll();
        impl.io.stop();
    });
    impl.thread.join();
}

int HttpTransport::httpPort() const
{
    return Impl::portOf(impl_->httpAcceptor);
}

int HttpTransport::httpsPort() const
{
    return Impl::portOf(impl_->httpsAcceptor);
}

}  // namespace testcimom
