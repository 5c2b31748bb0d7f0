#include "RawClient.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include <openssl/x509.h>

#include <stdexcept>

namespace testcimom::test {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace ssl = asio::ssl;
using tcp = asio::ip::tcp;

std::string HttpAnswer::header(const std::string& lowerCaseName) const
{
    auto it = headers.find(lowerCaseName);
    return it == headers.end() ? std::string() : it->second;
}

std::string cimRequest(const std::string& method, const std::string& nameSpace, const std::string& body,
                       const std::string& extraHeaders)
{
    std::string encoded;
    for (char c : nameSpace)
        encoded += c == '/' ? std::string("%2F") : std::string(1, c);
    return "POST /cimom HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/xml; charset=\"utf-8\"\r\n"
           "CIMOperation: MethodCall\r\nCIMMethod: " + method + "\r\nCIMObject: " + encoded + "\r\n" +
           extraHeaders + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string intrinsicBody(const std::string& method, const std::string& nameSpace, const std::string& params,
                          const std::string& id)
{
    std::string path;
    for (std::size_t start = 0; start < nameSpace.size();) {
        std::size_t end = nameSpace.find('/', start);
        if (end == std::string::npos)
            end = nameSpace.size();
        path += "<NAMESPACE NAME=\"" + nameSpace.substr(start, end - start) + "\"/>";
        start = end + 1;
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">\n<MESSAGE ID=\"" +
           id + "\" PROTOCOLVERSION=\"1.0\">\n<SIMPLEREQ>\n<IMETHODCALL NAME=\"" + method +
           "\">\n<LOCALNAMESPACEPATH>" + path + "</LOCALNAMESPACEPATH>\n" + params +
           "</IMETHODCALL>\n</SIMPLEREQ>\n</MESSAGE>\n</CIM>\n";
}

std::string classRequest(const std::string& method, const std::string& nameSpace, const std::string& className,
                         const std::string& extraHeaders)
{
    return cimRequest(method, nameSpace,
                      intrinsicBody(method, nameSpace,
                                    "<IPARAMVALUE NAME=\"ClassName\"><CLASSNAME NAME=\"" + className +
                                        "\"/></IPARAMVALUE>\n"),
                      extraHeaders);
}

struct RawClient::Impl {
    asio::io_context io;
    ssl::context context{ssl::context::tls_client};
    beast::ssl_stream<beast::tcp_stream> stream{io, context};
    beast::flat_buffer buffer;
    bool tls = false;

    beast::tcp_stream& tcpStream() { return stream.next_layer(); }

    // Runs one asynchronous operation to its end; the stream's timeout closes
    // the socket when the peer stays silent.
    template <class Start>
    beast::error_code run(std::chrono::milliseconds timeout, Start start)
    {
        beast::error_code result = asio::error::would_block;
        tcpStream().expires_after(timeout);
        start([&result](beast::error_code ec, std::size_t = 0) { result = ec; });
        io.restart();
        io.run();
        return result;
    }

    template <class Operation>
    beast::error_code onStream(std::chrono::milliseconds timeout, Operation operation)
    {
        return tls ? run(timeout, [&](auto done) { operation(stream, done); })
                   : run(timeout, [&](auto done) { operation(tcpStream(), done); });
    }

    X509* peerCertificate() const
    {
        return SSL_get0_peer_certificate(const_cast<beast::ssl_stream<beast::tcp_stream>&>(stream).native_handle());
    }
};

RawClient::RawClient(const std::string& address, int port, bool tls) : impl_(std::make_unique<Impl>())
{
    impl_->tls = tls;
    impl_->context.set_verify_mode(ssl::verify_none);
    tcp::endpoint endpoint(asio::ip::make_address(address), static_cast<unsigned short>(port));
    beast::error_code ec = impl_->run(5s, [&](auto done) { impl_->tcpStream().async_connect(endpoint, done); });
    if (!ec && tls)
        ec = impl_->run(5s, [&](auto done) { impl_->stream.async_handshake(ssl::stream_base::client, done); });
    if (ec)
        throw std::runtime_error("cannot connect to " + address + ":" + std::to_string(port) + ": " + ec.message());
}

RawClient::~RawClient() = default;
RawClient::RawClient(RawClient&&) noexcept = default;
RawClient& RawClient::operator=(RawClient&&) noexcept = default;

void RawClient::send(const std::string& bytes)
{
    beast::error_code ec = impl_->onStream(10s, [&](auto& stream, auto done) {
        asio::async_write(stream, asio::buffer(bytes), done);
    });
    if (ec)
        throw std::runtime_error("send failed: " + ec.message());
}

namespace {

HttpAnswer toAnswer(const http::response_parser<http::string_body>& parser)
{
    HttpAnswer answer;
    const auto& message = parser.get();
    answer.status = static_cast<int>(message.result_int());
    for (const auto& field : message) {
        std::string name(field.name_string());
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        answer.headers[name] = std::string(field.value());
    }
    answer.body = message.body();
    answer.keepAlive = message.keep_alive();
    return answer;
}

}  // namespace

HttpAnswer parseAnswer(const std::string& bytes)
{
    http::response_parser<http::string_body> parser;
    parser.body_limit(256 * 1024 * 1024);
    parser.eager(true);
    beast::error_code ec;
    std::size_t used = parser.put(asio::buffer(bytes), ec);
    if (!ec && !parser.is_done() && used == bytes.size())
        parser.put_eof(ec);
    if (ec)
        throw std::runtime_error("malformed HTTP answer: " + ec.message());
    return toAnswer(parser);
}

HttpAnswer RawClient::readAnswer(std::chrono::milliseconds timeout)
{
    http::response_parser<http::string_body> parser;
    parser.body_limit(256 * 1024 * 1024);
    beast::error_code ec = impl_->onStream(timeout, [&](auto& stream, auto done) {
        http::async_read(stream, impl_->buffer, parser, done);
    });
    if (ec)
        throw std::runtime_error("no complete answer: " + ec.message());
    return toAnswer(parser);
}

std::string RawClient::readUntilClose(std::chrono::milliseconds timeout, bool* closedByPeer)
{
    std::string received(static_cast<const char*>(impl_->buffer.data().data()), impl_->buffer.size());
    impl_->buffer.consume(impl_->buffer.size());
    for (;;) {
        std::array<char, 65536> chunk;
        std::size_t count = 0;
        beast::error_code ec = impl_->onStream(timeout, [&](auto& stream, auto done) {
            stream.async_read_some(asio::buffer(chunk), [&count, done](beast::error_code e, std::size_t n) {
                count = n;
                done(e);
            });
        });
        received.append(chunk.data(), count);
        if (ec) {
            if (closedByPeer)
                *closedByPeer = ec != beast::error::timeout;
            return received;
        }
    }
}

bool RawClient::peerCloses(std::chrono::milliseconds timeout)
{
    std::array<char, 4096> ignored;
    for (;;) {
        beast::error_code ec = impl_->onStream(timeout, [&](auto& stream, auto done) {
            stream.async_read_some(asio::buffer(ignored), [done](beast::error_code e, std::size_t) { done(e); });
        });
        if (ec)
            return ec != beast::error::timeout;
    }
}

std::string RawClient::peerCommonName() const
{
    X509* certificate = impl_->peerCertificate();
    if (certificate == nullptr)
        return {};
    char name[256] = {};
    X509_NAME_get_text_by_NID(X509_get_subject_name(certificate), NID_commonName, name, sizeof name);
    return name;
}

bool RawClient::peerCertificateCurrent() const
{
    X509* certificate = impl_->peerCertificate();
    return certificate != nullptr && X509_cmp_current_time(X509_get0_notBefore(certificate)) < 0 &&
           X509_cmp_current_time(X509_get0_notAfter(certificate)) > 0;
}

}  // namespace testcimom::test
