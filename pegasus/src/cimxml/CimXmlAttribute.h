#ifndef Pegasus_CimXmlAttribute_h
#define Pegasus_CimXmlAttribute_h

#include <Pegasus/Common/Config.h>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// The attributes of DMTF DSP0201 that the response decoder reads; Other
// for every other one, which it passes over.
enum class CimXmlAttribute
{
    Name, ClassName, Type, ParamType, ClassOrigin, Propagated, ArraySize, ReferenceClass, SuperClass,
    ValueType, Code, Description, Overridable, ToSubclass, ToInstance, Translatable,
    Other
};

CimXmlAttribute cimXmlAttributeOf(std::string_view name);
const char* cimXmlAttributeName(CimXmlAttribute attribute);

PEGASUS_NAMESPACE_END

#endif
