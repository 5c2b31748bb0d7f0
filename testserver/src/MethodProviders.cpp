#include "testcimom/MethodProviders.h"

#include <algorithm>

namespace testcimom {

const Value* MethodCall::parameter(const std::string& name) const
{
    const ParamValue* param = findByName(inParameters, name);
    return param != nullptr ? &param->value : nullptr;
}

std::string MethodProviders::keyOf(const std::string& nameSpace, const std::string& className,
                                   const std::string& methodName)
{
    return lowerName(nameSpace) + "|" + lowerName(className) + "|" + lowerName(methodName);
}

bool MethodProviders::servesAny(const std::string& nameSpace, const std::vector<std::string>& classChain) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return std::any_of(classChain.begin(), classChain.end(), [&](const std::string& className) {
        const std::string prefix = keyOf(nameSpace, className, "");
        auto it = handlers_.lower_bound(prefix);
        return it != handlers_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
    });
}

void MethodProviders::add(const std::string& nameSpace, const std::string& className,
                          const std::string& methodName, MethodHandler handler)
{
    std::lock_guard<std::mutex> lock(mutex_);
    handlers_[keyOf(nameSpace, className, methodName)] = std::move(handler);
}

void MethodProviders::remove(const std::string& nameSpace, const std::string& className,
                             const std::string& methodName)
{
    std::lock_guard<std::mutex> lock(mutex_);
    handlers_.erase(keyOf(nameSpace, className, methodName));
}

std::optional<MethodHandler> MethodProviders::find(const std::string& nameSpace,
                                                   const std::vector<std::string>& classChain,
                                                   const std::string& methodName) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const std::string& className : classChain) {
        auto it = handlers_.find(keyOf(nameSpace, className, methodName));
        if (it != handlers_.end())
            return it->second;
    }
    return std::nullopt;
}

}  // namespace testcimom
