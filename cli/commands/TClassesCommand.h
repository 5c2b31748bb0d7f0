#ifndef CIMHTTP_CLI_COMMANDS_TCLASSESCOMMAND_H
#define CIMHTTP_CLI_COMMANDS_TCLASSESCOMMAND_H

#include "commands/TResultCommand.h"

namespace NCimHTTPCli {

class TPluginSession;

// classes [--deep]: the classes at the top of the tree; with --deep every
// subclass, indented under its superclass.
class TClassesCommand : public TResultCommand {
public:
    TClassesCommand(const TPluginSession& session, bool deep);

    TJson Run() override;
    void WriteText(const TJson& result, std::ostream& out) const override;

private:
    static void WriteBranches(const TJson& branches, unsigned int depth, std::ostream& out);

    const TPluginSession& fSession;
    bool fDeep;
};

}  // namespace NCimHTTPCli

#endif
