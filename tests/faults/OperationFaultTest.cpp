// Every fault on every remote operation of node 1 of a three-node system:
// what PegClient logs, how often the server is asked and connected to, the
// empty result, that the call returns within its time-outs, and that nodes
// 0 and 2 (and node 1, once the fault is gone) answer afterwards.
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
using NVORNQEL20::PegClient;
using NVORNQEL20::TCimHTTPNamespace;

namespace {

const int kNodes = 3;
const int kFaultyNode = 1;

class OperationFaultTest : public FaultTest {
protected:
    void SetUp() override
    {
        FaultTest::SetUp();
        NVORNQEL20::TControllerSimulation::SetNodeCount(kNodes);
        testcimom::ClusterOptions options;
        options.nodeCount = kNodes;
        options.baseAddress = cimhttp_test::NodeAddress(0);
        options.server.dataSet.kind = testcimom::DataSetKind::Demo;
        fCluster = std::make_unique<testcimom::CimomCluster>(options);
        fNamespace.reset(new TCimHTTPNamespace(false, "root/cimv2"));
        fNamespace->Init();
        fNamespace->connect(fCluster->addresses(), std::vector<std::string>(kNodes, kUser),
                            std::vector<std::string>(kNodes, kPassword));
        for (int node = 0; node < kNodes; ++node)
            ASSERT_EQ(PegClient::eConnectedHTTPS, Client(node).GetState());
        TakeTrace();
        fCluster->resetCounters();
    }

    PegClient& Client(int node) { return *fNamespace->getPegClientVec().at(node).begin()->second; }
    testcimom::CimServer& Node(int node) { return fCluster->node(node); }

    // The faulty node's neighbours answer as if nothing had happened.
    void ExpectNeighboursAnswer(const Operation& operation)
    {
        EXPECT_TRUE(operation.run(Client(0), ScaledMs(5000)));
        EXPECT_TRUE(operation.run(Client(2), ScaledMs(5000)));
        EXPECT_TRUE(TakeTrace().empty());
    }

    // Once the fault is gone, the faulty node's client answers again.
    void ExpectFaultyNodeRecovers(const Operation& operation)
    {
        if (Client(kFaultyNode).GetState() == PegClient::eNotConnected) {
            ASSERT_TRUE(Client(kFaultyNode).Connect(Node(kFaultyNode).address(), kUser, kPassword));
        }
        EXPECT_TRUE(operation.run(Client(kFaultyNode), ScaledMs(5000)));
        EXPECT_TRUE(TakeTrace().empty());
    }

