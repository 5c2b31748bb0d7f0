#pragma once
// A client for checking the test CIMOM from the outside: raw bytes over TCP
// or TLS (no certificate check), with HTTP answers read by Beast's parser.

#include <chrono>
#include <map>
#include <memory>
#include <string>

namespace testcimom::test {

using namespace std::chrono_literals;

struct HttpAnswer {
    int status = 0;
    std::map<std::string, std::string> headers;   // lower-case names, trailers included
    std::string body;
    bool keepAlive = true;

    std::string header(const std::string& lowerCaseName) const;
};

// Parses an answer held in memory (a captured one, say); throws
// std::runtime_error when it is not a complete HTTP answer.
HttpAnswer parseAnswer(const std::string& bytes);

// A request as the captured clients send it.
std::string cimRequest(const std::string& method, const std::string& nameSpace, const std::string& body,
                       const std::string& extraHeaders = "");
// An intrinsic method call with the given IPARAMVALUE elements.
std::string intrinsicBody(const std::string& method, const std::string& nameSpace, const std::string& params,
                          const std::string& id = "1001");

// An intrinsic operation on one class (the ClassName parameter alone).
std::string classRequest(const std::string& method, const std::string& nameSpace, const std::string& className,
                         const std::string& extraHeaders = "");

class RawClient {
public:
    // Throws std::runtime_error when the connection (or the handshake) fails.
    RawClient(const std::string& address, int port, bool tls = false);
    ~RawClient();
    RawClient(RawClient&&) noexcept;
    RawClient& operator=(RawClient&&) noexcept;

    void send(const std::string& bytes);
    // One HTTP answer; throws std::runtime_error on a malformed or cut one or
    // when the timeout passes.
    HttpAnswer readAnswer(std::chrono::milliseconds timeout = 10s);
    // Everything until the peer closes or the timeout passes; closedByPeer
    // tells which of the two ended it.
    std::string readUntilClose(std::chrono::milliseconds timeout = 10s, bool* closedByPeer = nullptr);
    // Whether the peer closed the connection within the timeout.
    bool peerCloses(std::chrono::milliseconds timeout);
    // The subject common name of the server's certificate (TLS only).
    std::string peerCommonName() const;
    // Whether the server's certificate is valid now (TLS only).
    bool peerCertificateCurrent() const;

    HttpAnswer exchange(const std::string& request, std::chrono::milliseconds timeout = 10s)
    {
        send(request);
        return readAnswer(timeout);
    }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace testcimom::test
