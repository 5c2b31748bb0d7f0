#include "demo/TDemoCimom.h"

#include <stdexcept>

#include <testcimom/CimomCluster.h>
#include <testcimom/LoopbackBlock.h>

#include "program/TCliError.h"

namespace NCimHTTPCli {

TDemoCimom::TDemoCimom(int nodeCount, int first) {
    const testcimom::LoopbackBlock block = testcimom::LoopbackBlock::forThisProcess();
    std::string lastFailure;
    for (int base = first; base + nodeCount <= testcimom::LoopbackBlock::kSize; base += nodeCount) {
        testcimom::ClusterOptions options;
        options.nodeCount = nodeCount;
        options.baseAddress = block.address(base);
        options.server.dataSet.kind = testcimom::DataSetKind::Demo;
        options.perNodeValues = nodeCount > 1;
        try {
            fCluster = std::make_unique<testcimom::CimomCluster>(options);
            return;
        } catch (const std::runtime_error& e) {
            lastFailure = e.what();
        }
    }
    throw TCliError(eExitFailure, "the demo CIMOM found no free loopback address: " + lastFailure);
}

TDemoCimom::~TDemoCimom() = default;

std::vector<std::string> TDemoCimom::Addresses() const { return fCluster->addresses(); }

}  // namespace NCimHTTPCli
