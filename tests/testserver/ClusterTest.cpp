// Multi-node systems on a loopback block of the test process's own, and the
// cimtestserver executable.

#include "RawClient.h"
#include "ServerProcess.h"
#include "testcimom/CimomCluster.h"
#include "testcimom/LoopbackBlock.h"

#include <gtest/gtest.h>

#include <set>

namespace testcimom::test {
namespace {

std::string logEntryNames()
{
    return classRequest("EnumerateInstanceNames", "root/cimv2", "VORN_StandardMessageLogEntry");
}

ClusterOptions threeNodes()
{
    ClusterOptions options;
    options.nodeCount = 3;
    options.baseAddress = LoopbackBlock::forThisProcess().address(0);
    options.server.dataSet.testBigInstances = 0;
    return options;
}

TEST(Cluster, NodesListenOnConsecutiveAddressesOnTheFixedPortsWithTheirOwnData)
{
    LoopbackBlock block = LoopbackBlock::forThisProcess();
    CimomCluster cluster(threeNodes());
    ASSERT_EQ(cluster.size(), 3u);
    for (std::size_t i = 0; i < cluster.size(); ++i) {
        CimServer& node = cluster.node(i);
        EXPECT_EQ(node.address(), block.address(static_cast<int>(i)));
        EXPECT_EQ(node.httpPort(), 5988);
        EXPECT_EQ(node.httpsPort(), 5989);
        const std::string mark = "VORN:Log:1:0000000001@node" + std::to_string(i + 1);
        EXPECT_NE(RawClient(node.address(), 5988).exchange(logEntryNames()).body.find(mark), std::string::npos);
        EXPECT_NE(RawClient(node.address(), 5989, true).exchange(logEntryNames()).body.find(mark), std::string::npos);
    }
    Fault failing;
    failing.kind = FaultKind::CimError;
    cluster.node(1).faults().add(failing);
    EXPECT_EQ(RawClient(cluster.addresses()[0], 5988).exchange(logEntryNames()).body.find("<ERROR"), std::string::npos);
    EXPECT_NE(RawClient(cluster.addresses()[1], 5988).exchange(logEntryNames()).body.find("<ERROR"), std::string::npos);
    EXPECT_EQ(cluster.node(0).counters().requests("EnumerateInstanceNames"), 3u);
    cluster.resetCounters();
    cluster.clearFaults();
    EXPECT_EQ(cluster.node(1).counters().totalRequests(), 0u);
    EXPECT_EQ(cluster.node(1).faults().pending(), 0u);
}

TEST(Cluster, StopClosesKeepAliveConnectionsAndFreesThePorts)
{
    ClusterOptions options = threeNodes();
    std::vector<RawClient> idle;
    {
        CimomCluster cluster(options);
        for (const std::string& address : cluster.addresses()) {
            idle.emplace_back(address, 5988);
            idle.back().exchange(logEntryNames());
            idle.emplace_back(address, 5989, true);
            idle.back().exchange(logEntryNames());
        }
    }
    for (RawClient& client : idle)
        EXPECT_TRUE(client.peerCloses(2s));
    CimomCluster again(options);
    EXPECT_EQ(again.node(2).httpPort(), 5988) << "the ports are free at once";
    EXPECT_THROW(CimomCluster{options}, std::runtime_error) << "the same addresses and ports are taken";
}

TEST(Cluster, AddressesAreCountedFromTheBase)
{
    EXPECT_EQ(CimomCluster::offsetAddress("127.0.0.1", 2), "127.0.0.3");
    EXPECT_EQ(CimomCluster::offsetAddress("127.0.5.255", 1), "127.0.6.0");
    EXPECT_THROW(CimomCluster::offsetAddress("localhost", 1), std::invalid_argument);
}

TEST(LoopbackBlockTest, EveryProcessGetsAddressesOfItsOwn)
{
    std::set<std::string> seen;
    for (long pid : {1L, 2L, 4242L, 99999L, 4194303L}) {
        LoopbackBlock block = LoopbackBlock::forPid(pid);
        for (int i = 0; i < LoopbackBlock::kSize; ++i) {
            std::string address = block.address(i);
            EXPECT_TRUE(seen.insert(address).second) << address;
            EXPECT_EQ(address.rfind("127.", 0), 0u);
            EXPECT_NE(address.rfind("127.0.0.", 0), 0u) << "127.0.0.x stays free for default servers";
        }
        EXPECT_THROW(block.address(LoopbackBlock::kSize), std::out_of_range);
    }
}

TEST(CimTestServerExecutable, ServesEveryNodeUntilSignalled)
{
    const std::string base = LoopbackBlock::forThisProcess().address(4);
    ServerProcess process(CIMTESTSERVER_PATH, {"--address", base, "--nodes", "2", "--http-port", "0", "--https-port",
                                               "0", "--data", "demo", "--fault", "cim-error:op=GetClass,code=6"});
    const std::string second = CimomCluster::offsetAddress(base, 1);
    const std::vector<std::string> expected = {
        "node 1 listening on http://" + base + ":", "node 1 listening on https://" + base + ":",
        "node 2 listening on http://" + second + ":", "node 2 listening on https://" + second + ":"};
    std::vector<int> ports;
    for (const std::string& start : expected) {
        std::string line = process.line();
        ASSERT_EQ(line.rfind(start, 0), 0u) << line;
        ports.push_back(std::stoi(line.substr(start.size())));
    }
    EXPECT_EQ(process.line(), "injecting cim-error for operation GetClass, class all");
    RawClient client(second, ports[2]);
    EXPECT_NE(client.exchange(logEntryNames()).body.find("@node2"), std::string::npos);
    EXPECT_NE(client.exchange(classRequest("GetClass", "root/cimv2", "VORN_Memory")).body.find("<ERROR CODE=\"6\""),
              std::string::npos)
        << "--fault applies";
    EXPECT_EQ(process.stop(SIGTERM), 0);
}

TEST(CimTestServerExecutable, StopsOnSigintEvenWhenStartedWithItIgnored)
{
    auto previous = signal(SIGINT, SIG_IGN);  // as a shell starts a background job
    ServerProcess process(CIMTESTSERVER_PATH, {"--address", LoopbackBlock::forThisProcess().address(7), "--http-port",
                                               "0", "--no-https", "--data", "empty"});
    signal(SIGINT, previous);
    EXPECT_EQ(process.line().rfind("node 1 listening on http://", 0), 0u);
    EXPECT_EQ(process.stop(SIGINT), 0);
}

TEST(CimTestServerExecutable, RefusesUnknownOptionsAndTakenPorts)
{
    EXPECT_EQ(ServerProcess(CIMTESTSERVER_PATH, {"--colour", "red"}).stop(0), 2);
    EXPECT_EQ(ServerProcess(CIMTESTSERVER_PATH, {"--data", "nonsense"}).stop(0), 2);
    EXPECT_EQ(ServerProcess(CIMTESTSERVER_PATH, {"--nodes", "0"}).stop(0), 2);
    EXPECT_EQ(ServerProcess(CIMTESTSERVER_PATH, {"--fault", "delay:ms=x"}).stop(0), 2);
    CimomCluster taken(threeNodes());
    EXPECT_EQ(ServerProcess(CIMTESTSERVER_PATH, {"--address", taken.addresses()[0], "--data", "empty"}).stop(0), 1);
}

}  // namespace
}  // namespace testcimom::test
