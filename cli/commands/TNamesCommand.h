#ifndef CIMHTTP_CLI_COMMANDS_TNAMESCOMMAND_H
#define CIMHTTP_CLI_COMMANDS_TNAMESCOMMAND_H

#include <string>

#include "commands/TResultCommand.h"

namespace NCimHTTPCli {

class TPluginSession;

// names CLASS: the instance paths of the class on every node.
class TNamesCommand : public TResultCommand {
public:
    TNamesCommand(const TPluginSession& session, const std::string& className);

    TJson Run() override;
    void WriteText(const TJson& result, std::ostream& out) const override;

private:
    const TPluginSession& fSession;
    std::string fClassName;
};

}  // namespace NCimHTTPCli

#endif
