#ifndef CIMHTTP_TESTS_SUPPORT_CLI_CLITESTSUPPORT_H
#define CIMHTTP_TESTS_SUPPORT_CLI_CLITESTSUPPORT_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <testcimom/CimServer.h>
#include <testcimom/CimomCluster.h>
#include <testcimom/LoopbackBlock.h>

#include "TCliRun.h"
#include "TProcessTable.h"

namespace cimhttp_test {

// A loopback address of this test process (see LoopbackBlock): the test
// CIMOMs listen there on the CIM ports 5988 and 5989, where cimhttp finds them.
inline std::string CliAddress(int index) { return testcimom::LoopbackBlock::forThisProcess().address(index); }

// Test CIMOMs with the demo data set for cimhttp to talk to.
class TCliTest : public ::testing::Test {
protected:
    typedef std::function<void(testcimom::ServerOptions&)> TTweak;

    static std::unique_ptr<testcimom::CimServer> StartDemo(int addressIndex, const TTweak& tweak = TTweak()) {
        testcimom::ServerOptions options;
        options.address = CliAddress(addressIndex);
        options.dataSet.kind = testcimom::DataSetKind::Demo;
        if (tweak) {
            tweak(options);
        }
        auto server = std::make_unique<testcimom::CimServer>(options);
        server->start();
        return server;
    }

    static std::unique_ptr<testcimom::CimomCluster> StartDemoCluster(int firstAddress, int nodes,
                                                                     const TTweak& tweak = TTweak()) {
        testcimom::ClusterOptions options;
        options.nodeCount = nodes;
        options.baseAddress = CliAddress(firstAddress);
        options.server.dataSet.kind = testcimom::DataSetKind::Demo;
        if (tweak) {
            tweak(options.server);
        }
        return std::make_unique<testcimom::CimomCluster>(options);
    }

    // "--host a --host b ..." followed by the arguments.
    static std::vector<std::string> OnHosts(const std::vector<std::string>& hosts, std::vector<std::string> arguments) {
        std::vector<std::string> withHosts;
        for (const std::string& host : hosts) {
            withHosts.insert(withHosts.end(), {"--host", host});
        }
        withHosts.insert(withHosts.end(), arguments.begin(), arguments.end());
        return withHosts;
    }

    static TCliResult Cli(const std::vector<std::string>& arguments) { return TCliRun(arguments).Run(); }

    // The JSON document of a run that succeeded.
    static nlohmann::json JsonOf(const TCliResult& result) {
        EXPECT_EQ(0, result.fStatus) << result.fErr;
        return nlohmann::json::parse(result.fOut);
    }
};

// The one line a failed run writes: "cimhttp: <kind>: <reason>".
inline bool IsOneLineReason(const std::string& err, const std::string& kind) {
    return err.rfind("cimhttp: " + kind + ": ", 0) == 0 && err.find('\n') == err.size() - 1;
}

}  // namespace cimhttp_test

#endif
