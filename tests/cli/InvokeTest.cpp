// invoke: method calls on instance paths and class paths through the
// plug-in, inputs typed from the declaration, outputs and return values
// typed in the JSON, failures told by what the plug-in logged.
#include <chrono>
#include <thread>

#include "CliTestSupport.h"

using namespace cimhttp_test;
using nlohmann::json;

namespace {

const char* const kSecondInstance =
    R"(VORN_MethodTest.Name="esx \"quoted\" C:\\vm\\disk, a=b äöü €",Number=18446744073709551615,)"
    R"(Offset=-2147483648,Active=FALSE)";

class InvokeTest : public TCliTest {
protected:
    static void ExpectFailure(const TCliResult& result, int status, const std::string& kind, const std::string& says) {
        EXPECT_EQ(status, result.fStatus) << result.fErr;
        EXPECT_NE(std::string::npos, result.fErr.find("cimhttp: " + kind + ": ")) << result.fErr;
        EXPECT_NE(std::string::npos, result.fErr.find(says)) << result.fErr;
        EXPECT_EQ("", result.fOut) << "a failed call is no result";
    }

    // CIM_SoftwareIdentity (key InstanceID) with a method that answers the
    // InstanceID the server was asked about, on every node.
    static void AddInstanceIdMethod(testcimom::CimServer& node) {
        testcimom::CimClass identity = *node.repository().localClass("root/cimv2", "CIM_SoftwareIdentity");
        testcimom::Method describe;
        describe.name = "Describe";
        describe.returnType = testcimom::CimType::String;
        identity.methods.push_back(describe);
        node.repository().replaceClass("root/cimv2", identity);
        node.methods().add("root/cimv2", "CIM_SoftwareIdentity", "Describe", [](const testcimom::MethodCall& call) {
            testcimom::MethodResult result;
            result.returnValue = testcimom::Value::text(call.target.keys.at(0).value);
            return result;
        });
    }
};

TEST_F(InvokeTest, TypedInputsAndOutputsOverHttpsAndHttp) {
    auto httpsOnly = StartDemo(0, [](testcimom::ServerOptions& options) { options.enableHttp = false; });
    auto httpOnly = StartDemo(1, [](testcimom::ServerOptions& options) { options.enableHttps = false; });
    const std::vector<std::string> inputs = {"InBoolean=true",
                                             "InUint8=255",
                                             "InSint64=-9223372036854775808",
                                             "InReal64=-0.5",
                                             "InChar16=€",
                                             "InString=a \"b\" ä",
                                             "InUint64=18446744073709551615",
                                             "InTimestamp=20240101120000.000000+060"};
    for (const auto& run : {std::make_pair(0, "--https"), std::make_pair(1, "--http")}) {
        std::vector<std::string> arguments = {run.second,    "invoke",   "VORN_MethodTest",
                                              "EchoScalars", "--format", "json"};
        arguments.insert(arguments.end(), inputs.begin(), inputs.end());
        const json call = JsonOf(Cli(OnHosts({CliAddress(run.first)}, arguments)));
        EXPECT_EQ("string", call["returnType"]) << run.second;
        EXPECT_EQ("InBoolean=TRUE;InChar16=U+20AC;InReal64=-0.5;InSint64=-9223372036854775808;"
                  "InString=\"a \\\"b\\\" ä\";InTimestamp=20240101120000.000000+060;InUint64=18446744073709551615;"
                  "InUint8=255",
                  call["returnValue"])
            << run.second;
        const json expected = {{"OutBoolean", true},       {"OutChar16", "€"},
                               {"OutReal64", -0.5},        {"OutSint64", INT64_MIN},
                               {"OutString", "a \"b\" ä"}, {"OutTimestamp", "20240101120000.000000+060"},
                               {"OutUint64", UINT64_MAX},  {"OutUint8", 255}};
        EXPECT_EQ(expected, call["outputs"]) << run.second;
        EXPECT_EQ(json({{"key", "1"}, {"host", CliAddress(run.first)}}), call["node"]);
    }

    const json arrays =
        JsonOf(Cli(OnHosts({CliAddress(0)}, {"invoke", "VORN_MethodTest", "EchoArrays", "InSint16Array=[-1,0,7]",
                                             "InBooleanArray=[]", "InStringArray=[x,y]", "--format", "json"})));
    EXPECT_EQ(5, arrays["returnValue"]);
    EXPECT_EQ(json::array({-1, 0, 7}), arrays["outputs"]["OutSint16Array"]);
    EXPECT_EQ(json::array(), arrays["outputs"]["OutBooleanArray"]);
    EXPECT_EQ(json::array({"x", "y"}), arrays["outputs"]["OutStringArray"]);
}

