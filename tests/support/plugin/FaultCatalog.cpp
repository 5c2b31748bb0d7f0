#include "FaultCatalog.h"

#include <initializer_list>

#include <gtest/gtest.h>

#include <Pegasus/Common/CIMPropertyList.h>

#include "client/PegClient.h"

namespace cimhttp_faults {

namespace {

using NVORNQEL20::PegClient;
using testcimom::CertificateKind;
using testcimom::ServerOptions;

const char* const kNamespace = "root/cimv2";
const char* const kSystemClass = "CIM_ComputerSystem";
const int kLastCimStatusCode = 17;

bool RunGetClass(PegClient& client, int timeoutMs)
{
    return !client.GetClass(kNamespace, kSystemClass, timeoutMs, false, true, false, Pegasus::CIMPropertyList())
                .isUninitialized();
}

bool RunEnumerateInstances(PegClient& client, int timeoutMs)
{
    return client
               .EnumerateInstances(kNamespace, kSystemClass, timeoutMs, true, true, false, false,
                                   Pegasus::CIMPropertyList())
               .size() > 0;
}

bool RunEnumerateClassNames(PegClient& client, int timeoutMs)
{
    return !client.EnumerateClassNames(kNamespace, "CIM_ManagedElement", true, timeoutMs).empty();
}

bool RunEnumerateInstanceNames(PegClient& client, int timeoutMs)
{
    return !client.EnumerateInstanceNames(kNamespace, kSystemClass, timeoutMs).empty();
}

bool RunPing(PegClient& client, int timeoutMs)
{
    Pegasus::Array<Pegasus::CIMParamValue> in, out;
    in.append(Pegasus::CIMParamValue("Target", Pegasus::CIMValue(Pegasus::String("10.0.0.1"))));
    const bool answered =
        !client.InvokeMethod(kNamespace, Pegasus::CIMObjectPath("VORN_ComputerSystem"), "Ping", in, out, timeoutMs)
             .isNull();
    // A failed call hands back no output parameters, not half of them.
    EXPECT_EQ(answered ? 1u : 0u, out.size());
    return answered;
}

std::vector<testcimom::Fault> Parsed(std::initializer_list<const char*> texts)
{
    std::vector<testcimom::Fault> faults;
    for (const char* text : texts)
        faults.push_back(testcimom::parseFault(text));
    return faults;
}

std::vector<testcimom::Fault> EveryCimStatus(const std::string& kind)
{
    std::vector<testcimom::Fault> faults;
    for (int code = 1; code <= kLastCimStatusCode; ++code)
        faults.push_back(testcimom::parseFault(kind + ":code=" + std::to_string(code)));
    return faults;
}

std::function<void(ServerOptions&)> WithCertificate(CertificateKind kind)
{
    return [kind](ServerOptions& options) { options.certificate = kind; };
}

}  // namespace

const std::vector<Operation>& Operations()
{
    static const std::vector<Operation> operations = {
        {"GetClass", "GetClass", RunGetClass},
        {"EnumerateInstances", "EnumerateInstances", RunEnumerateInstances},
        {"EnumerateClassNames", "EnumerateClassNames", RunEnumerateClassNames},
        {"EnumerateInstanceNames", "EnumerateInstanceNames", RunEnumerateInstanceNames},
        {"InvokeMethod", "Ping", RunPing},
    };
    return operations;
}

const std::vector<RequestFault>& RequestFaults()
{
    static const std::vector<RequestFault> faults = {
        {"NeverAnswers", Outcome::TimesOut, Parsed({"never-answer"}), 0},
        {"SlowBytes", Outcome::TimesOut, Parsed({"slow-bytes:ms=50"}), 0},
        {"NoContentLengthOnOpenConnection", Outcome::TimesOut, Parsed({"no-content-length"}), 0},
        {"ContentLengthTooLong", Outcome::TimesOut, Parsed({"content-length-long"}), 0},
        {"CloseBeforeResponse", Outcome::Fails, Parsed({"close-before-response"}), 0},
        {"CloseMidHeader", Outcome::Fails, Parsed({"close-mid-header"}), 0},
        {"CloseMidBody", Outcome::Fails, Parsed({"close-mid-body"}), 0},
        {"CloseMidChunk", Outcome::Fails, Parsed({"close-mid-chunk"}), 0},
        {"ContentLengthTooShort", Outcome::Fails, Parsed({"content-length-short"}), 0},
        {"HttpErrorStatus", Outcome::Fails,
         Parsed({"http-status:status=401", "http-status:status=403", "http-status:status=500",
                 "http-status:status=503"}),
         0},
        {"CimErrorInBody", Outcome::CimError, EveryCimStatus("cim-error"), 0},
        {"CimErrorInTrailer", Outcome::CimError, EveryCimStatus("cim-error-trailer"), 0},
        {"NotXml", Outcome::Fails, Parsed({"not-xml"}), 0},
        {"TruncatedXml", Outcome::Fails, Parsed({"truncated-xml"}), 0},
        {"WrongStructureXml", Outcome::Fails, Parsed({"wrong-structure-xml"}), 0},
        {"InvalidUtf8", Outcome::Fails, Parsed({"invalid-utf8"}), 0},
        {"EntityExpansion", Outcome::Fails, Parsed({"entity-expansion"}), 0},
        {"ExternalEntity", Outcome::Fails, Parsed({"external-entity"}), 0},
        // Padded to four times the cap the client is given.
        {"ResponseOverTheCap", Outcome::Fails, Parsed({"response-size:size=262144"}), 65536},
    };
    return faults;
}

std::size_t AttemptsFor(Outcome outcome)
{
    return outcome == Outcome::CimError ? 1 : 2;
}

std::size_t NewConnectionsFor(Outcome outcome)
{
    return outcome == Outcome::TimesOut ? 1 : outcome == Outcome::Fails ? 2 : 0;
}

const std::vector<ConnectionFault>& ConnectionFaults()
{
    using Setup = ConnectionFault::Setup;
    // The plug-in's SSL context verifies nothing: any certificate is accepted.
    static const std::vector<ConnectionFault> faults = {
        {"Refused", Attempt::Refused, Attempt::Refused, Setup::Stopped, nullptr},
        // The HTTPS port accepts and never answers the handshake; nothing
        // listens on the HTTP port. Silence after a request: NeverAnswers.
        {"AcceptsAndNeverAnswers", Attempt::Stalls, Attempt::Refused, Setup::SilentListener, nullptr},
        {"PlainHttpOnHttpsPort", Attempt::Fails, Attempt::Accepted, Setup::Replaced,
         [](ServerOptions& options) { options.plainHttpOnHttpsPort = true; }},
        {"ExpiredCertificate", Attempt::Accepted, Attempt::Accepted, Setup::Replaced,
         WithCertificate(CertificateKind::Expired)},
        {"NotYetValidCertificate", Attempt::Accepted, Attempt::Accepted, Setup::Replaced,
         WithCertificate(CertificateKind::NotYetValid)},
        {"CertificateForAnotherHost", Attempt::Accepted, Attempt::Accepted, Setup::Replaced,
         WithCertificate(CertificateKind::OtherHost)},
        {"AbortedHandshake", Attempt::Fails, Attempt::Accepted, Setup::HandshakeAborted, nullptr},
    };
    return faults;
}

std::string TimeoutLine(const std::string& operation)
{
    return "ConnectionTimeoutException in PegClient::" + operation + "(): ";
}

std::string CimErrorLine(const std::string& operation)
{
    return "CIMException in PegClient::" + operation + "(): ";
}

std::string FailureLine(const std::string& operation)
{
    return "Exception in PegClient::" + operation + "(): ";
}

std::vector<std::string> OutcomeLines(Outcome outcome, const std::string& operation)
{
    switch (outcome) {
    case Outcome::TimesOut:
        return {TimeoutLine(operation), TimeoutLine(operation)};
    case Outcome::Fails:
        return {FailureLine(operation), FailureLine(operation)};
    case Outcome::CimError:
        return {CimErrorLine(operation)};
    }
    return {};
}

std::vector<std::string> AttemptLines(Attempt attempt, const std::string& connector)
{
    switch (attempt) {
    case Attempt::Accepted:
        return {};
    case Attempt::Refused:
        return {"CannotConnectException in PegClient::" + connector + "(): "};
    case Attempt::Stalls:
    case Attempt::Fails:
        return {FailureLine(connector)};
    }
    return {};
}

std::vector<std::string> ConnectLines(const ConnectionFault& fault)
{
    std::vector<std::string> lines = AttemptLines(fault.https, "HTTPSConnect");
    if (fault.https != Attempt::Accepted) {
        const std::vector<std::string> http = AttemptLines(fault.http, "HTTPConnect");
        lines.insert(lines.end(), http.begin(), http.end());
    }
    return lines;
}

int StateAfterConnect(const ConnectionFault& fault)
{
    if (fault.https == Attempt::Accepted)
        return PegClient::eConnectedHTTPS;
    return fault.http == Attempt::Accepted ? PegClient::eConnectedHTTP : PegClient::eNotConnected;
}

}  // namespace cimhttp_faults
