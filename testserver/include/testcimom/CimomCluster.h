#pragma once
// The CIMOMs of a multi-node system: node i (0-based) listens on the base
// address plus i (127.0.0.1, 127.0.0.2, ...), all on the same ports, each
// with its own repository; with perNodeValues, node i's instance IDs end
// in "@node<i+1>" so tests can tell the nodes apart.
//
//   testcimom::ClusterOptions options;
//   options.nodeCount = 3;
//   options.baseAddress = testcimom::LoopbackBlock::forThisProcess().address();
//   testcimom::CimomCluster cluster(options);   // started
//   cluster.node(1).faults().add(...);

#include "testcimom/CimServer.h"

#include <memory>
#include <string>
#include <vector>

namespace testcimom {

struct ClusterOptions {
    int nodeCount = 2;
    std::string baseAddress = "127.0.0.1";
    ServerOptions server;  // everything but the address, for every node
    bool perNodeValues = true;
};

class CimomCluster {
public:
    // Starts every node; throws std::runtime_error (after stopping the
    // others) when one cannot listen.
    explicit CimomCluster(ClusterOptions options);
    ~CimomCluster();

    void stop();
    std::size_t size() const { return nodes_.size(); }
    CimServer& node(std::size_t index) { return *nodes_.at(index); }
    std::vector<std::string> addresses() const;
    void resetCounters();
    void clearFaults();

    // "127.0.0.1" plus offset, within the last octet's range.
    static std::string offsetAddress(const std::string& base, int offset);

private:
    std::vector<std::unique_ptr<CimServer>> nodes_;
};

}  // namespace testcimom
