// Each kind of failure ends the run with its own exit status and one line
// that says why, taken from what the plug-in logged.
#include "CliTestSupport.h"

#include <testcimom/FaultPlan.h>

using namespace cimhttp_test;

namespace {

class FailureTest : public TCliTest {
protected:
    static void ExpectFailure(const TCliResult& result, int status, const std::string& kind, const std::string& says) {
        EXPECT_EQ(status, result.fStatus) << result.fErr;
        EXPECT_TRUE(IsOneLineReason(result.fErr, kind)) << result.fErr;
        EXPECT_NE(std::string::npos, result.fErr.find(says)) << result.fErr;
        EXPECT_EQ("", result.fOut);
    }
};

TEST_F(FailureTest, UnknownClassesNamespacesAndInvalidNames) {
    auto server = StartDemo(0);
    const std::vector<std::string> host = {CliAddress(0)};
    for (const char* command : {"class", "names", "instances"}) {
        ExpectFailure(Cli(OnHosts(host, {command, "No_SuchClass"})), 5, "not found", "No_SuchClass");
        ExpectFailure(Cli(OnHosts(host, {command, "9Lives"})), 6, "invalid name", "'9Lives' is invalid");
        ExpectFailure(Cli(OnHosts(host, {command, "Bad-Name"})), 6, "invalid name", "'Bad-Name' is invalid");
    }
    ExpectFailure(Cli(OnHosts(host, {"--namespace", "root/nosuch", "classes"})), 5, "not found",
                  "CIM_ERR_INVALID_NAMESPACE");
}

TEST_F(FailureTest, DeadServersAreUnreachable) {
    ExpectFailure(Cli(OnHosts({CliAddress(5)}, {"classes"})), 3, "unreachable", CliAddress(5));
    ExpectFailure(Cli(OnHosts({CliAddress(5)}, {"--http", "class", "CIM_Processor"})), 3, "unreachable",
                  "CannotConnectException");
    auto second = StartDemo(6);
    ExpectFailure(Cli(OnHosts({CliAddress(5), CliAddress(6)}, {"names", "VORN_Memory"})), 3, "unreachable",
                  CliAddress(5));
    ExpectFailure(Cli(OnHosts({"no-such-host.invalid"}, {"classes"})), 3, "unreachable", "no-such-host.invalid");
}

TEST_F(FailureTest, RefusedPasswordsAndMissingUsers) {
    auto server = StartDemo(0, [](testcimom::ServerOptions& options) {
        options.user = "admin";
        options.password = "right-one";
    });
    const std::vector<std::string> arguments = OnHosts({CliAddress(0)}, {"--user", "admin", "classes"});
    ExpectFailure(TCliRun(arguments).WithEnvironment("CIMHTTP_PASSWORD", "wrong-one").Run(), 4,
                  "authentication refused", "401");
    EXPECT_EQ(0, TCliRun(arguments).WithEnvironment("CIMHTTP_PASSWORD", "right-one").Run().fStatus);
    ExpectFailure(Cli(OnHosts({CliAddress(0)}, {"--http", "classes"})), 4, "authentication refused", "401");
}

TEST_F(FailureTest, AServerThatDoesNotAnswerIsATimeOut) {
    auto server = StartDemo(0);
    server->faults().add(testcimom::parseFault("delay:op=EnumerateClassNames,ms=12000"));
    ExpectFailure(Cli(OnHosts({CliAddress(0)}, {"classes"})), 8, "time-out",
                  "ConnectionTimeoutException in PegClient::EnumerateClassNames()");
}

TEST_F(FailureTest, InvokeTypesItsArgumentsFromTheMethodsDeclaration) {
    auto server = StartDemo(0);
    const std::vector<std::string> host = {CliAddress(0)};
    ExpectFailure(Cli(OnHosts(host, {"invoke", "VORN_MethodTest", "NoSuchMethod"})), 5, "not found",
                  "VORN_MethodTest has no method NoSuchMethod");
    ExpectFailure(Cli(OnHosts(host, {"invoke", "No_SuchClass", "EchoScalars"})), 5, "not found", "No_SuchClass");
    const std::vector<std::pair<std::string, std::string>> badArguments = {
        {"InUint8=300", "InUint8: '300' is not a uint8 value"},
        {"InSint8=-129", "'-129' is not a sint8 value"},
        {"InBoolean=maybe", "'maybe' is not a boolean value"},
        {"InReal64=fast", "'fast' is not a real64 value"},
        {"InUint32=[1,x]", "'x' is not a uint32 value"},
        {"InTimestamp=yesterday", "'yesterday' is not a datetime value"},
        {"NoSuchParameter=1", "EchoScalars has no parameter NoSuchParameter (its parameters: InBoolean, InChar16,"},
        {"InString", "'InString' is not NAME=VALUE"},
    };
    for (const auto& bad : badArguments) {
        ExpectFailure(Cli(OnHosts(host, {"invoke", "VORN_MethodTest", "EchoScalars", bad.first})), 7,
                      "bad parameter value", bad.second);
    }
    ExpectFailure(Cli(OnHosts(host, {"invoke", "VORN_MethodTest", "EchoScalars", "InString=a", "instring=b"})), 7,
                  "bad parameter value", "InString given twice");
    ExpectFailure(Cli(OnHosts(host, {"invoke", "VORN_MethodTest.Name=\"unclosed", "Identify"})), 6, "invalid name",
                  "is no object path");
}

}  // namespace
