#ifndef CIMHTTP_CLI_COMMANDS_TINSTANCESCOMMAND_H
#define CIMHTTP_CLI_COMMANDS_TINSTANCESCOMMAND_H

#include <string>

#include <qel/ICIMInstance.h>

#include "commands/ICommand.h"

namespace NCimHTTPCli {

class TPluginSession;

// instances CLASS [--deep] [--raw]: every instance of the class on every
// node (with --deep of its subclasses too), each property as its display
// text, and with --raw its raw value beside it (the JSON has both always).
class TInstancesCommand : public ICommand {
public:
    TInstancesCommand(const TPluginSession& session, const std::string& className, bool deep, bool raw);

    TJson Run() override;
    // Each instance written as it comes, in either format, so that a large
    // class is never held whole.
    int Write(EFormat format, std::ostream& out) override;

private:
    void WriteInstance(const NVORNQEL20::ICIMInstance& instance, std::ostream& out) const;

    const TPluginSession& fSession;
    std::string fClassName;
    bool fDeep;
    bool fRaw;
};

}  // namespace NCimHTTPCli

#endif
