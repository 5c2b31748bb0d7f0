#ifndef CIMHTTP_CLI_DEMO_TDEMOCIMOM_H
#define CIMHTTP_CLI_DEMO_TDEMOCIMOM_H

#include <memory>
#include <string>
#include <vector>

namespace testcimom {
class CimomCluster;
}

namespace NCimHTTPCli {

// The bundled test CIMOM with the demo data set, inside this process: one
// node, or the nodes of a multi-node system on consecutive loopback
// addresses, on the CIM ports 5989 (HTTPS) and 5988 (HTTP) of addresses no
// other process of this kind uses. Stopped when destroyed.
class TDemoCimom {
public:
    // Tries the addresses of this process's loopback block from `first` on.
    // Throws TCliError when no group of addresses is free.
    TDemoCimom(int nodeCount, int first);
    ~TDemoCimom();

    std::vector<std::string> Addresses() const;

private:
    std::unique_ptr<testcimom::CimomCluster> fCluster;
};

}  // namespace NCimHTTPCli

#endif
