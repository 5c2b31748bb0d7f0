#include "testcimom/CimError.h"

#include <array>

namespace testcimom {

std::string statusName(int code)
{
    static const std::array<const char*, 17> names = {
        "CIM_ERR_FAILED", "CIM_ERR_ACCESS_DENIED", "CIM_ERR_INVALID_NAMESPACE",
        "CIM_ERR_INVALID_PARAMETER", "CIM_ERR_INVALID_CLASS", "CIM_ERR_NOT_FOUND",
        "CIM_ERR_NOT_SUPPORTED", "CIM_ERR_CLASS_HAS_CHILDREN", "CIM_ERR_CLASS_HAS_INSTANCES",
        "CIM_ERR_INVALID_SUPERCLASS", "CIM_ERR_ALREADY_EXISTS", "CIM_ERR_NO_SUCH_PROPERTY",
        "CIM_ERR_TYPE_MISMATCH", "CIM_ERR_QUERY_LANGUAGE_NOT_SUPPORTED", "CIM_ERR_INVALID_QUERY",
        "CIM_ERR_METHOD_NOT_AVAILABLE", "CIM_ERR_METHOD_NOT_FOUND"};
    if (code >= 1 && code <= static_cast<int>(names.size()))
        return names[static_cast<std::size_t>(code - 1)];
    return "CIM_ERR_" + std::to_string(code);
}

CimError::CimError(CimStatus status, const std::string& detail)
    : CimError(static_cast<int>(status), detail)
{
}

CimError::CimError(int code, const std::string& detail)
    : std::runtime_error(statusName(code) + (detail.empty() ? "" : ": " + detail)),
      code_(code),
      description_(what())
{
}

}  // namespace testcimom
