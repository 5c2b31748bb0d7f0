#ifndef CIMHTTP_CLI_PROGRAM_WARNING_H
#define CIMHTTP_CLI_PROGRAM_WARNING_H

#include <string>

namespace NCimHTTPCli {

// A problem the run goes on after, on stderr: "cimhttp: warning: ...".
void Warn(const std::string& text);

}  // namespace NCimHTTPCli

#endif
