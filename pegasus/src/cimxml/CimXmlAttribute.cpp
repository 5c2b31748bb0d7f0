#include "CimXmlAttribute.h"

PEGASUS_NAMESPACE_BEGIN

namespace
{
const char* const NAMES[] = {
    "NAME", "CLASSNAME", "TYPE", "PARAMTYPE", "CLASSORIGIN", "PROPAGATED", "ARRAYSIZE", "REFERENCECLASS",
    "SUPERCLASS", "VALUETYPE", "CODE", "DESCRIPTION", "OVERRIDABLE", "TOSUBCLASS", "TOINSTANCE",
    "TRANSLATABLE", "(other)",
};

const int COUNT = static_cast<int>(CimXmlAttribute::Other) + 1;
static_assert(sizeof(NAMES) / sizeof(NAMES[0]) == COUNT, "one name per attribute");
}

CimXmlAttribute cimXmlAttributeOf(std::string_view name)
{
    for (int i = 0; i < COUNT - 1; ++i)
        if (name == NAMES[i])
            return static_cast<CimXmlAttribute>(i);
    return CimXmlAttribute::Other;
}

const char* cimXmlAttributeName(CimXmlAttribute attribute)
{
    return NAMES[static_cast<int>(attribute)];
}

PEGASUS_NAMESPACE_END
