#include "FaultyEndpoint.h"

namespace cimhttp_faults {

FaultyEndpoint::FaultyEndpoint(const ConnectionFault& fault, testcimom::CimServer& healthy)
    : fHealthy(healthy), fHealthyServes(false)
{
    fHealthy.stop();
    switch (fault.setup) {
    case ConnectionFault::Setup::Stopped:
        break;
    case ConnectionFault::Setup::SilentListener:
        fSilent = std::make_unique<SilentPort>(fHealthy.address(), 5989);
        break;
    case ConnectionFault::Setup::Replaced: {
        testcimom::ServerOptions options;
        options.address = fHealthy.address();
        options.dataSet.kind = testcimom::DataSetKind::Demo;
        fault.configure(options);
        fReplacement = std::make_unique<testcimom::CimServer>(options);
        fReplacement->start();
        break;
    }
    case ConnectionFault::Setup::HandshakeAborted:
        fHealthy.faults().add(testcimom::parseFault("abort-handshake"));
        fHealthy.start();
        fHealthyServes = true;
        break;
    }
}

testcimom::CimServer* FaultyEndpoint::Server()
{
    return fReplacement ? fReplacement.get() : fHealthyServes ? &fHealthy : nullptr;
}

void FaultyEndpoint::Heal()
{
    fSilent.reset();
    fReplacement.reset();
    fHealthy.faults().clear();
    fHealthy.start();
    fHealthyServes = true;
}

}  // namespace cimhttp_faults
