#ifndef CIMHTTP_CLI_SCHEMA_TCLASSTREE_H
#define CIMHTTP_CLI_SCHEMA_TCLASSTREE_H

#include <set>
#include <string>
#include <vector>

#include "output/Json.h"

namespace NCimHTTPCli {

class TPluginSession;

// The server's class tree, from the class names the plug-in's namespace
// enumerates level by level: the plug-in's own classes are only those loaded
// so far, flat under its root class, so they cannot show a tree.
class TClassTree {
public:
    explicit TClassTree(const TPluginSession& session);

    // [{"name": ..., "subclasses": [...]}, ...] under the class (the top for
    // ""); subclasses only when deep. A class met twice, or deeper than 64
    // levels, is left out.
    TJson Under(const std::string& parent, bool deep);

private:
    std::vector<std::string> NamesUnder(const std::string& parent) const;
    TJson Branches(const std::string& parent, bool deep, unsigned int depth);

    const TPluginSession& fSession;
    std::set<std::string> fSeen;
};

}  // namespace NCimHTTPCli

#endif
