// The namespace's connect operations against faulty servers: the single-node
// forms on the first node, the multi-node form with the fault on node 1, and
// faulty answers to the ESXi probe a single-node connect sends. Each case
// checks the log, the node states, the time taken and that every node that
// connected answers afterwards.
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <Pegasus/Client/CIMClient.h>

#include "client/PegClient.h"
#include "namespace/TCimHTTPNamespace.h"
#include "FaultTestSupport.h"
#include "FaultyEndpoint.h"

using namespace cimhttp_faults;
using namespace std::chrono_literals;
using NVORNQEL20::PegClient;
using NVORNQEL20::TCimHTTPNamespace;

namespace {

const char* const kNamespace = "root/cimv2";
const char* const kProbe = "EnumerateInstances";
const int kProbeTimeoutMs = 10000;
const char* const kNodeEntry = "Entering TCimHTTPNamespace::connect - Connect to cimom via http or https";

enum class Form { Connect, ConnectViaHttps, ConnectViaHttp, MultiNode };

std::string NameOf(Form form)
{
    switch (form) {
    case Form::Connect:
        return "Connect";
    case Form::ConnectViaHttps:
        return "ConnectViaHttps";
    case Form::ConnectViaHttp:
        return "ConnectViaHttp";
    case Form::MultiNode:
        return "MultiNode";
    }
    return "";
}

void PrintTo(Form form, std::ostream* out)
{
    *out << NameOf(form);
}

int NodeCount(Form form)
{
    return form == Form::MultiNode ? 3 : 1;
}

int FaultyNode(Form form)
{
    return form == Form::MultiNode ? 1 : 0;
}

bool Probes(Form form)
{
    return form == Form::Connect || form == Form::ConnectViaHttps;
}

// The log of one connect: the faulty node's connect attempts log nodeLines,
// the ESXi probe logs probeLines.
std::vector<std::string> ConnectLog(Form form, const std::vector<std::string>& nodeLines,
                                    const std::vector<std::string>& probeLines = {})
{
    switch (form) {
    case Form::Connect:
        return Joined(Joined(Joined({"Entering TCimHTTPNamespace::connect - Connect to single node cimom via http or "
                                     "https.",
                                     kNodeEntry},
                                    nodeLines),
                             probeLines),
                      {"Exiting TCimHTTPNamespace::connect - Connect to single node cimom via http or https."});
    case Form::ConnectViaHttps:
        return Joined(Joined(Joined({"Entering TCimHTTPNamespace::ConnectViaHttps",
                                     "Entering TCimHTTPNamespace::ConnectViaHttps - With Node Num"},
                                    nodeLines),
                             Joined({"Exiting TCimHTTPNamespace::ConnectViaHttps - With Node Num"}, probeLines)),
                      {"Exiting TCimHTTPNamespace::ConnectViaHttps"});
    case Form::ConnectViaHttp:
        return Joined(Joined({"Entering TCimHTTPNamespace::ConnectViaHttp",
                              "Entering TCimHTTPNamespace::ConnectViaHttp -With Node Num"},
                             nodeLines),
                      {"Exiting TCimHTTPNamespace::ConnectViaHttp -With Node Num",
                       "Exiting TCimHTTPNamespace::ConnectViaHttp"});
    case Form::MultiNode:
        return Joined(Joined({"Entering TCimHTTPNamespace::connect - Connect to multinode cimom via http or https",
                              kNodeEntry, kNodeEntry},
                             nodeLines),
                      {kNodeEntry, "Exiting TCimHTTPNamespace::connect - Connect to multinode cimom via http or https"});
    }
    return {};
}

std::vector<std::string> NodeLines(Form form, const ConnectionFault& fault)
{
    if (form == Form::ConnectViaHttps)
        return AttemptLines(fault.https, "HTTPSConnect");
    if (form == Form::ConnectViaHttp)
        return AttemptLines(fault.http, "HTTPConnect");
    return ConnectLines(fault);
}

int NodeState(Form form, const ConnectionFault& fault)
{
    if (form == Form::ConnectViaHttps)
        return fault.https == Attempt::Accepted ? PegClient::eConnectedHTTPS : PegClient::eNotConnected;
    if (form == Form::ConnectViaHttp)
        return fault.http == Attempt::Accepted ? PegClient::eConnectedHTTP : PegClient::eNotConnected;
    return StateAfterConnect(fault);
}

// The nodes a multi-node connect adds get the library's connect time-out
// (10 s); the first node's is shortened by the tests.
std::chrono::milliseconds ConnectBound(Form form, const ConnectionFault& fault)
{
    const bool waitsForAddedNode = form == Form::MultiNode && fault.https == Attempt::Stalls;
    return (waitsForAddedNode ? 10000ms : 0ms) + Scaled(3000ms);
}

class NamespaceConnectTest : public FaultTest {
protected:
    void StartNodes(Form form, testcimom::DataSetKind data = testcimom::DataSetKind::Demo)
    {
        NVORNQEL20::TControllerSimulation::SetNodeCount(NodeCount(form));
        testcimom::ClusterOptions options;
        options.nodeCount = NodeCount(form);
        options.baseAddress = cimhttp_test::NodeAddress(0);
        options.server.dataSet.kind = data;
        fCluster = std::make_unique<testcimom::CimomCluster>(options);
        fNamespace.reset(new TCimHTTPNamespace(false, kNamespace));
        fNamespace->Init();
    }

