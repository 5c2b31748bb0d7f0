// The connection wrapper against a real CIMOM on loopback: protocol choice,
// time-out and reconnect retries, CIM errors, and what it logs.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Pegasus/Client/CIMClient.h>

#include "client/Debug.h"
#include "client/PegClient.h"
#include "PluginTestSupport.h"

using namespace cimhttp_test;
using NVORNQEL20::PegClient;
using testcimom::FaultKind;

namespace {

const char* const kNamespace = "root/cimv2";
const char* const kClass = "CIM_ComputerSystem";

class PegClientTest : public PluginTest {};

TEST_F(PegClientTest, ConnectPrefersHttpsAndFallsBackToHttp)
{
    auto both = StartServer(DemoServerOptions(0));
    testcimom::ServerOptions httpOnly = DemoServerOptions(1);
    httpOnly.enableHttps = false;
    auto plain = StartServer(httpOnly);

    PegClient secure;
    EXPECT_TRUE(secure.Connect(NodeAddress(0), "", ""));
    EXPECT_EQ(PegClient::eConnectedHTTPS, secure.GetState());
    EXPECT_TRUE(LoggedMessages().empty());

    PegClient fallback;
    EXPECT_TRUE(fallback.Connect(NodeAddress(1), "", ""));
    EXPECT_EQ(PegClient::eConnectedHTTP, fallback.GetState());
    const auto messages = LoggedMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_TRUE(StartsWith(messages[0], "CannotConnectException in PegClient::HTTPSConnect(): ")) << messages[0];

    // Both connections really answer.
    EXPECT_FALSE(secure.EnumerateClassNames(kNamespace, "", false, 5000).empty());
    EXPECT_FALSE(fallback.EnumerateClassNames(kNamespace, "", false, 5000).empty());
}

TEST_F(PegClientTest, FailedConnectsLogEachAttemptAndKeepTheState)
{
    PegClient client;  // nothing listens on this node's address
    EXPECT_FALSE(client.Connect(NodeAddress(2), "user", "secret"));
    EXPECT_EQ(PegClient::eNotConnected, client.GetState());
    const auto messages = LoggedMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_TRUE(StartsWith(messages[0], "CannotConnectException in PegClient::HTTPSConnect(): "));
    EXPECT_TRUE(StartsWith(messages[1], "CannotConnectException in PegClient::HTTPConnect(): "));
    for (const auto& message : messages)
        EXPECT_EQ(std::string::npos, message.find("secret"));

    auto server = StartServer(DemoServerOptions(0));
    ASSERT_TRUE(client.HTTPConnect(NodeAddress(0), "", "", 5988));
    NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
    EXPECT_FALSE(client.HTTPConnect(NodeAddress(0), "", "", 5988));
    EXPECT_EQ(PegClient::eConnectedHTTP, client.GetState());
    ASSERT_EQ(1u, LoggedMessages().size());
    EXPECT_TRUE(StartsWith(LoggedMessages()[0], "AlreadyConnectedException in PegClient::HTTPConnect(): "));
}

TEST_F(PegClientTest, NeverConnectedClientSendsAndLogsNothing)
{
    auto server = StartServer(DemoServerOptions(0));
    PegClient client;
    Pegasus::Array<Pegasus::CIMParamValue> out;
    EXPECT_TRUE(client.GetClass(kNamespace, kClass, 1000, false, true, false, Pegasus::CIMPropertyList())
                    .isUninitialized());
    EXPECT_EQ(0u, client.EnumerateInstances(kNamespace, kClass, 1000, true, true, false, false,
                                            Pegasus::CIMPropertyList())
                      .size());
    EXPECT_TRUE(client.EnumerateClassNames(kNamespace, "", true, 1000).empty());
    EXPECT_TRUE(client.EnumerateInstanceNames(kNamespace, kClass, 1000).empty());
    EXPECT_TRUE(client.InvokeMethod(kNamespace, Pegasus::CIMObjectPath(kClass), "Reset",
                                    Pegasus::Array<Pegasus::CIMParamValue>(), out, 1000)
                    .isNull());
    EXPECT_TRUE(NVORNQEL20::TRootObject::GetCoreLogger()->Records().empty());
    EXPECT_EQ(0u, server->counters().totalRequests());
    EXPECT_EQ(0u, server->counters().connections());
}

TEST_F(PegClientTest, OperationsReturnWhatTheServerHolds)
{
    auto server = StartServer(DemoServerOptions(0));
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));

    const Pegasus::CIMClass cls =
        client.GetClass(kNamespace, kClass, 5000, false, true, false, Pegasus::CIMPropertyList());
    ASSERT_FALSE(cls.isUninitialized());
    EXPECT_EQ(std::string("CIM_System"), cls.getSuperClassName().getString().getCString());

    const auto instances =
        client.EnumerateInstances(kNamespace, kClass, 5000, true, true, false, false, Pegasus::CIMPropertyList());
    const auto names = client.EnumerateInstanceNames(kNamespace, kClass, 5000);
    ASSERT_GT(instances.size(), 0u);
    ASSERT_EQ(instances.size(), names.size());
    EXPECT_NE(std::string::npos, names[0].find("ComputerSystem.")) << names[0];

    Pegasus::Array<Pegasus::CIMParamValue> in, out;
    in.append(Pegasus::CIMParamValue("Target", Pegasus::CIMValue(Pegasus::String("10.0.0.1"))));
    const Pegasus::CIMValue pinged =
        client.InvokeMethod(kNamespace, Pegasus::CIMObjectPath("VORN_ComputerSystem"), "Ping", in, out, 5000);
    EXPECT_EQ(Pegasus::CIMValue(Pegasus::Uint32(0)), pinged);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(std::string("RoundTripTime"), out[0].getParameterName().getCString());

    const auto deep = client.EnumerateClassNames(kNamespace, "CIM_ManagedElement", true, 5000);
    const auto shallow = client.EnumerateClassNames(kNamespace, "CIM_ManagedElement", false, 5000);
    EXPECT_GT(deep.size(), shallow.size());
    EXPECT_TRUE(LoggedMessages().empty());
    // One connection served every operation.
    EXPECT_EQ(1u, server->counters().connections());
}

