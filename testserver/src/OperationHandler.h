#pragma once
// Carries out one decoded CIM operation on the repository and the method
// handlers, and writes what goes inside the (I)METHODRESPONSE element.

#include "CimRequest.h"
#include "testcimom/CimError.h"
#include "testcimom/MethodProviders.h"
#include "testcimom/Repository.h"

#include <chrono>
#include <optional>
#include <string>

namespace testcimom {

struct OperationOutcome {
    std::string content;  // IRETURNVALUE / RETURNVALUE and PARAMVALUEs; empty for an empty result
    std::optional<CimError> error;
    std::chrono::milliseconds answerDelay{0};  // a method handler's wait before the answer
};

class OperationHandler {
public:
    OperationHandler(const Repository& repository, const MethodProviders& methods);

    OperationOutcome execute(const CimRequest& request) const;

private:
    std::string dispatch(const CimRequest& request) const;
    std::string getClass(const CimRequest& request) const;
    std::string enumerateClasses(const CimRequest& request) const;
    std::string enumerateClassNames(const CimRequest& request) const;
    std::string enumerateInstances(const CimRequest& request) const;
    std::string enumerateInstanceNames(const CimRequest& request) const;
    std::string getInstance(const CimRequest& request) const;
    std::string enumerateQualifiers(const CimRequest& request) const;
    OperationOutcome invokeMethod(const CimRequest& request) const;

    InstanceRef targetInstance(const CimRequest& request) const;
    MethodHandler handlerFor(const CimRequest& request, const std::vector<std::string>& chain,
                             const Method* declared) const;
    CimClass requiredClass(const std::string& nameSpace, const std::string& className, CimStatus missing) const;
    std::vector<std::string> classChain(const std::string& nameSpace, const std::string& className) const;

    const Repository& repository_;
    const MethodProviders& methods_;
};

}  // namespace testcimom
