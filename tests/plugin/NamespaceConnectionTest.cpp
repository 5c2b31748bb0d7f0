// The namespace's connection side: node table, single- and multi-node
// connects, disconnect, the ESXi check and the thin enumerations, against
// CIMOMs on loopback.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <Pegasus/Client/CIMClient.h>

#include <qel/TQELException.h>

#include "namespace/TCimHTTPNamespace.h"
#include "PluginTestSupport.h"

using namespace cimhttp_test;
using NVORNQEL20::PegClient;
using NVORNQEL20::TCimHTTPNamespace;
using NVORNQEL20::TControllerSimulation;

namespace {

const char* const kNamespace = "root/cimv2";

class NamespaceConnectionTest : public PluginTest {
protected:
    boost::shared_ptr<TCimHTTPNamespace> MakeNamespace(const std::string& name = kNamespace)
    {
        boost::shared_ptr<TCimHTTPNamespace> ns(new TCimHTTPNamespace(false, name));
        ns->Init();
        return ns;
    }

    static std::vector<std::string> NodeKeys(const TCimHTTPNamespace& ns)
    {
        std::vector<std::string> keys;
        for (const auto& node : ns.getPegClientVec()) {
            EXPECT_EQ(1u, node.size());
            keys.push_back(node.begin()->first);
        }
        return keys;
    }

