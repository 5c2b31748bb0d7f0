#ifndef CIMHTTP_CLI_COMMANDS_THOSTINVENTORYCOMMAND_H
#define CIMHTTP_CLI_COMMANDS_THOSTINVENTORYCOMMAND_H

#include <string>
#include <vector>

#include "commands/TResultCommand.h"

namespace NCimHTTPCli {

class TPluginSession;

// inventory-host CLASS...: what inventory runs in the process of each host:
// for every class its instances on every node (as instances shows them in
// JSON: path, node, every property's display text and value). A class that fails
// costs only its own entry ("status", "exitStatus", "error"); a host that
// cannot be reached ends the process with the failure's exit status.
class THostInventoryCommand : public TResultCommand {
public:
    THostInventoryCommand(const TPluginSession& session, const std::vector<std::string>& classes);

    TJson Run() override;
    void WriteText(const TJson& result, std::ostream& out) const override;

private:
    TJson ClassEntry(const std::string& className) const;

    const TPluginSession& fSession;
    std::vector<std::string> fClasses;
};

}  // namespace NCimHTTPCli

#endif
