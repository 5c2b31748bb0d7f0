#include "XmlAttributes.h"

#include "DecodeError.h"
#include "ValueText.h"
#include <cstring>
#include <string>

PEGASUS_NAMESPACE_BEGIN

bool XmlAttributes::find(const char* name, std::string_view& value) const
{
    for (int i = 0; i < _count; ++i)
    {
        const unsigned char** a = _attributes + 5 * i;
        if (a[0][0] == name[0] && std::strcmp(reinterpret_cast<const char*>(a[0]), name) == 0)
        {
            value = std::string_view(reinterpret_cast<const char*>(a[3]), static_cast<size_t>(a[4] - a[3]));
            return true;
        }
    }
    return false;
}

std::string_view XmlAttributes::required(const char* name) const
{
    std::string_view value;
    if (!find(name, value))
        decodeError(std::string("missing attribute ") + name);
    return value;
}

bool XmlAttributes::flag(const char* name, bool defaultValue) const
{
    std::string_view value;
    if (!find(name, value))
        return defaultValue;
    Boolean x;
    if (!ValueText::parseBoolean(value, x))
        decodeError(std::string("attribute ") + name + " is neither true nor false");
    return x;
}

CIMName XmlAttributes::name(const char* attribute) const
{
    return CIMName(String(std::string(required(attribute))));
}

CIMName XmlAttributes::optionalName(const char* attribute) const
{
    std::string_view value;
    return find(attribute, value) && !value.empty() ? CIMName(String(std::string(value))) : CIMName();
}

bool XmlAttributes::type(const char* attribute, CIMType& type) const
{
    std::string_view value;
    if (!find(attribute, value) || value.empty())
        return false;
    if (!cimTypeFromString(std::string(value).c_str(), type))
        decodeError(std::string("unknown type \"") + std::string(value) + "\" in " + attribute);
    return true;
}

Uint32 XmlAttributes::number(const char* attribute) const
{
    std::string_view value;
    Uint32 x = 0;
    if (find(attribute, value) && !ValueText::parseInteger(value, x))
        decodeError(std::string("attribute ") + attribute + " is not a number");
    return x;
}

PEGASUS_NAMESPACE_END
