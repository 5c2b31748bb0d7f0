#pragma once
// Everything between the wire and the repository: checks the HTTP headers and
// credentials the way the captured server does, decodes the CIM-XML request,
// runs the operation, frames the answer (Content-Length, or chunked with the
// status in the trailer when the client accepts trailers), counts and logs
// requests and applies the fault that matches.

#include "CimRequest.h"
#include "HttpMessages.h"
#include "testcimom/CimError.h"
#include "testcimom/FaultPlan.h"
#include "testcimom/MethodProviders.h"
#include "testcimom/Repository.h"
#include "testcimom/RequestCounters.h"
#include "testcimom/RequestLog.h"

#include <chrono>
#include <optional>
#include <string>

namespace testcimom {

struct Credentials {
    std::string user;  // empty: no authentication
    std::string password;
};

class CimomEngine {
public:
    CimomEngine(const Repository& repository, const MethodProviders& methods, FaultPlan& faults,
                RequestCounters& counters, RequestLog& requestLog, Credentials credentials);

    Delivery handle(const HttpRequest& request);
    // Called by the transport for every accepted connection.
    void connectionAccepted();
    // Whether the TLS handshake of the connection just accepted is to be cut.
    bool abortHandshake();

private:
    struct Answer {
        HttpReply reply;
        std::optional<CimRequest> request;
        std::chrono::milliseconds delay{0};  // asked for by a method handler
    };

    Answer answer(const HttpRequest& request) const;
    std::optional<HttpReply> refuseUnauthorized(const HttpRequest& request) const;
    Answer operationReply(const HttpRequest& http, const CimRequest& request) const;
    Delivery withFault(const Fault& fault, const HttpRequest& http, Answer answer) const;
    void replaceWithError(const HttpRequest& http, Answer& answer, const CimError& error, bool inTrailer) const;

    const Repository& repository_;
    const MethodProviders& methods_;
    FaultPlan& faults_;
    RequestCounters& counters_;
    RequestLog& requestLog_;
    Credentials credentials_;
};

}  // namespace testcimom
