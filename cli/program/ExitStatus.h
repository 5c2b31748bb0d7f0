#ifndef CIMHTTP_CLI_PROGRAM_EXITSTATUS_H
#define CIMHTTP_CLI_PROGRAM_EXITSTATUS_H

#include <string>

namespace NCimHTTPCli {

// The exit statuses of cimhttp, one for each kind of failure.
enum EExitStatus {
    eExitSuccess = 0,
    eExitFailure = 1,                // anything not listed below
    eExitUsage = 2,                  // options, arguments, no host
    eExitUnreachable = 3,            // no connection to the server
    eExitAuthenticationRefused = 4,  // the server refused the user or password
    eExitNotFound = 5,               // class, namespace, method or instance unknown
    eExitInvalidName = 6,            // not a CIM name or object path
    eExitBadParameter = 7,           // a value that does not fit its type or parameter
    eExitTimeout = 8,                // the server did not answer in time
    eExitServerError = 9,            // the server failed the operation
    eExitSomeHostsFailed = 10        // inventory: at least one host failed
};

// What the status says, as the one-line reasons and the inventory name it:
// "usage", "unreachable", "authentication refused", ...
std::string ExitStatusName(int status);

}  // namespace NCimHTTPCli

#endif