    std::unique_ptr<testcimom::CimomCluster> fCluster;
    boost::shared_ptr<TCimHTTPNamespace> fNamespace;
};

// --- Faulty answers to a request --------------------------------------------

std::chrono::milliseconds BoundFor(Outcome outcome, int timeoutMs)
{
    const int waited = outcome == Outcome::TimesOut ? 3 * timeoutMs : 0;
    return std::chrono::milliseconds(waited) + Scaled(std::chrono::milliseconds(1500));
}

std::string Describe(const testcimom::Fault& fault)
{
    return std::string(testcimom::faultKindName(fault.kind)) + " status " + std::to_string(fault.httpStatus) +
           " code " + std::to_string(fault.cimCode);
}

class RequestFaultTest : public OperationFaultTest,
                         public ::testing::WithParamInterface<std::tuple<RequestFault, Operation>> {};

TEST_P(RequestFaultTest, EndsEmptyAfterTheRetriesItIsAllowed)
{
    const RequestFault& fault = std::get<0>(GetParam());
    const Operation& operation = std::get<1>(GetParam());
    PegClient& faulty = Client(kFaultyNode);
    if (fault.responseCap)
        faulty.GetPegclient()->setMaxResponseSize(fault.responseCap);
    const int timeoutMs = ScaledMs(250);

    for (testcimom::Fault variant : fault.variants) {
        SCOPED_TRACE(Describe(variant));
        variant.operation = operation.wireName;
        Node(kFaultyNode).faults().add(variant);
        const Stopwatch watch;
        EXPECT_FALSE(operation.run(faulty, timeoutMs));
        EXPECT_LT(watch.Elapsed(), BoundFor(fault.outcome, timeoutMs));
        ExpectLines(OutcomeLines(fault.outcome, operation.name), TakeTrace());
        EXPECT_EQ(AttemptsFor(fault.outcome), Node(kFaultyNode).counters().requests(operation.wireName));
        EXPECT_EQ(NewConnectionsFor(fault.outcome), Node(kFaultyNode).counters().connections());
        EXPECT_EQ(PegClient::eConnectedHTTPS, faulty.GetState());
        if (fault.outcome == Outcome::TimesOut) {
            EXPECT_EQ(2u * timeoutMs, faulty.GetPegclient()->getTimeout());
        }
        Node(kFaultyNode).faults().clear();
        fCluster->resetCounters();
    }
    ExpectNeighboursAnswer(operation);
    ExpectFaultyNodeRecovers(operation);
}

INSTANTIATE_TEST_SUITE_P(Matrix, RequestFaultTest,
                         ::testing::Combine(::testing::ValuesIn(RequestFaults()), ::testing::ValuesIn(Operations())),
                         CaseName());

// --- Faults met when the connection is reopened -----------------------------

struct Reopened {
    std::vector<std::string> lines;
    bool answered;
    int state;
};

// The server went away under an idle HTTPS connection, so the operation
// reopens it first. A failed reopen is a client failure: reconnect (HTTPS,
// then HTTP) and retry, twice at most; a stalled one is a time-out.
Reopened ExpectedReopen(const ConnectionFault& fault, const std::string& operation)
{
    if (fault.https == Attempt::Accepted)
        return {{}, true, PegClient::eConnectedHTTPS};
    if (fault.https == Attempt::Stalls)
        return {OutcomeLines(Outcome::TimesOut, operation), false, PegClient::eConnectedHTTPS};
    const std::vector<std::string> round = Joined({FailureLine(operation)}, ConnectLines(fault));
    const int state = StateAfterConnect(fault);
    if (state != PegClient::eNotConnected)
        return {round, true, state};
    return {Joined(round, round), false, state};
}

class ConnectionFaultTest : public OperationFaultTest,
                            public ::testing::WithParamInterface<std::tuple<ConnectionFault, Operation>> {};

TEST_P(ConnectionFaultTest, ReopeningMeetsTheFault)
{
    const ConnectionFault& fault = std::get<0>(GetParam());
    const Operation& operation = std::get<1>(GetParam());
    PegClient& faulty = Client(kFaultyNode);
    FaultyEndpoint endpoint(fault, Node(kFaultyNode));
    const int timeoutMs = ScaledMs(250);
    const Reopened expected = ExpectedReopen(fault, operation.name);

    const Stopwatch watch;
    EXPECT_EQ(expected.answered, operation.run(faulty, timeoutMs));
    EXPECT_LT(watch.Elapsed(), std::chrono::milliseconds(3 * timeoutMs) + Scaled(std::chrono::milliseconds(1500)));
    ExpectLines(expected.lines, TakeTrace());
    EXPECT_EQ(expected.state, faulty.GetState());
    if (endpoint.Server()) {
        EXPECT_EQ(expected.answered ? 1u : 0u, endpoint.Server()->counters().requests(operation.wireName));
    }

    ExpectNeighboursAnswer(operation);
    endpoint.Heal();
    ExpectFaultyNodeRecovers(operation);
}

INSTANTIATE_TEST_SUITE_P(Matrix, ConnectionFaultTest,
                         ::testing::Combine(::testing::ValuesIn(ConnectionFaults()),
                                            ::testing::ValuesIn(Operations())),
                         CaseName());

}  // namespace
