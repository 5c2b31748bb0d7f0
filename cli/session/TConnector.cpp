#include "session/TConnector.h"

#include <boost/pointer_cast.hpp>

#include "client/PegClient.h"
#include "namespace/TCimHTTPNamespace.h"
#include "program/TCliError.h"

namespace NCimHTTPCli {

using NVORNQEL20::PegClient;
using NVORNQEL20::TCimHTTPNamespace;

TConnector::TConnector(const TConnectionOptions& options, const std::string& password)
    : fOptions(options), fPassword(password) {}

void TConnector::operator()(boost::shared_ptr<NVORNQEL20::ICIMNamespace> nameSpace) const {
    boost::shared_ptr<TCimHTTPNamespace> remote = boost::dynamic_pointer_cast<TCimHTTPNamespace>(nameSpace);
    if (!remote) {
        throw TCliError(eExitFailure, "the cimhttp provider made a namespace of another kind");
    }
    remote->Init();
    if (fOptions.fHosts.size() > 1) {
        ConnectNodes(*remote);
    } else {
        ConnectOneHost(*remote);
    }
}

void TConnector::ConnectNodes(TCimHTTPNamespace& remote) const {
    const std::size_t count = fOptions.fHosts.size();
    remote.connect(fOptions.fHosts, std::vector<std::string>(count, fOptions.fUser),
                   std::vector<std::string>(count, fPassword));
}

void TConnector::ConnectOneHost(TCimHTTPNamespace& remote) const {
    const std::string& host = fOptions.fHosts.front();
    switch (fOptions.fProtocol) {
        case eProtocolAutomatic:
            remote.connect(host, fOptions.fUser, fPassword);
            break;
        case eProtocolHttps:
            ConnectWithProtocol(remote, PegClient::kHttpsPort);
            break;
        case eProtocolHttp:
            ConnectWithProtocol(remote, PegClient::kHttpPort);
            break;
    }
}

void TConnector::ConnectWithProtocol(TCimHTTPNamespace& remote, int defaultPort) const {
    const int port = fOptions.fPort ? fOptions.fPort : defaultPort;
    if (port != defaultPort && !ConnectFirstNodeOn(remote, port)) {
        return;
    }
    const std::string& host = fOptions.fHosts.front();
    if (fOptions.fProtocol == eProtocolHttps) {
        remote.ConnectViaHttps(host, fOptions.fUser, fPassword, port);
    } else {
        remote.ConnectViaHttp(host, fOptions.fUser, fPassword, port);
    }
}

bool TConnector::ConnectFirstNodeOn(TCimHTTPNamespace& remote, int port) const {
    const std::string& host = fOptions.fHosts.front();
    if (fOptions.fProtocol == eProtocolHttps) {
        remote.ConnectViaHttps(0, host, fOptions.fUser, fPassword, port);
    } else {
        remote.ConnectViaHttp(0, host, fOptions.fUser, fPassword, port);
    }
    return remote.getPegClient()->GetState() != PegClient::eNotConnected;
}

}  // namespace NCimHTTPCli
