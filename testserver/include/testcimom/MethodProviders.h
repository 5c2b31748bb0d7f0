#pragma once
// Handlers of extrinsic methods (METHODCALL), registered per namespace,
// class and method by a test or a data set. A handler registered on a class
// also serves its subclasses. A handler may throw CimError.
//
// When the class declares the method, the server checks the input
// parameters against the declaration first (see README.md): the handler
// gets them named and typed as declared, in canonical text.

#include "testcimom/CimModel.h"
#include "testcimom/Repository.h"

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace testcimom {

struct MethodCall {
    std::string nameSpace;
    ObjectPath target;  // a class path (no keys) or an instance path
    std::string methodName;
    std::vector<ParamValue> inParameters;
    InstanceRef instance;  // the stored instance an instance path names; null for a class path

    // The named input parameter, or nullptr.
    const Value* parameter(const std::string& name) const;
};

struct MethodResult {
    Value returnValue;
    std::vector<ParamValue> outParameters;
    // How long the server waits before it sends the answer; other
    // connections are served meanwhile.
    std::chrono::milliseconds answerDelay{0};
};

using MethodHandler = std::function<MethodResult(const MethodCall&)>;

class MethodProviders {
public:
    void add(const std::string& nameSpace, const std::string& className, const std::string& methodName,
             MethodHandler handler);
    void remove(const std::string& nameSpace, const std::string& className, const std::string& methodName);
    // The handler for the method on the first of classChain (a class and its
    // superclasses, nearest first) that has one.
    std::optional<MethodHandler> find(const std::string& nameSpace, const std::vector<std::string>& classChain,
                                      const std::string& methodName) const;
    // Whether one of classChain has a handler of any method: a provider
    // serves the class.
    bool servesAny(const std::string& nameSpace, const std::vector<std::string>& classChain) const;

private:
    static std::string keyOf(const std::string& nameSpace, const std::string& className,
                             const std::string& methodName);

    mutable std::mutex mutex_;
    std::map<std::string, MethodHandler> handlers_;
};

}  // namespace testcimom
