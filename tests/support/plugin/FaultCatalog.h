#ifndef CIMHTTP_TESTS_SUPPORT_FAULTCATALOG_H
#define CIMHTTP_TESTS_SUPPORT_FAULTCATALOG_H

// The faults a CIM server can show the connection layer, the operations they
// hit, and the log lines PegClient writes for each, as tables the
// parameterized tests run over.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <testcimom/CimServer.h>
#include <testcimom/FaultPlan.h>

namespace NVORNQEL20 {
class PegClient;
}

namespace cimhttp_faults {

// One of PegClient's remote operations on the demo data.
struct Operation {
    std::string name;      // as PegClient's log lines name it
    std::string wireName;  // the CIMMethod the server sees (the method's name for InvokeMethod)
    // Runs the operation; true when its result is not empty.
    bool (*run)(NVORNQEL20::PegClient& client, int timeoutMs);
};

const std::vector<Operation>& Operations();

// What the connection layer makes of a faulty answer.
enum class Outcome {
    TimesOut,  // two time-outs, the second with twice the time-out; no reconnect
    Fails,     // two client-library failures, each followed by a reconnect
    CimError,  // one CIM error: no retry, no reconnect
};

struct RequestFault {
    std::string name;
    Outcome outcome;
    // Injected one after the other, e.g. one per CIM status code.
    std::vector<testcimom::Fault> variants;
    std::uint64_t responseCap;  // for the client; 0 keeps the library's default
};

const std::vector<RequestFault>& RequestFaults();

// How many requests the server sees for one call.
std::size_t AttemptsFor(Outcome outcome);
// How many connections the server accepts during one call on an open
// connection: a time-out closes it and the retry reopens it, every other
// failure reconnects, a CIM error keeps it.
std::size_t NewConnectionsFor(Outcome outcome);

// How one connect attempt on one port ends.
enum class Attempt { Accepted, Refused, Stalls, Fails };

// A fault of the server's listening side: what stands at its address
// instead of a healthy server.
struct ConnectionFault {
    // SilentListener: on the HTTPS port, with nothing on the HTTP port.
    enum class Setup { Stopped, SilentListener, Replaced, HandshakeAborted };

    std::string name;
    Attempt https;
    Attempt http;
    Setup setup;
    // How the replacing server differs from a healthy one (Setup::Replaced).
    std::function<void(testcimom::ServerOptions&)> configure;
};

const std::vector<ConnectionFault>& ConnectionFaults();

// PegClient's log lines; those that carry an exception's message are
// prefixes ending in "(): ".
std::string TimeoutLine(const std::string& operation);
std::string CimErrorLine(const std::string& operation);
std::string FailureLine(const std::string& operation);
std::vector<std::string> OutcomeLines(Outcome outcome, const std::string& operation);
// The line of one connect attempt ("HTTPSConnect" or "HTTPConnect"); none when accepted.
std::vector<std::string> AttemptLines(Attempt attempt, const std::string& connector);
// PegClient::Connect: HTTPS, then HTTP when HTTPS did not connect.
std::vector<std::string> ConnectLines(const ConnectionFault& fault);
// The PegClient state PegClient::Connect ends in.
int StateAfterConnect(const ConnectionFault& fault);

}  // namespace cimhttp_faults

#endif
