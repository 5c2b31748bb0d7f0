#include "ReplayServer.h"

#include <arpa/inet.h>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <csignal>
#include <stdexcept>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
const int POLL_SLICE_MS = 20;

SSL_CTX* serverContext(const TlsIdentity& tls)
{
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    BIO* certificate = BIO_new_mem_buf(tls.certificatePem.data(), static_cast<int>(tls.certificatePem.size()));
    BIO* key = BIO_new_mem_buf(tls.keyPem.data(), static_cast<int>(tls.keyPem.size()));
    X509* x = PEM_read_bio_X509(certificate, nullptr, nullptr, nullptr);
    EVP_PKEY* k = PEM_read_bio_PrivateKey(key, nullptr, nullptr, nullptr);
    SSL_CTX_use_certificate(context, x);
    SSL_CTX_use_PrivateKey(context, k);
    X509_free(x);
    EVP_PKEY_free(k);
    BIO_free(certificate);
    BIO_free(key);
    return context;
}

// One accepted connection, plain or TLS.
class Connection
{
public:
    Connection(int socket, SSL_CTX* context) : _socket(socket)
    {
        if (!context)
            return;
        _ssl = SSL_new(context);
        SSL_set_fd(_ssl, socket);
        if (SSL_accept(_ssl) != 1)
            _failed = true;
    }

    ~Connection()
    {
        if (_ssl)
        {
            SSL_shutdown(_ssl);
            SSL_free(_ssl);
        }
        ::close(_socket);
    }

    bool failed() const { return _failed; }

    // Waits for input; false when the stop flag is raised first.
    bool waitReadable(const std::atomic<bool>& stop)
    {
        while (!stop)
        {
            if (_ssl && SSL_pending(_ssl) > 0)
                return true;
            pollfd p{_socket, POLLIN, 0};
            if (::poll(&p, 1, POLL_SLICE_MS) > 0)
                return true;
        }
        return false;
    }

    long read(char* data, size_t size)
    {
        return _ssl ? SSL_read(_ssl, data, static_cast<int>(size)) : ::recv(_socket, data, size, 0);
    }

    void write(const std::string& bytes)
    {
        size_t sent = 0;
        while (sent < bytes.size())
        {
            const long n = _ssl ? SSL_write(_ssl, bytes.data() + sent, static_cast<int>(bytes.size() - sent))
                                : ::send(_socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            sent += static_cast<size_t>(n);
        }
    }

private:
    int _socket;
    SSL* _ssl = nullptr;
    bool _failed = false;
};

size_t contentLength(const std::string& head)
{
    size_t pos = 0;
    while ((pos = head.find("\r\n", pos)) != std::string::npos)
    {
        pos += 2;
        if (::strncasecmp(head.c_str() + pos, "content-length:", 15) == 0)
            return std::stoul(head.substr(pos + 15));
    }
    return 0;
}

// Reads one request; empty when the client closed the connection or the
// server is stopping.
std::string readRequest(Connection& c, const std::atomic<bool>& stop)
{
    std::string data;
    char buffer[16384];
    size_t headEnd = std::string::npos;
    while (headEnd == std::string::npos || data.size() < headEnd + 4 + contentLength(data.substr(0, headEnd)))
    {
        if (!c.waitReadable(stop))
            return std::string();
        const long n = c.read(buffer, sizeof buffer);
        if (n <= 0)
            return std::string();
        data.append(buffer, static_cast<size_t>(n));
        headEnd = data.find("\r\n\r\n");
    }
    return data;
}
}

ReplayServer::ReplayServer(std::vector<ReplayStep> script, const TlsIdentity* tls)
    : _script(std::move(script)), _tls(tls)
{
    // OpenSSL writes to the socket with write(): a client that hangs up in
    // the handshake must not kill the test process.
    ::signal(SIGPIPE, SIG_IGN);
    if (_tls)
        _sslContext = serverContext(*_tls);
    _listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(_listener, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(_listener, 16) != 0)
        throw std::runtime_error("cannot listen on loopback");
    ::getsockname(_listener, reinterpret_cast<sockaddr*>(&address), &size);
    _port = ntohs(address.sin_port);
    _thread = std::thread([this] { serve(); });
}

ReplayServer::~ReplayServer()
{
    _stop = true;
    _thread.join();
    ::close(_listener);
    SSL_CTX_free(static_cast<SSL_CTX*>(_sslContext));
}

std::vector<std::string> ReplayServer::requests() const
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _requests;
}

void ReplayServer::serve()
{
    while (!_stop)
    {
        pollfd p{_listener, POLLIN, 0};
        if (::poll(&p, 1, POLL_SLICE_MS) <= 0)
            continue;
        const int socket = ::accept(_listener, nullptr, nullptr);
        if (socket >= 0)
            serveConnection(socket);
    }
}

void ReplayServer::serveConnection(int socket)
{
    ++_connections;
    Connection connection(socket, static_cast<SSL_CTX*>(_sslContext));
    if (connection.failed())
        return;
    while (!_stop)
    {
        const std::string request = readRequest(connection, _stop);
        if (request.empty())
            return;
        {
            std::lock_guard<std::mutex> lock(_mutex);
            _requests.push_back(request);
        }
        if (_next == _script.size())
            return;
        const ReplayStep& step = _script[_next++];
        std::this_thread::sleep_for(step.delay);
        switch (step.action)
        {
        case ReplayStep::Action::Answer: connection.write(step.bytes); break;
        case ReplayStep::Action::AnswerAndClose: connection.write(step.bytes); return;
        case ReplayStep::Action::CloseInstead: return;
        case ReplayStep::Action::Stall:
            while (connection.waitReadable(_stop))
            {
                char discard[4096];
                if (connection.read(discard, sizeof discard) <= 0)
                    return;
            }
            return;
        }
    }
}
