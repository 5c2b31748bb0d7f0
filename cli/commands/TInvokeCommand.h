#ifndef CIMHTTP_CLI_COMMANDS_TINVOKECOMMAND_H
#define CIMHTTP_CLI_COMMANDS_TINVOKECOMMAND_H

#include <string>
#include <vector>

#include "commands/TResultCommand.h"

namespace NCimHTTPCli {

class TObjectPathArgument;
class TPluginSession;

// invoke PATH METHOD [NAME=VALUE ...]: a method call on an instance path, or
// on a class name for a method called on the class. Prints the return value
// and the output parameters, and the node the call ran on: the plug-in runs
// every method on the first node.
class TInvokeCommand : public TResultCommand {
public:
    TInvokeCommand(const TPluginSession& session, const std::string& path, const std::string& method,
                   const std::vector<std::string>& arguments);

    TJson Run() override;
    void WriteText(const TJson& result, std::ostream& out) const override;

private:
    TJson FirstNode(const TObjectPathArgument& target) const;

    const TPluginSession& fSession;
    std::string fPath;
    std::string fMethod;
    std::vector<std::string> fArguments;
};

}  // namespace NCimHTTPCli

#endif
