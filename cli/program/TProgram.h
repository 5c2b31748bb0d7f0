#ifndef CIMHTTP_CLI_PROGRAM_TPROGRAM_H
#define CIMHTTP_CLI_PROGRAM_TPROGRAM_H

#include <memory>

#include "program/TOptions.h"

namespace NCimHTTPCli {

class ICommand;
class TPluginSession;

// One run of cimhttp: the options, the log, the password, the plug-in's
// session, the command and its output. Every failure ends as a one-line
// reason on stderr ("cimhttp: <kind>: <reason>") and its exit status.
class TProgram {
public:
    static int Run(int argc, char** argv);

private:
    static int Execute(const TOptions& options);
    static void SetUpLog(const TOptions& options);
    static std::unique_ptr<ICommand> MakeCommand(const TOptions& options, const TPluginSession& session);
    static int Write(ICommand& command, const TOptions& options);
};

}  // namespace NCimHTTPCli

#endif
