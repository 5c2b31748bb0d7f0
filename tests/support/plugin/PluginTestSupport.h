#ifndef CIMHTTP_TESTS_SUPPORT_PLUGINTESTSUPPORT_H
#define CIMHTTP_TESTS_SUPPORT_PLUGINTESTSUPPORT_H

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qel/TControllerSimulation.h>
#include <qel/TCoreLogger.h>
#include <qel/TRootObject.h>

#include <testcimom/CimServer.h>
#include <testcimom/CimomCluster.h>
#include <testcimom/LoopbackBlock.h>
#include <testcimom/RequestLog.h>

#include "client/PegClient.h"
#include "FreshProcess.h"

namespace cimhttp_test {

using namespace std::chrono_literals;

// The loopback address of node `index` of this test process: every process
// gets addresses of its own, so that the fixed CIM ports can be used while
// ctest runs tests side by side.
inline std::string NodeAddress(int index = 0)
{
    return testcimom::LoopbackBlock::forThisProcess().address(index);
}

inline testcimom::ServerOptions ServerOptionsFor(testcimom::DataSetKind kind, int node = 0)
{
    testcimom::ServerOptions options;
    options.address = NodeAddress(node);
    options.dataSet.kind = kind;
    return options;
}

inline testcimom::ServerOptions DemoServerOptions(int node = 0)
{
    return ServerOptionsFor(testcimom::DataSetKind::Demo, node);
}

// Demo CIMOMs on this process's node addresses, started, each node's
// instance IDs ending in "@node<n>" (n from 1).
inline std::unique_ptr<testcimom::CimomCluster> StartDemoCluster(int nodeCount)
{
    testcimom::ClusterOptions options;
    options.nodeCount = nodeCount;
    options.baseAddress = NodeAddress(0);
    options.server.dataSet.kind = testcimom::DataSetKind::Demo;
    return std::make_unique<testcimom::CimomCluster>(options);
}

inline std::unique_ptr<testcimom::CimServer> StartServer(testcimom::ServerOptions options)
{
    auto server = std::make_unique<testcimom::CimServer>(options);
    server->start();
    return server;
}

inline testcimom::Fault MakeFault(testcimom::FaultKind kind, const std::string& operation, int count = -1)
{
    testcimom::Fault fault;
    fault.kind = kind;
    fault.operation = operation;
    fault.count = count;
    return fault;
}

// What the plug-in hands to the host's logger, as the host records it.
inline std::vector<std::string> LoggedMessages(int level = 3)
{
    std::vector<std::string> messages;
    for (const auto& record : NVORNQEL20::TRootObject::GetCoreLogger()->Records())
        if (record.first == level)
            messages.push_back(record.second);
    return messages;
}

inline bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The flags of a logged GetClass, EnumerateInstances or EnumerateClassNames
// as the server takes them, "Name=true Other=false" in DSP0200's order: as
// sent, or DSP0200's default where the client left one out.
inline std::string FlagsSent(const testcimom::LoggedRequest& request)
{
    struct Flag {
        const char* name;
        bool byDefault;
    };
    static const std::map<std::string, std::vector<Flag>> flagsOf = {
        {"GetClass", {{"LocalOnly", true}, {"IncludeQualifiers", true}, {"IncludeClassOrigin", false}}},
        {"EnumerateInstances",
         {{"DeepInheritance", true}, {"LocalOnly", true}, {"IncludeQualifiers", false}, {"IncludeClassOrigin", false}}},
        {"EnumerateClassNames", {{"DeepInheritance", false}}},
    };
    std::string text;
    for (const Flag& flag : flagsOf.at(request.operation)) {
        const bool value = request.flag(flag.name).value_or(flag.byDefault);
        text += (text.empty() ? "" : " ") + std::string(flag.name) + (value ? "=true" : "=false");
    }
    return text;
}

// Each test starts with an empty log, the default controller, a short
// reconnect pause and the time-outs as the plug-in gives them; the few tests
// that need the real pause set it back.
class PluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NVORNQEL20::TRootObject::GetCoreLogger()->Clear();
        NVORNQEL20::TControllerSimulation::Reset();
        NVORNQEL20::PegClient::SetReconnectPause(10ms);
        NVORNQEL20::PegClient::SetTimeoutDivisor(1);
    }
};

}  // namespace cimhttp_test

#endif
