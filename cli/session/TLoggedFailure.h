#ifndef CIMHTTP_CLI_SESSION_TLOGGEDFAILURE_H
#define CIMHTTP_CLI_SESSION_TLOGGEDFAILURE_H

#include <optional>
#include <string>
#include <vector>

#include "program/TCliError.h"

namespace NCimHTTPCli {

// Reads the failure out of what the plug-in logged: the connection layer
// writes "<Kind>Exception in PegClient::<Op>(): <message>" for every
// client-library failure (time-outs, refused connections, HTTP errors such
// as 401, CIM errors whose message starts with the CIM_ERR_ name) and
// "Invalid name in ..." for names the client library rejects.
class TLoggedFailure {
public:
    // The most telling failure among the messages, with its line as reason;
    // none when no message reports one.
    static std::optional<TCliError> Find(const std::vector<std::string>& messages);
    // Only what makes a connected server useless: a refused user or
    // password, a server that does not answer. A CIM error (the ESXi probe
    // asks for a class most servers lack) is no such failure.
    static std::optional<TCliError> FindConnectionFailure(const std::vector<std::string>& messages);

private:
    static EExitStatus KindOf(const std::string& message);
    static std::optional<TCliError> FindAmong(const std::vector<std::string>& messages,
                                              const std::vector<EExitStatus>& kinds);
};

}  // namespace NCimHTTPCli

#endif
