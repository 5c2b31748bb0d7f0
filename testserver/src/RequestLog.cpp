#include "testcimom/RequestLog.h"

#include <stdexcept>

namespace testcimom {

const Value* LoggedRequest::parameter(std::string_view name) const
{
    const ParamValue* param = findByName(parameters, name);
    return param == nullptr ? nullptr : &param->value;
}

std::optional<bool> LoggedRequest::flag(std::string_view name) const
{
    const Value* value = parameter(name);
    if (value == nullptr)
        return std::nullopt;
    const std::string text = value->isNull || value->isArray ? "" : lowerName(value->items.front());
    if (text != "true" && text != "false")
        throw std::invalid_argument(std::string(name) + " was sent, but not as TRUE or FALSE");
    return text == "true";
}

std::optional<std::vector<std::string>> LoggedRequest::propertyList() const
{
    const Value* value = parameter("PropertyList");
    if (value == nullptr || value->isNull)
        return std::nullopt;
    return value->items;
}

void RequestLog::record(LoggedRequest request)
{
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(std::move(request));
    if (requests_.size() > kCapacity)
        requests_.pop_front();
}

void RequestLog::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
}

std::vector<LoggedRequest> RequestLog::all() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return {requests_.begin(), requests_.end()};
}

std::vector<LoggedRequest> RequestLog::of(std::string_view operation) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<LoggedRequest> matching;
    for (const LoggedRequest& request : requests_)
        if (sameName(request.operation, operation))
            matching.push_back(request);
    return matching;
}

}  // namespace testcimom