    static int NodeState(const TCimHTTPNamespace& ns, std::size_t node)
    {
        return ns.getPegClientVec().at(node).begin()->second->GetState();
    }
};

TEST_F(NamespaceConnectionTest, InitCreatesTheFirstNodeOnce)
{
    TControllerSimulation::SetControllerIndex(0, 6);
    TCimHTTPNamespace ns(false, kNamespace);
    EXPECT_EQ(nullptr, ns.getPegClient());
    EXPECT_EQ(nullptr, ns.getPegNSP());

    ns.Init();
    ns.Init();
    ns.Init("root/other");
    ASSERT_NE(nullptr, ns.getPegClient());
    EXPECT_EQ(std::vector<std::string>{"7"}, NodeKeys(ns));
    EXPECT_EQ(ns.getPegClient(), ns.getPegClientVec()[0].begin()->second);
    EXPECT_EQ("root/other", ns.getfCimHTTPNamespaceName());
    // The client-library name was made once, from the first name.
    EXPECT_EQ(std::string(kNamespace), ns.getPegNSP()->getString().getCString());

    ns.DeInit();
    EXPECT_EQ(nullptr, ns.getPegNSP());
    EXPECT_EQ(1u, ns.getPegClientVec().size());
}

TEST_F(NamespaceConnectionTest, InitRejectsANamespaceNameTheClientCannotUse)
{
    TCimHTTPNamespace ns(false, "root//bad name");
    try {
        ns.Init();
        FAIL() << "Init accepted an invalid namespace name";
    } catch (const NVORNQEL20::TQELException& e) {
        EXPECT_EQ(42, e.GetStatusCode().GetCode());
    }
    const auto messages = LoggedMessages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_TRUE(StartsWith(messages[0], "TCimHTTPNamespace:Pegasus NSP Creation Fail: ")) << messages[0];
}

// In a fresh process, so that this connect runs the once-per-process ESXi probe.
TEST_F(NamespaceConnectionTest, SingleNodeConnectLogsEntryAndExitAndConnectsOnce)
{
    InFreshProcess([this] {
        auto server = StartServer(DemoServerOptions(0));
        auto ns = MakeNamespace();
        ns->connect(NodeAddress(0), "", "");
        ns->connect(NodeAddress(0), "", "");

        EXPECT_TRUE(ns->isConnected());
        EXPECT_EQ(PegClient::eConnectedHTTPS, ns->getPegClient()->GetState());
        EXPECT_FALSE(ns->getIsServeESXi());
        const std::vector<std::string> expected = {
            "Entering TCimHTTPNamespace::connect - Connect to single node cimom via http or https.",
            "Entering TCimHTTPNamespace::connect - Connect to cimom via http or https",
            "Exiting TCimHTTPNamespace::connect - Connect to single node cimom via http or https.",
            "Entering TCimHTTPNamespace::connect - Connect to single node cimom via http or https.",
            "Exiting TCimHTTPNamespace::connect - Connect to single node cimom via http or https.",
        };
        EXPECT_EQ(expected, LoggedMessages());
        // The ESXi probe was the only request.
        const auto sent = server->requestLog().all();
        ASSERT_EQ(1u, sent.size());
        EXPECT_EQ("EnumerateInstances", sent[0].operation);
        EXPECT_EQ("root/cimv2", sent[0].nameSpace);
        EXPECT_EQ("VMware_HypervisorSoftwareIdentity", sent[0].target);
        EXPECT_EQ("DeepInheritance=true LocalOnly=true IncludeQualifiers=false IncludeClassOrigin=false",
                  FlagsSent(sent[0]));
        EXPECT_EQ(std::nullopt, sent[0].propertyList());
        EXPECT_EQ(10000u, ns->getPegClient()->GetPegclient()->getTimeout());
    });
}

TEST_F(NamespaceConnectionTest, ConnectViaHttpsAlwaysUses5989AndViaHttp5988)
{
    auto https = StartServer(DemoServerOptions(0));
    auto secure = MakeNamespace();
    secure->ConnectViaHttps(NodeAddress(0), "", "", 443);
    EXPECT_TRUE(secure->isConnected());
    EXPECT_EQ(PegClient::eConnectedHTTPS, secure->getPegClient()->GetState());
    EXPECT_EQ("Entering TCimHTTPNamespace::ConnectViaHttps", LoggedMessages().front());
    EXPECT_EQ("Exiting TCimHTTPNamespace::ConnectViaHttps", LoggedMessages().back());

    NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
    auto plain = MakeNamespace();
    plain->ConnectViaHttp(NodeAddress(0), "", "", 80);
    EXPECT_TRUE(plain->isConnected());
    EXPECT_EQ(PegClient::eConnectedHTTP, plain->getPegClient()->GetState());
    const std::vector<std::string> expected = {
        "Entering TCimHTTPNamespace::ConnectViaHttp",
        "Entering TCimHTTPNamespace::ConnectViaHttp -With Node Num",
        "Exiting TCimHTTPNamespace::ConnectViaHttp -With Node Num",
        "Exiting TCimHTTPNamespace::ConnectViaHttp",
    };
    EXPECT_EQ(expected, LoggedMessages());
}

TEST_F(NamespaceConnectionTest, UnreachableServerStillCountsAsConnected)
{
    auto ns = MakeNamespace();
    ns->connect(NodeAddress(3), "", "");
    EXPECT_TRUE(ns->isConnected());
    EXPECT_EQ(PegClient::eNotConnected, ns->getPegClient()->GetState());
    std::vector<std::string> names;
    EXPECT_FALSE(ns->EnumerateClassNames(kNamespace, "", names, false));
    EXPECT_TRUE(names.empty());
}

TEST_F(NamespaceConnectionTest, MultiNodeConnectReachesEveryNodeUnderItsKey)
{
    testcimom::ClusterOptions options;
    options.nodeCount = 3;
    options.baseAddress = NodeAddress(0);
    options.server.dataSet.kind = testcimom::DataSetKind::Demo;
    testcimom::CimomCluster cluster(options);
    TControllerSimulation::SetNodeCount(3);

    auto ns = MakeNamespace();
    const std::vector<std::string> hosts = cluster.addresses();
    ns->connect(hosts, {"", "", ""}, {"", "", ""});

    EXPECT_TRUE(ns->isConnected());
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), NodeKeys(*ns));
    for (std::size_t node = 0; node < 3; ++node) {
        EXPECT_EQ(PegClient::eConnectedHTTPS, NodeState(*ns, node));
        EXPECT_GE(cluster.node(node).counters().connections(), 1u);
    }
    const auto messages = LoggedMessages();
    EXPECT_EQ("Entering TCimHTTPNamespace::connect - Connect to multinode cimom via http or https",
              messages.front());
    EXPECT_EQ("Exiting TCimHTTPNamespace::connect - Connect to multinode cimom via http or https",
              messages.back());

    ns->disconnect();
    EXPECT_FALSE(ns->isConnected());
    ASSERT_EQ(1u, ns->getPegClientVec().size());
    EXPECT_EQ(ns->getPegClient(), ns->getPegClientVec()[0].begin()->second);
    EXPECT_EQ(PegClient::eNotConnected, ns->getPegClient()->GetState());
}