TEST_F(PegClientTest, FlagsPropertyListsAndMethodParametersReachTheServerUnchanged)
{
    auto server = StartServer(DemoServerOptions(0));
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));
    const testcimom::RequestLog& sent = server->requestLog();
    Pegasus::Array<Pegasus::CIMName> names;
    names.append(Pegasus::CIMName("Name"));
    const Pegasus::CIMPropertyList onlyName(names);

    // One flag set at a time, so that any two flags trading places shows.
    client.GetClass(kNamespace, kClass, 5000, true, false, false, onlyName);
    client.GetClass(kNamespace, kClass, 5000, false, true, false, Pegasus::CIMPropertyList());
    client.GetClass(kNamespace, kClass, 5000, false, false, true, Pegasus::CIMPropertyList());
    const auto getClass = sent.of("GetClass");
    ASSERT_EQ(3u, getClass.size());
    EXPECT_EQ("LocalOnly=true IncludeQualifiers=false IncludeClassOrigin=false", FlagsSent(getClass[0]));
    EXPECT_EQ("LocalOnly=false IncludeQualifiers=true IncludeClassOrigin=false", FlagsSent(getClass[1]));
    EXPECT_EQ("LocalOnly=false IncludeQualifiers=false IncludeClassOrigin=true", FlagsSent(getClass[2]));
    EXPECT_EQ(std::vector<std::string>{"Name"}, getClass[0].propertyList());
    EXPECT_EQ(std::nullopt, getClass[1].propertyList());
    EXPECT_EQ(kNamespace, getClass[0].nameSpace);
    EXPECT_EQ(kClass, getClass[0].target);

    client.EnumerateInstances(kNamespace, kClass, 5000, true, false, false, false, onlyName);
    client.EnumerateInstances(kNamespace, kClass, 5000, false, true, false, false, Pegasus::CIMPropertyList());
    client.EnumerateInstances(kNamespace, kClass, 5000, false, false, true, false, Pegasus::CIMPropertyList());
    client.EnumerateInstances(kNamespace, kClass, 5000, false, false, false, true, Pegasus::CIMPropertyList());
    const auto instances = sent.of("EnumerateInstances");
    ASSERT_EQ(4u, instances.size());
    EXPECT_EQ("DeepInheritance=true LocalOnly=false IncludeQualifiers=false IncludeClassOrigin=false",
              FlagsSent(instances[0]));
    EXPECT_EQ("DeepInheritance=false LocalOnly=true IncludeQualifiers=false IncludeClassOrigin=false",
              FlagsSent(instances[1]));
    EXPECT_EQ("DeepInheritance=false LocalOnly=false IncludeQualifiers=true IncludeClassOrigin=false",
              FlagsSent(instances[2]));
    EXPECT_EQ("DeepInheritance=false LocalOnly=false IncludeQualifiers=false IncludeClassOrigin=true",
              FlagsSent(instances[3]));
    EXPECT_EQ(std::vector<std::string>{"Name"}, instances[0].propertyList());
    EXPECT_EQ(std::nullopt, instances[1].propertyList());

    client.EnumerateClassNames(kNamespace, "", true, 5000);
    client.EnumerateClassNames(kNamespace, "CIM_ManagedElement", false, 5000);
    const auto classNames = sent.of("EnumerateClassNames");
    ASSERT_EQ(2u, classNames.size());
    EXPECT_EQ("DeepInheritance=true", FlagsSent(classNames[0]));
    EXPECT_EQ("", classNames[0].target);
    EXPECT_EQ("DeepInheritance=false", FlagsSent(classNames[1]));
    EXPECT_EQ("CIM_ManagedElement", classNames[1].target);

    client.EnumerateInstanceNames(Pegasus::CIMNamespaceName(kNamespace), Pegasus::CIMName(kClass), 5000);
    ASSERT_EQ(1u, sent.of("EnumerateInstanceNames").size());
    EXPECT_EQ(kClass, sent.of("EnumerateInstanceNames")[0].target);

    Pegasus::Array<Pegasus::CIMParamValue> in, out;
    in.append(Pegasus::CIMParamValue("Target", Pegasus::CIMValue(Pegasus::String("10.0.0.1"))));
    client.InvokeMethod(kNamespace, Pegasus::CIMObjectPath("VORN_ComputerSystem"), "Ping", in, out, 5000);
    const auto ping = sent.of("Ping");
    ASSERT_EQ(1u, ping.size());
    EXPECT_FALSE(ping[0].intrinsic);
    EXPECT_EQ(kNamespace, ping[0].nameSpace);
    EXPECT_EQ("VORN_ComputerSystem", ping[0].target);
    ASSERT_EQ(1u, ping[0].parameters.size());
    EXPECT_EQ("Target", ping[0].parameters[0].name);
    EXPECT_EQ(std::vector<std::string>{"10.0.0.1"}, ping[0].parameters[0].value.items);
    EXPECT_TRUE(LoggedMessages().empty());
}

