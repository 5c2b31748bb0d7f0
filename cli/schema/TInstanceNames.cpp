#include "schema/TInstanceNames.h"

#include <nlohmann/json.hpp>

#include <Pegasus/Common/Exception.h>

#include "client/PegClient.h"
#include "namespace/TCimHTTPNamespace.h"
#include "program/Warning.h"
#include "session/TLoggedFailure.h"
#include "session/TPluginLog.h"
#include "session/TPluginSession.h"
#include "session/TProgressLine.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

// What the namespace's own instance-name enumeration waits for.
const int kInstanceNamesTimeoutMs = 15000;

void CheckName(const std::string& className) {
    TPluginLog::Restart();
    try {
        if (TCimHTTPNamespace::NormalizeName(className).empty()) {
            throw TCliError(eExitInvalidName, "an empty class name");
        }
    } catch (const TQELException& e) {
        throw TPluginSession::ErrorOf(e);
    }
}

}  // namespace

TInstanceNames::TInstanceNames(const TPluginSession& session) : fSession(session) {}

TJson TInstanceNames::Of(const std::string& className) const {
    CheckName(className);
    TJson names = TJson::array();
    std::vector<std::pair<TNode, TCliError>> failures;
    const std::vector<TNode> nodes = fSession.Nodes();
    {
        const TProgressLine progress(fSession, "names");
        for (const TNode& node : nodes) {
            std::optional<TCliError> failure;
            for (const std::string& path : OfNode(node, className, failure)) {
                names.push_back({{"node", node.fKey}, {"host", node.fHost}, {"path", path}});
            }
            if (failure) {
                failures.emplace_back(node, *failure);
            }
        }
    }
    if (!failures.empty() && failures.size() == nodes.size()) {
        throw failures.front().second;
    }
    for (const auto& failed : failures) {
        Warn("node " + failed.first.fKey + " (" + failed.first.fHost + ") left out: " + failed.second.OneLine());
    }
    return names;
}

// An empty answer is a class without instances unless the plug-in logged a
// failure; a node that never connected has failed already.
std::vector<std::string> TInstanceNames::OfNode(const TNode& node, const std::string& className,
                                                std::optional<TCliError>& failure) const {
    if (node.fClient->GetState() == PegClient::eNotConnected) {
        failure = TCliError(eExitUnreachable, "not connected");
        return std::vector<std::string>();
    }
    TPluginLog::Restart();
    std::vector<std::string> paths;
    try {
        paths = node.fClient->EnumerateInstanceNames(Pegasus::CIMNamespaceName(fSession.NamespaceName().c_str()),
                                                     Pegasus::CIMName(className.c_str()), kInstanceNamesTimeoutMs);
    } catch (const Pegasus::Exception& e) {
        throw TCliError(eExitInvalidName, std::string(e.getMessage().getCString()));
    }
    if (paths.empty()) {
        failure = TLoggedFailure::Find(TPluginLog::Messages());
    }
    return paths;
}

}  // namespace NCimHTTPCli
