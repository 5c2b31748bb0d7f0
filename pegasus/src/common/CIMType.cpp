#include <Pegasus/Common/CIMType.h>

#include <cstring>

PEGASUS_NAMESPACE_BEGIN

namespace
{
const char* const TYPE_NAMES[] = {
    "boolean", "uint8", "sint8", "uint16", "sint16", "uint32", "sint32", "uint64", "sint64",
    "real32", "real64", "char16", "string", "datetime", "reference", "object", "instance",
};
const int TYPE_COUNT = sizeof(TYPE_NAMES) / sizeof(TYPE_NAMES[0]);
}

const char* cimTypeToString(CIMType type)
{
    const int index = static_cast<int>(type);
    return index >= 0 && index < TYPE_COUNT ? TYPE_NAMES[index] : "unknown";
}

// Decoders look a type up for every property: the first letter narrows the
// search to a few names.
Boolean cimTypeFromString(const char* text, CIMType& type)
{
    for (int i = 0; i < TYPE_COUNT; ++i)
    {
        if (TYPE_NAMES[i][0] == text[0] && std::strcmp(text, TYPE_NAMES[i]) == 0)
        {
            type = static_cast<CIMType>(i);
            return true;
        }
    }
    return false;
}

PEGASUS_NAMESPACE_END
