#ifndef CIMHTTP_TESTS_SUPPORT_FAULTYENDPOINT_H
#define CIMHTTP_TESTS_SUPPORT_FAULTYENDPOINT_H

#include <memory>

#include <testcimom/CimServer.h>

#include "FaultCatalog.h"
#include "SilentPort.h"

namespace cimhttp_faults {

// Puts a connection fault at the address of a healthy server (which stops
// serving there, closing its connections) and takes it away again.
class FaultyEndpoint {
public:
    FaultyEndpoint(const ConnectionFault& fault, testcimom::CimServer& healthy);

    // The server at the address while the fault lasts; null when no server
    // answers there (refused, silent).
    testcimom::CimServer* Server();
    // The healthy server serves at the address again.
    void Heal();

private:
    testcimom::CimServer& fHealthy;
    std::unique_ptr<testcimom::CimServer> fReplacement;
    std::unique_ptr<SilentPort> fSilent;
    bool fHealthyServes;
};

}  // namespace cimhttp_faults

#endif
