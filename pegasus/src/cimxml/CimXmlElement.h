#ifndef Pegasus_CimXmlElement_h
#define Pegasus_CimXmlElement_h

#include <Pegasus/Common/Config.h>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// The CIM-XML elements (DMTF DSP0201) that a response may contain, and
// where each may appear.
enum class CimXmlElement
{
    Document,   // above the root element
    Cim, Message, SimpleRsp, IMethodResponse, MethodResponse, Error, IReturnValue, ReturnValue,
    ParamValue, Value, ValueArray, ValueReference, ValueRefArray, ValueNull, ValueObject,
    ValueNamedInstance, ValueNamedObject, ValueObjectWithPath, ValueObjectWithLocalPath,
    ValueInstanceWithPath, NamespacePath, LocalNamespacePath, Host, Namespace, ClassPath,
    LocalClassPath, ClassName, InstancePath, LocalInstancePath, InstanceName, ObjectPath,
    KeyBinding, KeyValue, Class, Instance, Qualifier, Property, PropertyArray, PropertyReference,
    Method, Parameter, ParameterReference, ParameterArray, ParameterRefArray,
    Unknown
};

// Unknown for names DSP0201 does not define for responses.
CimXmlElement cimXmlElementOf(std::string_view name);
const char* cimXmlElementName(CimXmlElement element);
bool cimXmlAllowedChild(CimXmlElement parent, CimXmlElement child);
// Elements whose content is text (VALUE, KEYVALUE, HOST).
inline bool cimXmlHasText(CimXmlElement element)
{
    return element == CimXmlElement::Value || element == CimXmlElement::KeyValue || element == CimXmlElement::Host;
}

PEGASUS_NAMESPACE_END

#endif
