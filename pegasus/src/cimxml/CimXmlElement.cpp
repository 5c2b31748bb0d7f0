#include "CimXmlElement.h"

#include <cstdint>
#include <initializer_list>

PEGASUS_NAMESPACE_BEGIN

namespace
{
using E = CimXmlElement;

const char* const NAMES[] = {
    "", "CIM", "MESSAGE", "SIMPLERSP", "IMETHODRESPONSE", "METHODRESPONSE", "ERROR", "IRETURNVALUE",
    "RETURNVALUE", "PARAMVALUE", "VALUE", "VALUE.ARRAY", "VALUE.REFERENCE", "VALUE.REFARRAY", "VALUE.NULL",
    "VALUE.OBJECT", "VALUE.NAMEDINSTANCE", "VALUE.NAMEDOBJECT", "VALUE.OBJECTWITHPATH",
    "VALUE.OBJECTWITHLOCALPATH", "VALUE.INSTANCEWITHPATH", "NAMESPACEPATH", "LOCALNAMESPACEPATH", "HOST",
    "NAMESPACE", "CLASSPATH", "LOCALCLASSPATH", "CLASSNAME", "INSTANCEPATH", "LOCALINSTANCEPATH",
    "INSTANCENAME", "OBJECTPATH", "KEYBINDING", "KEYVALUE", "CLASS", "INSTANCE", "QUALIFIER", "PROPERTY",
    "PROPERTY.ARRAY", "PROPERTY.REFERENCE", "METHOD", "PARAMETER", "PARAMETER.REFERENCE", "PARAMETER.ARRAY",
    "PARAMETER.REFARRAY", "(unknown)",
};

const int COUNT = static_cast<int>(E::Unknown) + 1;
static_assert(sizeof(NAMES) / sizeof(NAMES[0]) == COUNT, "one name per element");

struct Children
{
    E parent;
    std::initializer_list<E> children;
};

const Children CONTENT[] = {
    {E::Document, {E::Cim}},
    {E::Cim, {E::Message}},
    {E::Message, {E::SimpleRsp}},
    {E::SimpleRsp, {E::IMethodResponse, E::MethodResponse}},
    {E::IMethodResponse, {E::Error, E::IReturnValue, E::ParamValue}},
    {E::MethodResponse, {E::Error, E::ReturnValue, E::ParamValue}},
    {E::Error, {E::Instance}},
    {E::IReturnValue,
     {E::ClassName, E::InstanceName, E::ValueObjectWithPath, E::ValueObjectWithLocalPath, E::ValueObject,
      E::ObjectPath, E::Class, E::Instance, E::InstancePath, E::ValueNamedInstance, E::ValueInstanceWithPath}},
    {E::ReturnValue, {E::Value, E::ValueReference}},
    {E::ParamValue, {E::Value, E::ValueReference, E::ValueArray, E::ValueRefArray, E::ClassName, E::InstanceName}},
    {E::ValueArray, {E::Value, E::ValueNull}},
    {E::ValueReference,
     {E::ClassPath, E::LocalClassPath, E::ClassName, E::InstancePath, E::LocalInstancePath, E::InstanceName}},
    {E::ValueRefArray, {E::ValueReference, E::ValueNull}},
    {E::ValueObject, {E::Class, E::Instance}},
    {E::ValueNamedInstance, {E::InstanceName, E::Instance}},
    {E::ValueNamedObject, {E::Class, E::InstanceName, E::Instance}},
    {E::ValueObjectWithPath, {E::ClassPath, E::Class, E::InstancePath, E::Instance}},
    {E::ValueObjectWithLocalPath, {E::LocalClassPath, E::Class, E::LocalInstancePath, E::Instance}},
    {E::ValueInstanceWithPath, {E::InstancePath, E::Instance}},
    {E::NamespacePath, {E::Host, E::LocalNamespacePath}},
    {E::LocalNamespacePath, {E::Namespace}},
    {E::ClassPath, {E::NamespacePath, E::ClassName}},
    {E::LocalClassPath, {E::LocalNamespacePath, E::ClassName}},
    {E::InstancePath, {E::NamespacePath, E::InstanceName}},
    {E::LocalInstancePath, {E::LocalNamespacePath, E::InstanceName}},
    {E::InstanceName, {E::KeyBinding}},
    {E::ObjectPath, {E::InstancePath, E::ClassPath}},
    {E::KeyBinding, {E::KeyValue, E::ValueReference}},
    {E::Class, {E::Qualifier, E::Property, E::PropertyArray, E::PropertyReference, E::Method}},
    {E::Instance, {E::Qualifier, E::Property, E::PropertyArray, E::PropertyReference}},
    {E::Qualifier, {E::Value, E::ValueArray}},
    {E::Property, {E::Qualifier, E::Value}},
    {E::PropertyArray, {E::Qualifier, E::ValueArray}},
    {E::PropertyReference, {E::Qualifier, E::ValueReference}},
    {E::Method, {E::Qualifier, E::Parameter, E::ParameterReference, E::ParameterArray, E::ParameterRefArray}},
    {E::Parameter, {E::Qualifier}},
    {E::ParameterReference, {E::Qualifier}},
    {E::ParameterArray, {E::Qualifier}},
    {E::ParameterRefArray, {E::Qualifier}},
};

struct ChildTable
{
    std::uint64_t allowed[COUNT] = {};

    ChildTable()
    {
        static_assert(COUNT <= 64, "children fit a 64-bit mask");
        for (const Children& c : CONTENT)
            for (E child : c.children)
                allowed[static_cast<int>(c.parent)] |= std::uint64_t(1) << static_cast<int>(child);
    }
};

const ChildTable CHILD_TABLE;
}

CimXmlElement cimXmlElementOf(std::string_view name)
{
    for (int i = 1; i < COUNT - 1; ++i)
        if (name == NAMES[i])
            return static_cast<E>(i);
    return E::Unknown;
}

const char* cimXmlElementName(CimXmlElement element)
{
    return NAMES[static_cast<int>(element)];
}

bool cimXmlAllowedChild(CimXmlElement parent, CimXmlElement child)
{
    return child != E::Unknown
        && (CHILD_TABLE.allowed[static_cast<int>(parent)] >> static_cast<int>(child) & 1) != 0;
}

PEGASUS_NAMESPACE_END
