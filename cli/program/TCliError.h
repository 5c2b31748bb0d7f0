#ifndef CIMHTTP_CLI_PROGRAM_TCLIERROR_H
#define CIMHTTP_CLI_PROGRAM_TCLIERROR_H

#include <stdexcept>
#include <string>

#include "program/ExitStatus.h"

namespace NCimHTTPCli {

// A failure that ends the run: its exit status and a reason for people,
// kept to one line.
class TCliError : public std::runtime_error {
public:
    TCliError(EExitStatus status, const std::string& reason);

    EExitStatus GetStatus() const { return fStatus; }
    // "time-out: ConnectionTimeoutException in PegClient::GetClass(): ..."
    std::string OneLine() const;

private:
    EExitStatus fStatus;
};

}  // namespace NCimHTTPCli

#endif
