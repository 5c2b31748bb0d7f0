#ifndef CIMHTTP_CLI_COMMANDS_ICOMMAND_H
#define CIMHTTP_CLI_COMMANDS_ICOMMAND_H

#include <iosfwd>

#include "output/Json.h"
#include "program/ExitStatus.h"
#include "program/TOptions.h"

namespace NCimHTTPCli {

// One command: it runs to a result (JSON, whatever the output format, so
// that both formats show the same data) and writes that result as text.
// Failures are thrown as TCliError.
class ICommand {
public:
    virtual ~ICommand() = default;
    virtual TJson Run() = 0;
    virtual void WriteText(const TJson& result, std::ostream& out) const = 0;
    // The exit status of a result that could be written.
    virtual int ExitStatusOf(const TJson&) const { return eExitSuccess; }
    // Runs the command and writes its result in the format; the exit status.
    // A command with a large result may write it as it comes instead.
    virtual int Write(EFormat format, std::ostream& out);
};

}  // namespace NCimHTTPCli

#endif