    void Connect(Form form)
    {
        const std::vector<std::string> hosts = fCluster->addresses();
        switch (form) {
        case Form::Connect:
            return fNamespace->connect(hosts[0], kUser, kPassword);
        case Form::ConnectViaHttps:
            return fNamespace->ConnectViaHttps(hosts[0], kUser, kPassword, 5989);
        case Form::ConnectViaHttp:
            return fNamespace->ConnectViaHttp(hosts[0], kUser, kPassword, 5988);
        case Form::MultiNode:
            return fNamespace->connect(hosts, std::vector<std::string>(hosts.size(), kUser),
                                       std::vector<std::string>(hosts.size(), kPassword));
        }
    }

    PegClient& Client(int node) { return *fNamespace->getPegClientVec().at(node).begin()->second; }

    // Every node that connected answers; the others return empty results
    // without a word.
    void ExpectConnectedNodesAnswer(const std::vector<int>& states)
    {
        ASSERT_EQ(states.size(), fNamespace->getPegClientVec().size());
        for (std::size_t node = 0; node < states.size(); ++node) {
            SCOPED_TRACE("node " + std::to_string(node));
            EXPECT_EQ(states[node], Client(node).GetState());
            const bool answered = !Client(node).EnumerateClassNames(kNamespace, "", false, ScaledMs(5000)).empty();
            EXPECT_EQ(states[node] != PegClient::eNotConnected, answered);
        }
        EXPECT_TRUE(TakeTrace().empty());
    }