// The time-out is set before the names are built, and a rejected name ends
// the call there: logged once, nothing sent, no retry, no reconnect.
TEST_F(PegClientTest, RejectedNamesSendNothingAndAreNotRetried)
{
    auto server = StartServer(DemoServerOptions(0));
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));
    Pegasus::Array<Pegasus::CIMParamValue> out;

    EXPECT_TRUE(client.GetClass(kNamespace, "9-not-a-name", 1201, false, true, false, Pegasus::CIMPropertyList())
                    .isUninitialized());
    EXPECT_EQ(1201u, client.GetPegclient()->getTimeout());
    EXPECT_EQ(0u, client.EnumerateInstances("root//cimv2", kClass, 1202, true, true, false, false,
                                            Pegasus::CIMPropertyList())
                      .size());
    EXPECT_EQ(1202u, client.GetPegclient()->getTimeout());
    EXPECT_TRUE(client.EnumerateClassNames(kNamespace, "has space", false, 1203).empty());
    EXPECT_EQ(1203u, client.GetPegclient()->getTimeout());
    EXPECT_TRUE(client.InvokeMethod(kNamespace, Pegasus::CIMObjectPath("VORN_ComputerSystem"), "", Pegasus::Array<Pegasus::CIMParamValue>(), out,
                                    1204)
                    .isNull());
    EXPECT_EQ(1204u, client.GetPegclient()->getTimeout());

    const auto messages = LoggedMessages();
    ASSERT_EQ(4u, messages.size());
    EXPECT_TRUE(StartsWith(messages[0], "Invalid name in PegClient::GetClass(): ")) << messages[0];
    EXPECT_TRUE(StartsWith(messages[1], "Invalid name in PegClient::EnumerateInstances(): ")) << messages[1];
    EXPECT_TRUE(StartsWith(messages[2], "Invalid name in PegClient::EnumerateClassNames(): ")) << messages[2];
    EXPECT_TRUE(StartsWith(messages[3], "Invalid name in PegClient::InvokeMethod(): ")) << messages[3];
    EXPECT_EQ(0u, server->counters().totalRequests());
    EXPECT_EQ(1u, server->counters().connections());
    EXPECT_EQ(PegClient::eConnectedHTTPS, client.GetState());
}

