#include "schema/TClassTree.h"

#include <nlohmann/json.hpp>

#include "namespace/TCimHTTPNamespace.h"
#include "session/TLoggedFailure.h"
#include "session/TPluginLog.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

namespace {

const unsigned int kMaxDepth = 64;

}  // namespace

TClassTree::TClassTree(const TPluginSession& session) : fSession(session) {}

TJson TClassTree::Under(const std::string& parent, bool deep) {
    fSeen.clear();
    return Branches(parent, deep, 0);
}

TJson TClassTree::Branches(const std::string& parent, bool deep, unsigned int depth) {
    TJson branches = TJson::array();
    for (const std::string& name : NamesUnder(parent)) {
        if (!fSeen.insert(name).second) {
            continue;
        }
        TJson branch = {{"name", name}};
        if (deep && depth < kMaxDepth) {
            branch["subclasses"] = Branches(name, deep, depth + 1);
        }
        branches.push_back(branch);
    }
    return branches;
}

// An empty answer is a class without subclasses unless the plug-in logged
// a failure.
std::vector<std::string> TClassTree::NamesUnder(const std::string& parent) const {
    TPluginLog::Restart();
    std::vector<std::string> names;
    fSession.Remote().EnumerateClassNames(fSession.NamespaceName(), parent, names, false);
    if (names.empty()) {
        if (std::optional<TCliError> failure = TLoggedFailure::Find(TPluginLog::Messages())) {
            throw *failure;
        }
    }
    return names;
}

}  // namespace NCimHTTPCli
