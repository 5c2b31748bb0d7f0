#include "XmlAttributes.h"

#include "DecodeError.h"
#include "TypeNames.h"
#include "ValueText.h"
#include <string>

PEGASUS_NAMESPACE_BEGIN


std::string_view XmlAttributes::required(CimXmlAttribute name) const
{
    std::string_view value;
    if (!find(name, value))
        decodeError(std::string("missing attribute ") + cimXmlAttributeName(name));
    return value;
}

bool XmlAttributes::flag(CimXmlAttribute name, bool defaultValue) const
{
    std::string_view value;
    if (!find(name, value))
        return defaultValue;
    Boolean x;
    if (!ValueText::parseBoolean(value, x))
        decodeError(std::string("attribute ") + cimXmlAttributeName(name) + " is neither true nor false");
    return x;
}

namespace
{
CIMName nameOf(std::string_view text)
{
    return CIMName(String(text.data(), static_cast<Uint32>(text.size())));
}
}

CIMName XmlAttributes::name(CimXmlAttribute attribute) const
{
    return nameOf(required(attribute));
}

CIMName XmlAttributes::optionalName(CimXmlAttribute attribute) const
{
    std::string_view value;
    return find(attribute, value) && !value.empty() ? nameOf(value) : CIMName();
}

bool XmlAttributes::type(CimXmlAttribute attribute, CIMType& type) const
{
    std::string_view value;
    if (!find(attribute, value) || value.empty())
        return false;
    if (!cimTypeFromName(value, type))
        decodeError(std::string("unknown type \"") + std::string(value) + "\" in " + cimXmlAttributeName(attribute));
    return true;
}

Uint32 XmlAttributes::number(CimXmlAttribute attribute) const
{
    std::string_view value;
    Uint32 x = 0;
    if (find(attribute, value) && !ValueText::parseInteger(value, x))
        decodeError(std::string("attribute ") + cimXmlAttributeName(attribute) + " is not a number");
    return x;
}

PEGASUS_NAMESPACE_END
