#pragma once
// What the server was asked, request by request: the operation, the
// namespace, the class or object path, and every parameter as the client
// sent it, so tests can check the flags, property lists and method
// parameters a client passes. A parameter the client left out is absent.
// Only requests that decode as CIM-XML are logged; the newest kCapacity are
// kept.

#include "testcimom/CimModel.h"

#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testcimom {

struct LoggedRequest {
    bool intrinsic = true;
    std::string operation;  // the intrinsic operation, or the extrinsic method's name
    std::string nameSpace;
    // The ClassName, the InstanceName (ObjectPath::toString) or the
    // extrinsic call's target path; empty when the request names none.
    std::string target;
    // In the order sent. ClassName and InstanceName are reference values, a
    // parameter sent without a value is a null value.
    std::vector<ParamValue> parameters;

    // nullptr when the client left the parameter out.
    const Value* parameter(std::string_view name) const;
    // The flag as sent; nullopt when left out. Throws std::invalid_argument
    // when the parameter is not TRUE or FALSE.
    std::optional<bool> flag(std::string_view name) const;
    // The PropertyList as sent; nullopt when left out or NULL (all properties).
    std::optional<std::vector<std::string>> propertyList() const;
};

class RequestLog {
public:
    static constexpr std::size_t kCapacity = 10000;

    void record(LoggedRequest request);
    void clear();

    std::vector<LoggedRequest> all() const;
    // The requests of one operation (or extrinsic method), oldest first;
    // names compare without case.
    std::vector<LoggedRequest> of(std::string_view operation) const;

private:
    mutable std::mutex mutex_;
    std::deque<LoggedRequest> requests_;
};

}  // namespace testcimom
