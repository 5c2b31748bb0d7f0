#include "program/ExitStatus.h"

namespace NCimHTTPCli {

std::string ExitStatusName(int status) {
    switch (status) {
        case eExitSuccess:
            return "ok";
        case eExitUsage:
            return "usage";
        case eExitUnreachable:
            return "unreachable";
        case eExitAuthenticationRefused:
            return "authentication refused";
        case eExitNotFound:
            return "not found";
        case eExitInvalidName:
            return "invalid name";
        case eExitBadParameter:
            return "bad parameter value";
        case eExitTimeout:
            return "time-out";
        case eExitServerError:
            return "server error";
        case eExitSomeHostsFailed:
            return "some hosts failed";
        default:
            return "failure";
    }
}

}  // namespace NCimHTTPCli