TEST_F(PegClientTest, TwoTimeOutsAreLoggedAndTheSecondWaitsTwiceAsLong)
{
    auto server = StartServer(DemoServerOptions(0));
    testcimom::Fault slow = MakeFault(FaultKind::Delay, "EnumerateInstances");
    slow.delay = 2000ms;
    server->faults().add(slow);
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));

    const auto instances =
        client.EnumerateInstances(kNamespace, kClass, 300, true, true, false, false, Pegasus::CIMPropertyList());
    EXPECT_EQ(0u, instances.size());
    const auto messages = LoggedMessages();
    ASSERT_EQ(2u, messages.size());
    for (const auto& message : messages)
        EXPECT_TRUE(StartsWith(message, "ConnectionTimeoutException in PegClient::EnumerateInstances(): "))
            << message;
    EXPECT_EQ(600u, client.GetPegclient()->getTimeout());
    EXPECT_EQ(2u, server->counters().requests("EnumerateInstances"));
}

TEST_F(PegClientTest, RetryAfterTimeOutSucceedsWithTheDoubledTimeOut)
{
    auto server = StartServer(DemoServerOptions(0));
    // Slower than the time-out, faster than twice the time-out.
    testcimom::Fault slow = MakeFault(FaultKind::Delay, "GetClass");
    slow.delay = 700ms;
    server->faults().add(slow);
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));

    const Pegasus::CIMClass cls =
        client.GetClass(kNamespace, kClass, 500, false, true, false, Pegasus::CIMPropertyList());
    EXPECT_FALSE(cls.isUninitialized());
    ASSERT_EQ(1u, LoggedMessages().size());
    EXPECT_TRUE(StartsWith(LoggedMessages()[0], "ConnectionTimeoutException in PegClient::GetClass(): "));
    EXPECT_EQ(2u, server->counters().requests("GetClass"));
}

TEST_F(PegClientTest, CimErrorIsLoggedOnceAndNeverRetried)
{
    auto server = StartServer(DemoServerOptions(0));
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));
    const std::size_t connections = server->counters().connections();

    const Pegasus::CIMClass missing =
        client.GetClass(kNamespace, "CIM_NoSuchClass", 5000, false, true, false, Pegasus::CIMPropertyList());
    EXPECT_TRUE(missing.isUninitialized());
    ASSERT_EQ(1u, LoggedMessages().size());
    EXPECT_TRUE(StartsWith(LoggedMessages()[0], "CIMException in PegClient::GetClass(): ")) << LoggedMessages()[0];
    EXPECT_EQ(1u, server->counters().requests("GetClass"));
    EXPECT_EQ(connections, server->counters().connections());
    EXPECT_EQ(PegClient::eConnectedHTTPS, client.GetState());

    NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
    testcimom::Fault trailer = MakeFault(FaultKind::CimErrorInTrailer, "EnumerateInstanceNames", 1);
    trailer.cimCode = 4;
    server->faults().add(trailer);
    EXPECT_TRUE(client.EnumerateInstanceNames(kNamespace, kClass, 5000).empty());
    ASSERT_EQ(1u, LoggedMessages().size());
    EXPECT_TRUE(StartsWith(LoggedMessages()[0], "CIMException in PegClient::EnumerateInstanceNames(): "));
    EXPECT_EQ(1u, server->counters().requests("EnumerateInstanceNames"));
}

