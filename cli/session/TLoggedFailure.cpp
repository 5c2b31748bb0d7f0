#include "session/TLoggedFailure.h"

namespace NCimHTTPCli {

namespace {

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool IsFailureLine(const std::string& message) {
    return (Contains(message, "Exception in ") && !Contains(message, "AlreadyConnectedException")) ||
           Contains(message, "Invalid name in ");
}

EExitStatus KindOfCimError(const std::string& message) {
    for (const char* missing : {"CIM_ERR_NOT_FOUND", "CIM_ERR_INVALID_CLASS", "CIM_ERR_INVALID_NAMESPACE",
                                "CIM_ERR_METHOD_NOT_FOUND", "CIM_ERR_METHOD_NOT_AVAILABLE"}) {
        if (Contains(message, missing)) {
            return eExitNotFound;
        }
    }
    if (Contains(message, "CIM_ERR_INVALID_PARAMETER") || Contains(message, "CIM_ERR_TYPE_MISMATCH")) {
        return eExitBadParameter;
    }
    if (Contains(message, "CIM_ERR_ACCESS_DENIED")) {
        return eExitAuthenticationRefused;
    }
    return eExitServerError;
}

// The order in which a kind explains a failure best: a refused password
// also shows as broken requests, a dead server also as failed operations.
const std::vector<EExitStatus> kAllKinds = {
    eExitAuthenticationRefused, eExitTimeout,     eExitUnreachable, eExitNotFound,
    eExitBadParameter,          eExitInvalidName, eExitServerError};

}  // namespace

EExitStatus TLoggedFailure::KindOf(const std::string& message) {
    if (Contains(message, "Invalid name in ")) {
        return eExitInvalidName;
    }
    if (Contains(message, "ConnectionTimeoutException")) {
        return eExitTimeout;
    }
    if (Contains(message, "HTTP error 401") || Contains(message, "HTTP error 403")) {
        return eExitAuthenticationRefused;
    }
    if (Contains(message, "CannotConnectException") || Contains(message, "CannotCreateSocketException") ||
        Contains(message, "InvalidLocatorException")) {
        return eExitUnreachable;
    }
    if (Contains(message, "CIMException")) {
        return KindOfCimError(message);
    }
    return eExitServerError;
}

std::optional<TCliError> TLoggedFailure::FindAmong(const std::vector<std::string>& messages,
                                                   const std::vector<EExitStatus>& kinds) {
    for (EExitStatus kind : kinds) {
        for (const std::string& message : messages) {
            if (IsFailureLine(message) && KindOf(message) == kind) {
                return TCliError(kind, message);
            }
        }
    }
    return std::nullopt;
}

std::optional<TCliError> TLoggedFailure::Find(const std::vector<std::string>& messages) {
    return FindAmong(messages, kAllKinds);
}

std::optional<TCliError> TLoggedFailure::FindConnectionFailure(const std::vector<std::string>& messages) {
    return FindAmong(messages, {eExitAuthenticationRefused, eExitTimeout});
}

}  // namespace NCimHTTPCli
