#ifndef CIMHTTP_CLI_PROGRAM_TCOMMANDLINE_H
#define CIMHTTP_CLI_PROGRAM_TCOMMANDLINE_H

#include <string>
#include <vector>

#include "program/TOptions.h"

namespace NCimHTTPCli {

// The options and commands of cimhttp. Global options may stand before or
// after the command; every command has --help.
class TCommandLine {
public:
    // Fills the options; false when help was asked for and printed.
    // Throws TCliError (usage) for anything it cannot take.
    static bool Parse(int argc, char** argv, TOptions& options);

    // The arguments that give a child process the same connection and
    // settings (no password: see TPasswordSource), for the hosts given.
    static std::vector<std::string> ConnectionArguments(const TOptions& options, const std::vector<std::string>& hosts);

private:
    static void RefusePasswordArgument(int argc, char** argv);
    static void Check(const TOptions& options);
};

}  // namespace NCimHTTPCli

#endif