    std::unique_ptr<testcimom::CimomCluster> fCluster;
    boost::shared_ptr<TCimHTTPNamespace> fNamespace;
};

// --- Connection faults on every connect form --------------------------------

class ConnectFaultTest : public NamespaceConnectTest,
                         public ::testing::WithParamInterface<std::tuple<ConnectionFault, Form>> {
protected:
    void ConnectAndCheck()
    {
        const ConnectionFault& fault = std::get<0>(GetParam());
        const Form form = std::get<1>(GetParam());
        StartNodes(form);
        FaultyEndpoint endpoint(fault, fCluster->node(FaultyNode(form)));
        Client(0).GetPegclient()->setConnectTimeout(ScaledMs(1000));

        const Stopwatch watch;
        Connect(form);
        EXPECT_LT(watch.Elapsed(), ConnectBound(form, fault));
        EXPECT_TRUE(fNamespace->isConnected());
        ExpectLines(ConnectLog(form, NodeLines(form, fault)), TakeTrace());
        std::vector<int> states(NodeCount(form), PegClient::eConnectedHTTPS);
        states[FaultyNode(form)] = NodeState(form, fault);
        if (endpoint.Server()) {
            const bool probed = Probes(form) && states[0] != PegClient::eNotConnected;
            EXPECT_EQ(probed ? 1u : 0u, endpoint.Server()->counters().requests(kProbe));
        }
        ExpectConnectedNodesAnswer(states);
    }
};

TEST_P(ConnectFaultTest, ConnectCompletesAndTheOtherNodesAnswer)
{
    // The forms that probe for ESXi do so once per process.
    if (Probes(std::get<1>(GetParam())))
        cimhttp_test::InFreshProcess([this] { ConnectAndCheck(); });
    else
        ConnectAndCheck();
}

INSTANTIATE_TEST_SUITE_P(Matrix, ConnectFaultTest,
                         ::testing::Combine(::testing::ValuesIn(ConnectionFaults()),
                                            ::testing::Values(Form::Connect, Form::ConnectViaHttps,
                                                              Form::ConnectViaHttp, Form::MultiNode)),
                         CaseName());

// --- Faulty answers to the ESXi probe ---------------------------------------

class ProbeFaultTest : public NamespaceConnectTest,
                       public ::testing::WithParamInterface<std::tuple<RequestFault, Form>> {};

// The probe runs once per process: each case runs in a process of its own
// and tries one variant of its fault. The server is an ESXi host, which
// the namespace, not having heard so, takes for none. The probe's time-out
// of 10 s is shortened while the namespace connects.
TEST_P(ProbeFaultTest, ConnectCompletesWithoutESXi)
{
    cimhttp_test::InFreshProcess([this] {
        const RequestFault& fault = std::get<0>(GetParam());
        const Form form = std::get<1>(GetParam());
        StartNodes(form, testcimom::DataSetKind::DemoEsxi);
        testcimom::CimServer& server = fCluster->node(0);
        testcimom::Fault variant = fault.variants.front();
        variant.operation = kProbe;
        server.faults().add(variant);
        if (fault.responseCap)
            Client(0).GetPegclient()->setMaxResponseSize(fault.responseCap);

        PegClient::SetTimeoutDivisor(TimeoutDivisor());
        const Stopwatch watch;
        Connect(form);
        const int waitedMs = fault.outcome == Outcome::TimesOut ? 3 * kProbeTimeoutMs / TimeoutDivisor() : 0;
        EXPECT_LT(watch.Elapsed(), std::chrono::milliseconds(waitedMs) + Scaled(3000ms));
        PegClient::SetTimeoutDivisor(1);
        EXPECT_TRUE(fNamespace->isConnected());
        EXPECT_FALSE(fNamespace->getIsServeESXi());
        EXPECT_FALSE(fNamespace->getIsServeESXi5());
        ExpectLines(ConnectLog(form, {}, OutcomeLines(fault.outcome, kProbe)), TakeTrace());
        EXPECT_EQ(AttemptsFor(fault.outcome), server.counters().requests(kProbe));
        EXPECT_EQ(1 + NewConnectionsFor(fault.outcome), server.counters().connections());
        ExpectConnectedNodesAnswer({PegClient::eConnectedHTTPS});
    });
}

INSTANTIATE_TEST_SUITE_P(Matrix, ProbeFaultTest,
                         ::testing::Combine(::testing::ValuesIn(RequestFaults()),
                                            ::testing::Values(Form::Connect, Form::ConnectViaHttps)),
                         CaseName());

// Without a fault the same server is an ESXi 5 host.
TEST_F(NamespaceConnectTest, ProbeOfAnEsxiHostFindsIt)
{
    cimhttp_test::InFreshProcess([this] {
        StartNodes(Form::Connect, testcimom::DataSetKind::DemoEsxi);
        Connect(Form::Connect);
        EXPECT_TRUE(fNamespace->getIsServeESXi());
        EXPECT_TRUE(fNamespace->getIsServeESXi5());
    });
}

// The real time-outs: 10 s, then 20 s.
TEST_F(NamespaceConnectTest, ProbeTimeOutIsRetriedOnceWithTwiceTheTimeOut)
{
    cimhttp_test::InFreshProcess([this] {
        StartNodes(Form::Connect);
        fCluster->node(0).faults().add(testcimom::parseFault("never-answer:op=EnumerateInstances,count=1"));

        const Stopwatch watch;
        Connect(Form::Connect);
        EXPECT_GE(watch.Elapsed(), 10000ms);
        EXPECT_LT(watch.Elapsed(), 10000ms + Scaled(3000ms));
        ExpectLines(ConnectLog(Form::Connect, {}, {TimeoutLine(kProbe)}), TakeTrace());
        EXPECT_EQ(2u, fCluster->node(0).counters().requests(kProbe));
        EXPECT_EQ(20000u, Client(0).GetPegclient()->getTimeout());
        ExpectConnectedNodesAnswer({PegClient::eConnectedHTTPS});
    });
}

}  // namespace