TEST_F(NamespaceConnectionTest, MultiNodeConnectWithOneNodeUsesTheFirstClient)
{
    auto server = StartServer(DemoServerOptions(0));
    auto ns = MakeNamespace();
    ns->connect(std::vector<std::string>{NodeAddress(0)}, {""}, {""});
    EXPECT_TRUE(ns->isConnected());
    EXPECT_EQ(1u, ns->getPegClientVec().size());
    EXPECT_EQ(PegClient::eConnectedHTTPS, ns->getPegClient()->GetState());
}

TEST_F(NamespaceConnectionTest, InconsistentAuthenticationDataIsRefused)
{
    auto ns = MakeNamespace();
    try {
        ns->connect(std::vector<std::string>{"a", "b"}, {"u", "v"}, {"p"});
        FAIL() << "vectors of different sizes were accepted";
    } catch (const NVORNQEL20::TQELException& e) {
        EXPECT_EQ(42, e.GetStatusCode().GetCode());
    }
    EXPECT_THROW(ns->connect(std::vector<std::string>(), {}, {}), NVORNQEL20::TQELException);
    EXPECT_FALSE(ns->isConnected());
    const std::vector<std::string> expected = {
        "Entering TCimHTTPNamespace::connect - Connect to multinode cimom via http or https",
        "The input auth info is not correct!",
        "Entering TCimHTTPNamespace::connect - Connect to multinode cimom via http or https",
        "The input auth info is not correct!",
    };
    EXPECT_EQ(expected, LoggedMessages());
}

TEST_F(NamespaceConnectionTest, ConnectToANodeBeyondTheTableAppendsOneNode)
{
    auto server = StartServer(DemoServerOptions(0));
    auto ns = MakeNamespace();
    ns->connect(-1, NodeAddress(0), "", "");
    EXPECT_EQ(std::vector<std::string>{"1"}, NodeKeys(*ns));
    ns->connect(3, NodeAddress(0), "", "");
    EXPECT_EQ((std::vector<std::string>{"1", "4"}), NodeKeys(*ns));
    EXPECT_EQ(PegClient::eNotConnected, NodeState(*ns, 0));
    EXPECT_EQ(PegClient::eNotConnected, NodeState(*ns, 1));
    EXPECT_EQ(0u, server->counters().connections());

    ns->connect(1, NodeAddress(0), "", "");
    EXPECT_EQ(PegClient::eConnectedHTTPS, NodeState(*ns, 1));
    // Node numbers outside the table are ignored by the single-protocol forms.
    ns->ConnectViaHttps(5, NodeAddress(0), "", "", 5989);
    ns->ConnectViaHttp(-1, NodeAddress(0), "", "", 5988);
    EXPECT_EQ(2u, ns->getPegClientVec().size());
}

TEST_F(NamespaceConnectionTest, SetTimeoutReachesEveryNode)
{
    auto ns = MakeNamespace();
    ns->connect(1, NodeAddress(0), "", "");
    ns->setTimeout(1234);
    for (const auto& node : ns->getPegClientVec())
        EXPECT_EQ(1234u, node.begin()->second->GetPegclient()->getTimeout());
}

