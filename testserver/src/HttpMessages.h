#pragma once
// The HTTP request as the transport hands it over, the reply the server
// builds, and the delivery plan that says how the reply's bytes go out
// (faults included). Kept free of any network library.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testcimom {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string method;
    std::string target;
    unsigned version = 11;  // 10 or 11
    HeaderList headers;
    std::string body;

    // The first header of that name (names compare without case).
    std::optional<std::string> header(const std::string& name) const;
    bool wantsClose() const;
    bool acceptsTrailers() const;
};

struct HttpReply {
    int status = 200;
    std::string reason = "OK";
    // A "content-length" entry marks where the framing header goes: the
    // length of the body, or Transfer-Encoding in a chunked reply.
    HeaderList headers;
    std::string body;
    bool chunked = false;
    bool withContentLength = true;
    std::optional<std::size_t> contentLengthOverride;
    HeaderList trailers;

    // Status line, headers, then the body as it is framed on the wire.
    std::string wire() const;
    // Bytes up to and including the blank line after the headers.
    std::size_t headerSize() const;
    // Bytes of chunk-size line before the body data in a chunked reply.
    std::size_t chunkPrefixSize() const;
};

struct Delivery {
    std::string bytes;
    bool send = true;                          // false: nothing goes out
    std::chrono::milliseconds delayBefore{0};
    std::chrono::milliseconds perByte{0};      // > 0: one byte at a time
    std::optional<std::size_t> cutAfter;       // close after this many bytes
    bool closeAfter = false;                   // close once sent
    bool hold = false;                         // keep the connection, read no further
};

// Percent-encoding as the captured server uses in PGErrorDetail and trailers.
std::string percentEncode(const std::string& text);

}  // namespace testcimom
