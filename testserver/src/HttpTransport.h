#pragma once
// The network side of the server: HTTP and HTTPS listeners and their
// keep-alive connections on one I/O thread. Everything Boost.Asio/Beast and
// OpenSSL-stream stays behind this interface.

#include "testcimom/Certificate.h"

#include <memory>
#include <string>

namespace testcimom {

class CimomEngine;

struct TransportOptions {
    std::string address;
    int httpPort = -1;   // -1: no HTTP listener; 0: ephemeral
    int httpsPort = -1;  // -1: no HTTPS listener; 0: ephemeral
    bool plainOnHttpsPort = false;  // speak plain HTTP on the HTTPS port
    CertificatePem certificate;
};

class HttpTransport {
public:
    HttpTransport(TransportOptions options, CimomEngine& engine);
    ~HttpTransport();
    HttpTransport(const HttpTransport&) = delete;
    HttpTransport& operator=(const HttpTransport&) = delete;

    // Binds the listeners (throws std::runtime_error when it cannot) and
    // starts serving.
    void start();
    // Closes the listeners and every open connection and joins the I/O thread.
    void stop();

    int httpPort() const;   // the bound port, -1 when not listening
    int httpsPort() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace testcimom
