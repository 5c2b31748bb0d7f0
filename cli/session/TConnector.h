#ifndef CIMHTTP_CLI_SESSION_TCONNECTOR_H
#define CIMHTTP_CLI_SESSION_TCONNECTOR_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMNamespace.h>

#include "program/TOptions.h"

namespace NVORNQEL20 {
class TCimHTTPNamespace;
}

namespace NCimHTTPCli {

// The host's step that prepares the plug-in's namespace: Init, then the
// connect operation that fits the options. The plug-in's connect forms mark
// the namespace connected but reach only 5989 and 5988; another port is
// first connected on the first node with the node form, which takes the
// port, and the single-node form then only marks the namespace connected
// (its own attempt meets the connected client, which the plug-in logs as
// AlreadyConnectedException).
class TConnector {
public:
    TConnector(const TConnectionOptions& options, const std::string& password);

    void operator()(boost::shared_ptr<NVORNQEL20::ICIMNamespace> nameSpace) const;

private:
    void ConnectOneHost(NVORNQEL20::TCimHTTPNamespace& remote) const;
    void ConnectNodes(NVORNQEL20::TCimHTTPNamespace& remote) const;
    void ConnectWithProtocol(NVORNQEL20::TCimHTTPNamespace& remote, int port) const;
    bool ConnectFirstNodeOn(NVORNQEL20::TCimHTTPNamespace& remote, int port) const;

    TConnectionOptions fOptions;
    std::string fPassword;
};

}  // namespace NCimHTTPCli

#endif
