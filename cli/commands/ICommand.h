#ifndef CIMHTTP_CLI_COMMANDS_ICOMMAND_H
#define CIMHTTP_CLI_COMMANDS_ICOMMAND_H

#include <iosfwd>

#include "output/Json.h"
#include "program/TOptions.h"

namespace NCimHTTPCli {

// One command. Failures are thrown as TCliError.
class ICommand {
public:
    virtual ~ICommand() = default;
    // The result as data, whatever the output format.
    virtual TJson Run() = 0;
    // Runs the command and writes its result in the format; the exit status.
    virtual int Write(EFormat format, std::ostream& out) = 0;
};

}  // namespace NCimHTTPCli

#endif