TEST_F(NamespaceConnectionTest, ThinEnumerationsGoToTheFirstNodeWithTheirFlagsAndTimeOuts)
{
    auto server = StartServer(DemoServerOptions(0));
    auto ns = MakeNamespace();
    ns->connect(NodeAddress(0), "", "");
    NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
    server->requestLog().clear();
    const Pegasus::CIMClient& first = *ns->getPegClient()->GetPegclient();

    std::vector<std::string> classes;
    EXPECT_TRUE(ns->EnumerateClassNames(kNamespace, "CIM_ManagedElement", classes, true));
    EXPECT_NE(classes.end(), std::find(classes.begin(), classes.end(), "CIM_ManagedSystemElement"));
    EXPECT_EQ(3000u, first.getTimeout());
    std::vector<std::string> paths;
    EXPECT_TRUE(ns->EnumerateInstanceNames(kNamespace, "CIM_ComputerSystem", paths));
    EXPECT_EQ(15000u, first.getTimeout());
    const auto instances = ns->EnumerateInstances(kNamespace, "CIM_ComputerSystem");
    EXPECT_EQ(paths.size(), instances.size());
    EXPECT_EQ(60000u, first.getTimeout());
    const std::vector<std::string> expected = {
        "Entering TCimHTTPNamespace::EnumerateClassNames",
        "Exiting TCimHTTPNamespace::EnumerateClassNames",
        "Entering TCimHTTPNamespace::EnumerateInstanceNames",
        "Exiting TCimHTTPNamespace::EnumerateInstanceNames",
    };
    EXPECT_EQ(expected, LoggedMessages());

    const auto sent = server->requestLog().all();
    ASSERT_EQ(3u, sent.size());
    // The flag argument is not passed on: class names are never deep.
    EXPECT_EQ("EnumerateClassNames", sent[0].operation);
    EXPECT_EQ("CIM_ManagedElement", sent[0].target);
    EXPECT_EQ("DeepInheritance=false", FlagsSent(sent[0]));
    EXPECT_EQ("EnumerateInstanceNames", sent[1].operation);
    EXPECT_EQ("CIM_ComputerSystem", sent[1].target);
    EXPECT_EQ("EnumerateInstances", sent[2].operation);
    EXPECT_EQ("CIM_ComputerSystem", sent[2].target);
    EXPECT_EQ("DeepInheritance=true LocalOnly=true IncludeQualifiers=false IncludeClassOrigin=false",
              FlagsSent(sent[2]));
    EXPECT_EQ(std::nullopt, sent[2].propertyList());
    for (const auto& request : sent)
        EXPECT_EQ(kNamespace, request.nameSpace);

    std::vector<std::string> none = {"stale"};
    EXPECT_FALSE(ns->EnumerateInstanceNames(kNamespace, "CIM_NoSuchClass", none));
    EXPECT_TRUE(none.empty());
}

// The first attempt gives up after 3 s: an answer 200 ms later comes from the
// retry, one 200 ms sooner from the first attempt.
TEST_F(NamespaceConnectionTest, ClassNamesWaitThreeSeconds)
{
    auto server = StartServer(DemoServerOptions(0));
    auto ns = MakeNamespace();
    ns->connect(NodeAddress(0), "", "");
    std::vector<std::string> classes;
    for (const auto delay : {2800ms, 3200ms}) {
        testcimom::Fault slow = MakeFault(testcimom::FaultKind::Delay, "EnumerateClassNames", 1);
        slow.delay = delay;
        server->faults().add(slow);
        NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
        server->counters().reset();
        EXPECT_TRUE(ns->EnumerateClassNames(kNamespace, "", classes, false));
        const bool timedOut = delay > 3000ms;
        EXPECT_EQ(timedOut ? 2u : 1u, server->counters().requests("EnumerateClassNames"));
        EXPECT_EQ(timedOut ? 3u : 2u, LoggedMessages().size());
    }
}

