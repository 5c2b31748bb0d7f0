#ifndef CIMHTTP_CLI_SCHEMA_TINSTANCENAMES_H
#define CIMHTTP_CLI_SCHEMA_TINSTANCENAMES_H

#include <optional>
#include <string>
#include <vector>

#include "output/Json.h"
#include "program/TCliError.h"

namespace NCimHTTPCli {

class TPluginSession;
struct TNode;

// The instance paths of a class on every node, each asked through that
// node's client of the plug-in: a node that fails costs only its own paths.
class TInstanceNames {
public:
    explicit TInstanceNames(const TPluginSession& session);

    // [{"node": key, "host": ..., "path": ...}, ...] in node order, each node's
    // in the server's order. Throws TCliError for a name that is no CIM name
    // and when every node failed.
    TJson Of(const std::string& className) const;

private:
    std::vector<std::string> OfNode(const TNode& node, const std::string& className,
                                    std::optional<TCliError>& failure) const;

    const TPluginSession& fSession;
};

}  // namespace NCimHTTPCli

#endif
