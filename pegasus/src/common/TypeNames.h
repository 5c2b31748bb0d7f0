#ifndef Pegasus_TypeNames_h
#define Pegasus_TypeNames_h

#include <Pegasus/Common/CIMType.h>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// cimTypeFromString for text that is not NUL-terminated, as decoders find
// it in attribute values.
Boolean cimTypeFromName(std::string_view name, CIMType& type);

PEGASUS_NAMESPACE_END

#endif