// A name the client library rejects is nobody's instance, connected or not:
// an empty answer, nothing sent, no error.
TEST_F(NamespaceConnectionTest, InstanceNamesOfAnInvalidNameAreEmpty)
{
    auto server = StartServer(DemoServerOptions(0));
    auto unconnected = MakeNamespace();
    auto connected = MakeNamespace();
    connected->ConnectViaHttp(NodeAddress(0), "", "", 5988);
    server->counters().reset();
    const std::vector<std::pair<std::string, std::string>> invalid = {
        {kNamespace, ""}, {kNamespace, "9-not-a-name"}, {"root//cimv2", "CIM_ComputerSystem"}};
    for (const auto& ns : {unconnected, connected}) {
        for (const auto& names : invalid) {
            NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
            std::vector<std::string> out = {"stale"};
            EXPECT_FALSE(ns->EnumerateInstanceNames(names.first, names.second, out));
            EXPECT_TRUE(out.empty());
            const auto messages = LoggedMessages();
            ASSERT_EQ(3u, messages.size());
            EXPECT_EQ("Entering TCimHTTPNamespace::EnumerateInstanceNames", messages[0]);
            EXPECT_TRUE(StartsWith(messages[1], "Invalid name in TCimHTTPNamespace::EnumerateInstanceNames(): "))
                << messages[1];
            EXPECT_EQ("Exiting TCimHTTPNamespace::EnumerateInstanceNames", messages[2]);
            EXPECT_TRUE(LoggedMessages(0).empty());
        }
    }
    EXPECT_EQ(0u, server->counters().totalRequests());
}

class ESXiCheckTest : public NamespaceConnectionTest {
protected:
    std::unique_ptr<testcimom::CimServer> StartESXi(const std::string& version)
    {
        testcimom::ServerOptions options = ServerOptionsFor(testcimom::DataSetKind::DemoEsxi);
        options.dataSet.esxiVersion = version;
        return StartServer(options);
    }
};

// The check runs once per process: each case runs in a process of its own.
TEST_F(ESXiCheckTest, MajorVersionFiveIsESXi5AndTheCheckRunsOncePerProcess)
{
    InFreshProcess([this] {
        auto server = StartESXi("5.5.0 build-1331820");
        auto first = MakeNamespace();
        first->connect(NodeAddress(0), "", "");
        EXPECT_TRUE(first->getIsServeESXi());
        EXPECT_TRUE(first->getIsServeESXi5());
        EXPECT_EQ(1u, server->counters().requests("EnumerateInstances"));

        auto second = MakeNamespace();
        second->connect(NodeAddress(0), "", "");
        EXPECT_FALSE(second->getIsServeESXi());
        EXPECT_FALSE(second->getIsServeESXi5());
        EXPECT_EQ(1u, server->counters().requests("EnumerateInstances"));
    });
}

TEST_F(ESXiCheckTest, MajorVersionFourIsESXiOnly)
{
    InFreshProcess([this] {
        auto server = StartESXi("4.1.0 build-260247");
        auto ns = MakeNamespace();
        ns->ConnectViaHttps(NodeAddress(0), "", "", 5989);
        EXPECT_TRUE(ns->getIsServeESXi());
        EXPECT_FALSE(ns->getIsServeESXi5());
    });
}

TEST_F(ESXiCheckTest, InstanceWithoutVersionStringKeepsTheESXiFlag)
{
    InFreshProcess([this] {
        auto server = StartServer(DemoServerOptions(0));
        testcimom::CimClass identity;
        identity.name = "VMware_HypervisorSoftwareIdentity";
        testcimom::Property key;
        key.name = "InstanceID";
        key.value = testcimom::Value::null(testcimom::CimType::String);
        testcimom::Qualifier keyQualifier;
        keyQualifier.name = "Key";
        keyQualifier.value = testcimom::Value::boolean(true);
        key.qualifiers.push_back(keyQualifier);
        identity.properties.push_back(key);
        server->repository().removeClass(kNamespace, identity.name);
        server->repository().addClass(kNamespace, identity);
        testcimom::Instance instance;
        instance.className = identity.name;
        instance.set("InstanceID", testcimom::Value::text("esx-without-version"));
        server->repository().addInstance(kNamespace, instance);

        auto ns = MakeNamespace();
        ns->connect(NodeAddress(0), "", "");
        EXPECT_TRUE(ns->getIsServeESXi());
        EXPECT_FALSE(ns->getIsServeESXi5());
        const auto messages = LoggedMessages();
        EXPECT_NE(messages.end(),
                  std::find(messages.begin(), messages.end(),
                            "TCimHTTPNamespace::Pegasus Client connect VMware_HypervisorSoftwareIdentity"));
    });
}

}  // namespace
