#ifndef CIMHTTP_CLI_PROGRAM_TPASSWORDSOURCE_H
#define CIMHTTP_CLI_PROGRAM_TPASSWORDSOURCE_H

#include <string>

#include "program/TOptions.h"

namespace NCimHTTPCli {

// Where the password comes from, never from the command line: the first
// line of --password-file, else the environment variable CIMHTTP_PASSWORD,
// else a prompt on the terminal that does not echo what is typed.
class TPasswordSource {
public:
    static const char* const kEnvironmentVariable;

    // Empty without a user. Throws TCliError (usage) when a password is
    // needed and there is no file, no variable and no terminal to ask on.
    static std::string Read(const TConnectionOptions& options);

private:
    static std::string FromFile(const std::string& path);
    static std::string Prompt(const std::string& user, const std::string& host);
};

}  // namespace NCimHTTPCli

#endif
