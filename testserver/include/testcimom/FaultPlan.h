#pragma once
// Faults the server injects instead of (or into) its normal answers, chosen
// per operation and per class ("all" matches any), one-shot for the next N
// matching requests or permanent. Tests switch them in-process; the
// executable takes them as --fault options.

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace testcimom {

enum class FaultKind {
    Delay,                  // wait `delay`, then answer normally
    CloseBeforeResponse,    // read the request, close without answering
    NeverAnswer,            // read the request, keep the connection, never answer
    AbortHandshake,         // HTTPS: close the connection in the middle of the TLS handshake
    CloseMidHeader,         // send half the header, close
    CloseMidBody,           // send the header and half the body, close
    CloseMidChunk,          // chunked answer, close inside the chunk
    SlowBytes,              // send the answer one byte per `delay`
    NoContentLength,        // body without Content-Length; the connection stays open
    ContentLengthTooShort,  // Content-Length of half the body
    ContentLengthTooLong,   // Content-Length beyond the body; the connection stays open
    HttpStatus,             // answer with `httpStatus` and no body
    CimError,               // CIM error `cimCode` in the body
    CimErrorInTrailer,      // chunked answer, CIM error `cimCode` in the trailer
    Chunked,                // chunked answer whatever the request asked for
    NotXml,                 // a body that is not XML
    TruncatedXml,           // the answer's XML cut in half (framing intact)
    WrongStructureXml,      // well-formed XML that is not the expected CIM-XML
    InvalidUtf8,            // the answer with bytes that are not UTF-8
    EntityExpansion,        // a "billion laughs" entity bomb
    ExternalEntity,         // a document that refers to an external entity
    ResponseSize,           // the answer padded to at least `size` bytes of body
};

struct Fault {
    FaultKind kind = FaultKind::Delay;
    std::string operation = "all";  // e.g. "GetClass", "EnumerateInstances", a method name, "all"
    std::string className = "all";
    int count = -1;                 // how many matching requests; -1 for every one
    std::chrono::milliseconds delay{0};
    int httpStatus = 500;
    int cimCode = 1;
    std::size_t size = 0;
};

const char* faultKindName(FaultKind kind);
std::optional<FaultKind> parseFaultKind(const std::string& name);

// "kind[:key=value,...]" with keys op, class, count, ms, status, code, size;
// e.g. "delay:op=GetClass,ms=3000,count=1". Throws std::invalid_argument.
Fault parseFault(const std::string& text);

class FaultPlan {
public:
    void add(Fault fault);
    void clear();
    // The first fault that matches the request, counted as used.
    std::optional<Fault> take(const std::string& operation, const std::string& className);
    // A fault that acts on a new HTTPS connection before any request.
    std::optional<Fault> takeHandshakeFault();
    std::size_t pending() const;

private:
    std::optional<Fault> takeIf(bool (*matches)(const Fault&, const std::string&, const std::string&),
                                const std::string& operation, const std::string& className);

    mutable std::mutex mutex_;
    std::vector<Fault> faults_;
};

}  // namespace testcimom
