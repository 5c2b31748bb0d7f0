#include <Pegasus/Common/CIMType.h>

#include "TypeNames.h"

PEGASUS_NAMESPACE_BEGIN

namespace
{
constexpr std::string_view TYPE_NAMES[] = {
    "boolean", "uint8", "sint8", "uint16", "sint16", "uint32", "sint32", "uint64", "sint64",
    "real32", "real64", "char16", "string", "datetime", "reference", "object", "instance",
};
constexpr int TYPE_COUNT = sizeof(TYPE_NAMES) / sizeof(TYPE_NAMES[0]);

// Decoders look a type up for every property and qualifier: length, first
// and last letter pick the one name worth comparing.
constexpr size_t slotOf(std::string_view name)
{
    return (name.size() + static_cast<unsigned char>(name.front()) + 7 * static_cast<unsigned char>(name.back())) % 32;
}

struct TypeSlots
{
    signed char type[32] = {};   // a type's number plus one; 0 for none

    constexpr TypeSlots()
    {
        for (int i = 0; i < TYPE_COUNT; ++i)
        {
            // Made at compile time: two names in one slot stop the build.
            if (type[slotOf(TYPE_NAMES[i])] != 0)
                throw "two type names share a slot";
            type[slotOf(TYPE_NAMES[i])] = static_cast<signed char>(i + 1);
        }
    }
};

constexpr TypeSlots TYPE_SLOTS;
}

const char* cimTypeToString(CIMType type)
{
    const int index = static_cast<int>(type);
    return index >= 0 && index < TYPE_COUNT ? TYPE_NAMES[index].data() : "unknown";
}

Boolean cimTypeFromName(std::string_view name, CIMType& type)
{
    if (name.empty())
        return false;
    const int index = TYPE_SLOTS.type[slotOf(name)] - 1;
    if (index < 0 || TYPE_NAMES[index] != name)
        return false;
    type = static_cast<CIMType>(index);
    return true;
}

Boolean cimTypeFromString(const char* text, CIMType& type)
{
    return cimTypeFromName(text, type);
}

PEGASUS_NAMESPACE_END
