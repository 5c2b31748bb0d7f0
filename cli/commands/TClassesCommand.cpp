#include "commands/TClassesCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "schema/TClassTree.h"
#include "session/TPluginSession.h"

namespace NCimHTTPCli {

TClassesCommand::TClassesCommand(const TPluginSession& session, bool deep) : fSession(session), fDeep(deep) {}

TJson TClassesCommand::Run() {
    return {{"namespace", fSession.NamespaceName()}, {"classes", TClassTree(fSession).Under("", fDeep)}};
}

void TClassesCommand::WriteText(const TJson& result, std::ostream& out) const {
    WriteBranches(result["classes"], 0, out);
}

void TClassesCommand::WriteBranches(const TJson& branches, unsigned int depth, std::ostream& out) {
    for (const TJson& branch : branches) {
        out << std::string(2 * depth, ' ') << branch["name"].get<std::string>() << "\n";
        if (branch.contains("subclasses")) {
            WriteBranches(branch["subclasses"], depth + 1, out);
        }
    }
}

}  // namespace NCimHTTPCli
