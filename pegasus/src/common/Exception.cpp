#include <Pegasus/Common/Exception.h>

#include <Pegasus/Common/Array.h>
#include <string>

PEGASUS_NAMESPACE_BEGIN

namespace
{
const char* const STATUS_CODE_NAMES[] = {
    "CIM_ERR_SUCCESS",
    "CIM_ERR_FAILED",
    "CIM_ERR_ACCESS_DENIED",
    "CIM_ERR_INVALID_NAMESPACE",
    "CIM_ERR_INVALID_PARAMETER",
    "CIM_ERR_INVALID_CLASS",
    "CIM_ERR_NOT_FOUND",
    "CIM_ERR_NOT_SUPPORTED",
    "CIM_ERR_CLASS_HAS_CHILDREN",
    "CIM_ERR_CLASS_HAS_INSTANCES",
    "CIM_ERR_INVALID_SUPERCLASS",
    "CIM_ERR_ALREADY_EXISTS",
    "CIM_ERR_NO_SUCH_PROPERTY",
    "CIM_ERR_TYPE_MISMATCH",
    "CIM_ERR_QUERY_LANGUAGE_NOT_SUPPORTED",
    "CIM_ERR_INVALID_QUERY",
    "CIM_ERR_METHOD_NOT_AVAILABLE",
    "CIM_ERR_METHOD_NOT_FOUND",
    nullptr,
    nullptr,
    "CIM_ERR_NAMESPACE_NOT_EMPTY",
    "CIM_ERR_INVALID_ENUMERATION_CONTEXT",
    "CIM_ERR_INVALID_OPERATION_TIMEOUT",
    "CIM_ERR_PULL_HAS_BEEN_ABANDONED",
    "CIM_ERR_PULL_CANNOT_BE_ABANDONED",
    "CIM_ERR_FILTERED_ENUMERATION_NOT_SUPPORTED",
    "CIM_ERR_CONTINUATION_ON_ERROR_NOT_SUPPORTED",
    "CIM_ERR_SERVER_LIMITS_EXCEEDED",
    "CIM_ERR_SERVER_IS_SHUTTING_DOWN",
};

const Uint32 STATUS_CODE_NAME_COUNT = sizeof(STATUS_CODE_NAMES) / sizeof(STATUS_CODE_NAMES[0]);
}

String cimStatusCodeToString(CIMStatusCode code)
{
    const Uint32 index = static_cast<Uint32>(code);
    if (index < STATUS_CODE_NAME_COUNT && STATUS_CODE_NAMES[index])
        return String(STATUS_CODE_NAMES[index]);
    return String("CIM_ERR_UNKNOWN(" + std::to_string(index) + ")");
}

Exception::~Exception() = default;

CIMException::CIMException(CIMStatusCode code, const String& description)
    : Exception(description.size() ? description : cimStatusCodeToString(code)), _code(code)
{
}

CIMClientHTTPErrorException::CIMClientHTTPErrorException(Uint32 httpStatusCode,
                                                         const String& reasonPhrase,
                                                         const String& cimError,
                                                         const String& cimErrorDetail)
    : Exception(String("HTTP error " + std::to_string(httpStatusCode) + " " + reasonPhrase.str()
                       + (cimError.size() ? " (CIMError: " + cimError.str() + ")" : std::string())
                       + (cimErrorDetail.size() ? ": " + cimErrorDetail.str() : std::string()))),
      _httpStatusCode(httpStatusCode),
      _reasonPhrase(reasonPhrase),
      _cimError(cimError),
      _cimErrorDetail(cimErrorDetail)
{
}

void throwIndexOutOfBounds(Uint32 index, Uint32 size)
{
    throw IndexOutOfBoundsException(
        String("index " + std::to_string(index) + " out of bounds (size " + std::to_string(size) + ")"));
}

PEGASUS_NAMESPACE_END