TEST_F(PegClientTest, DroppedConnectionIsRetriedOnceAfterAReconnect)
{
    auto server = StartServer(DemoServerOptions(0));
    server->faults().add(MakeFault(FaultKind::CloseBeforeResponse, "EnumerateInstances", 1));
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));

    const auto instances =
        client.EnumerateInstances(kNamespace, kClass, 5000, true, true, false, false, Pegasus::CIMPropertyList());
    EXPECT_GT(instances.size(), 0u);
    ASSERT_EQ(1u, LoggedMessages().size());
    EXPECT_TRUE(StartsWith(LoggedMessages()[0], "Exception in PegClient::EnumerateInstances(): "));
    EXPECT_EQ(2u, server->counters().requests("EnumerateInstances"));
    EXPECT_EQ(2u, server->counters().connections());
    EXPECT_EQ(PegClient::eConnectedHTTPS, client.GetState());
    // The reconnect raised the time-out for connecting; the retry kept it.
    EXPECT_EQ(65535000u, client.GetPegclient()->getTimeout());
}

TEST_F(PegClientTest, GarbageAndSilenceEndInEmptyResultsWithinTheTimeOuts)
{
    auto server = StartServer(DemoServerOptions(0));
    server->faults().add(MakeFault(FaultKind::NotXml, "EnumerateClassNames"));
    server->faults().add(MakeFault(FaultKind::NeverAnswer, "GetClass"));
    server->faults().add(MakeFault(FaultKind::TruncatedXml, "Ping"));
    PegClient client;
    ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));

    EXPECT_TRUE(client.EnumerateClassNames(kNamespace, "", false, 2000).empty());
    EXPECT_TRUE(client.GetClass(kNamespace, kClass, 200, false, true, false, Pegasus::CIMPropertyList())
                    .isUninitialized());
    Pegasus::Array<Pegasus::CIMParamValue> out;
    EXPECT_TRUE(client.InvokeMethod(kNamespace, Pegasus::CIMObjectPath("VORN_ComputerSystem"), "Ping",
                                    Pegasus::Array<Pegasus::CIMParamValue>(), out, 2000)
                    .isNull());
    EXPECT_EQ(0u, out.size());

    const auto messages = LoggedMessages();
    ASSERT_EQ(6u, messages.size());
    EXPECT_TRUE(StartsWith(messages[0], "Exception in PegClient::EnumerateClassNames(): "));
    EXPECT_TRUE(StartsWith(messages[1], "Exception in PegClient::EnumerateClassNames(): "));
    EXPECT_TRUE(StartsWith(messages[2], "ConnectionTimeoutException in PegClient::GetClass(): "));
    EXPECT_TRUE(StartsWith(messages[3], "ConnectionTimeoutException in PegClient::GetClass(): "));
    EXPECT_TRUE(StartsWith(messages[4], "Exception in PegClient::InvokeMethod(): "));
    EXPECT_TRUE(StartsWith(messages[5], "Exception in PegClient::InvokeMethod(): "));
    EXPECT_EQ(2u, server->counters().requests("EnumerateClassNames"));
    EXPECT_EQ(2u, server->counters().requests("GetClass"));
}

// No fixture: the reconnect pause stays as the library sets it.
TEST(PegClientDefaultTest, ReconnectPausesFiveSeconds)
{
    InFreshProcess([] {
        auto server = StartServer(DemoServerOptions(0));
        PegClient client;
        ASSERT_TRUE(client.Connect(NodeAddress(0), "", ""));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(client.Reconnect());
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_EQ(PegClient::eConnectedHTTPS, client.GetState());
    });
}

TEST_F(PegClientTest, DebugKeepsAtMost4095Characters)
{
    NVORNQEL20::Debug("%s", std::string(5000, 'x').c_str());
    NVORNQEL20::Debug("node %d of %s", 2, "three");
    const auto messages = LoggedMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ(std::string(4095, 'x'), messages[0]);
    EXPECT_EQ("node 2 of three", messages[1]);
}

}  // namespace
