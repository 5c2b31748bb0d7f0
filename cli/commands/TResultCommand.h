#ifndef CIMHTTP_CLI_COMMANDS_TRESULTCOMMAND_H
#define CIMHTTP_CLI_COMMANDS_TRESULTCOMMAND_H

#include "commands/ICommand.h"
#include "program/ExitStatus.h"

namespace NCimHTTPCli {

// A command whose whole result is at hand before it is written: as JSON,
// or as text, so that both formats show the same data.
class TResultCommand : public ICommand {
public:
    int Write(EFormat format, std::ostream& out) override;
    virtual void WriteText(const TJson& result, std::ostream& out) const = 0;
    // The exit status of a result that could be written.
    virtual int ExitStatusOf(const TJson&) const { return eExitSuccess; }
};

}  // namespace NCimHTTPCli

#endif
