#include "XmlAttributes.h"

#include "DecodeError.h"
#include "ValueText.h"
#include <array>
#include <string>

PEGASUS_NAMESPACE_BEGIN

namespace
{
// Every property and qualifier names its type: the names are told apart
// by length, first and last letter before one whole comparison.
bool typeNamed(std::string_view text, CIMType& type)
{
    static const auto NAMES = [] {
        std::array<std::string_view, CIMTYPE_INSTANCE + 1> names;
        for (size_t i = 0; i < names.size(); ++i)
            names[i] = cimTypeToString(static_cast<CIMType>(i));
        return names;
    }();
    for (size_t i = 0; i < NAMES.size(); ++i)
    {
        const std::string_view name = NAMES[i];
        if (name.size() == text.size() && name.front() == text.front() && name.back() == text.back() && name == text)
        {
            type = static_cast<CIMType>(i);
            return true;
        }
    }
    return false;
}
}

std::string_view XmlAttributes::required(std::string_view name) const
{
    std::string_view value;
    if (!find(name, value))
        decodeError("missing attribute " + std::string(name));
    return value;
}

bool XmlAttributes::flag(std::string_view name, bool defaultValue) const
{
    std::string_view value;
    if (!find(name, value))
        return defaultValue;
    Boolean x;
    if (!ValueText::parseBoolean(value, x))
        decodeError("attribute " + std::string(name) + " is neither true nor false");
    return x;
}

namespace
{
CIMName nameOf(std::string_view text)
{
    return CIMName(String(text.data(), static_cast<Uint32>(text.size())));
}
}

CIMName XmlAttributes::name(std::string_view attribute) const
{
    return nameOf(required(attribute));
}

CIMName XmlAttributes::optionalName(std::string_view attribute) const
{
    std::string_view value;
    return find(attribute, value) && !value.empty() ? nameOf(value) : CIMName();
}

bool XmlAttributes::type(std::string_view attribute, CIMType& type) const
{
    std::string_view value;
    if (!find(attribute, value) || value.empty())
        return false;
    if (!typeNamed(value, type))
        decodeError(std::string("unknown type \"") + std::string(value) + "\" in " + std::string(attribute));
    return true;
}

Uint32 XmlAttributes::number(std::string_view attribute) const
{
    std::string_view value;
    Uint32 x = 0;
    if (find(attribute, value) && !ValueText::parseInteger(value, x))
        decodeError("attribute " + std::string(attribute) + " is not a number");
    return x;
}

PEGASUS_NAMESPACE_END