TEST_F(InvokeTest, MethodsOnClassPathsAndOnInstancePaths) {
    auto capture =
        StartDemo(0, [](testcimom::ServerOptions& options) { options.dataSet.kind = testcimom::DataSetKind::Capture; });
    const TCliResult hello = Cli(OnHosts({CliAddress(0)}, {"--namespace", "root/SampleProvider", "invoke",
                                                           "Sample_MethodProviderClass", "SayHello", "Name=World"}));
    EXPECT_EQ(0, hello.fStatus) << hello.fErr;
    EXPECT_EQ("SayHello on Sample_MethodProviderClass, run on node 1 (" + CliAddress(0) +
                  ")\nNAME         VALUE\nReturnValue  Hello, World!\nPlace        From Neverland\n",
              hello.fOut);

    auto demo = StartDemo(1);
    const json second =
        JsonOf(Cli(OnHosts({CliAddress(1)}, {"invoke", kSecondInstance, "Identify", "--format", "json"})));
    EXPECT_EQ("Second", second["returnValue"]);
    EXPECT_EQ(R"(root/cimv2:VORN_MethodTest.Active=FALSE,Name="esx \"quoted\" C:\\vm\\disk, a=b äöü €",)"
              R"(Number=18446744073709551615,Offset=-2147483648)",
              second["outputs"]["Self"]);
    const std::vector<testcimom::LoggedRequest> sent = demo->requestLog().of("Identify");
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ("root/cimv2:" + sent.front().target, second["outputs"]["Self"]) << "the keys in name order";

    const TCliResult identifyOnClass = Cli(OnHosts({CliAddress(1)}, {"invoke", "VORN_MethodTest", "Identify"}));
    ExpectFailure(identifyOnClass, 7, "bad parameter value", "CIM_ERR_INVALID_PARAMETER");
}

TEST_F(InvokeTest, MultiNodePathsLoseTheirNodePrefixAndRunOnTheFirstNode) {
    auto cluster = StartDemoCluster(0, 3);
    for (std::size_t i = 0; i < cluster->size(); ++i)
        AddInstanceIdMethod(cluster->node(i));
    const std::vector<std::string> nodes = cluster->addresses();
    const json instances =
        JsonOf(Cli(OnHosts(nodes, {"instances", "CIM_SoftwareIdentity", "--format", "json"})))["instances"];
    ASSERT_EQ(3u, instances.size());
    const std::string first = instances[0]["path"], second = instances[1]["path"];
    EXPECT_EQ("CIM_SoftwareIdentity.InstanceID=\"Node1:VORN:BIOS:demo01@node1\"", first);

    const TCliResult onFirst = Cli(OnHosts(nodes, {"invoke", first, "Describe"}));
    EXPECT_EQ(0, onFirst.fStatus) << onFirst.fErr;
    EXPECT_EQ("Describe on CIM_SoftwareIdentity.InstanceID=\"VORN:BIOS:demo01@node1\", run on node 1 (" + nodes[0] +
                  ")\nNAME         VALUE\nReturnValue  VORN:BIOS:demo01@node1\n",
              onFirst.fOut);
    EXPECT_EQ("", onFirst.fErr);

    // The plug-in sends every call to the first node, which does not have
    // the second node's instance.
    const TCliResult onSecond = Cli(OnHosts(nodes, {"invoke", second, "Describe"}));
    ExpectFailure(onSecond, 5, "not found", "CIM_ERR_NOT_FOUND");
    EXPECT_NE(std::string::npos,
              onSecond.fErr.find("the instance is from node 2, but the plug-in runs every method on node 1 (" +
                                 nodes[0] + ")"))
        << onSecond.fErr;
    EXPECT_EQ(0u, cluster->node(1).requestLog().of("Describe").size());
    const std::vector<testcimom::LoggedRequest> sent = cluster->node(0).requestLog().of("Describe");
    ASSERT_EQ(2u, sent.size());
    EXPECT_EQ("CIM_SoftwareIdentity.InstanceID=\"VORN:BIOS:demo01@node2\"", sent.back().target);
}

TEST_F(InvokeTest, FailedCallsAreFailuresWithTheServersReason) {
    auto server = StartDemo(0);
    const std::vector<std::string> host = {CliAddress(0)};
    ExpectFailure(Cli(OnHosts(host, {"invoke", "VORN_MethodTest", "Fail", "Code=1", "Message=disk on fire"})), 9,
                  "server error",
                  "Fail failed: CIMException in PegClient::InvokeMethod(): CIM_ERR_FAILED: disk on fire");
    ExpectFailure(Cli(OnHosts(host, {"invoke", "VORN_MethodTest", "Fail", "Code=6"})), 5, "not found",
                  "CIM_ERR_NOT_FOUND: failure requested");
    // Code 0 is a call that succeeded and returns 0.
    const json succeeded =
        JsonOf(Cli(OnHosts(host, {"invoke", "VORN_MethodTest", "Fail", "Code=0", "--format", "json"})));
    EXPECT_EQ(0, succeeded["returnValue"]);
    ExpectFailure(Cli(OnHosts(host, {"invoke", "VORN_MethodTest", "Fail", "Code=x"})), 7, "bad parameter value",
                  "Code: 'x' is not a uint32 value");
    ExpectFailure(
        Cli(OnHosts(host, {"invoke", "VORN_MethodTest.Name=\"nobody\",Number=1,Offset=1,Active=TRUE", "Identify"})), 5,
        "not found", "CIM_ERR_NOT_FOUND");
    EXPECT_EQ(0u, server->requestLog().of("EchoScalars").size());
}

TEST_F(InvokeTest, AServerThatDiesDuringTheCallIsUnreachable) {
    ExpectFailure(Cli(OnHosts({CliAddress(1)}, {"invoke", "VORN_MethodTest", "Fail", "Code=0"})), 3, "unreachable",
                  CliAddress(1));

    auto server = StartDemo(0);
    TCliRun call(OnHosts({CliAddress(0)}, {"invoke", "VORN_MethodTest", "Delay", "Milliseconds=2000"}));
    call.Start();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (server->requestLog().of("Delay").empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    server->stop();
    ExpectFailure(call.Finish(), 3, "unreachable", "Delay failed: CannotConnectException");
}

}  // namespace
