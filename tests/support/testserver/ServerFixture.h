#pragma once
// Servers for the tests: on 127.0.0.1 with ephemeral ports, so test
// processes that ctest runs side by side never compete for a port.

#include "testcimom/CimServer.h"

namespace testcimom::test {

inline ServerOptions ephemeralOptions(DataSetKind kind = DataSetKind::Capture)
{
    ServerOptions options;
    options.httpPort = 0;
    options.httpsPort = 0;
    options.dataSet.kind = kind;
    return options;
}

inline std::unique_ptr<CimServer> startedServer(ServerOptions options)
{
    auto server = std::make_unique<CimServer>(std::move(options));
    server->start();
    return server;
}

// The captured data without the 10,000 Test_Big instances, for tests that
// do not look at them.
inline ServerOptions smallCaptureOptions()
{
    ServerOptions options = ephemeralOptions();
    options.dataSet.testBigInstances = 0;
    return options;
}

}  // namespace testcimom::test
