#pragma once
// CIM status codes as DSP0200 numbers them, and the error the repository and
// the operations throw to make the server answer with an ERROR element.

#include <stdexcept>
#include <string>

namespace testcimom {

enum class CimStatus {
    Failed = 1,
    AccessDenied = 2,
    InvalidNamespace = 3,
    InvalidParameter = 4,
    InvalidClass = 5,
    NotFound = 6,
    NotSupported = 7,
    ClassHasChildren = 8,
    ClassHasInstances = 9,
    InvalidSuperclass = 10,
    AlreadyExists = 11,
    NoSuchProperty = 12,
    TypeMismatch = 13,
    QueryLanguageNotSupported = 14,
    InvalidQuery = 15,
    MethodNotAvailable = 16,
    MethodNotFound = 17,
};

// "CIM_ERR_NOT_FOUND" for 6; "CIM_ERR_<code>" for numbers outside 1..17.
std::string statusName(int code);

class CimError : public std::runtime_error {
public:
    CimError(CimStatus status, const std::string& detail);
    CimError(int code, const std::string& detail);

    int code() const { return code_; }
    // The DESCRIPTION text: "CIM_ERR_NOT_FOUND: detail".
    const std::string& description() const { return description_; }

private:
    int code_;
    std::string description_;
};

}  // namespace testcimom
