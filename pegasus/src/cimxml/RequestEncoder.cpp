#include "RequestEncoder.h"

#include "PercentCoding.h"
#include "TypeVisit.h"
#include "ValueText.h"
#include <Pegasus/Common/CIMValue.h>

PEGASUS_NAMESPACE_BEGIN

namespace
{
const char* booleanText(Boolean x)
{
    return x ? "TRUE" : "FALSE";
}

// DSP0201 requires a TYPE on KEYVALUE; a numeric key's exact type is not
// known from its text, so the widest type that holds it is named.
const char* keyValueType(const CIMKeyBinding& key)
{
    if (key.getType() == CIMKeyBinding::BOOLEAN)
        return "boolean";
    if (key.getType() == CIMKeyBinding::STRING)
        return "string";
    Uint64 u;
    Sint64 s;
    if (ValueText::parseInteger(key.getValue().str(), u))
        return "uint64";
    if (ValueText::parseInteger(key.getValue().str(), s))
        return "sint64";
    return "real64";
}

const char* keyValueTypeAttribute(CIMKeyBinding::Type type)
{
    switch (type)
    {
    case CIMKeyBinding::BOOLEAN: return "boolean";
    case CIMKeyBinding::NUMERIC: return "numeric";
    default: return "string";
    }
}

void writeLocalNamespacePath(XmlWriter& w, const CIMNamespaceName& nameSpace)
{
    w.start("LOCALNAMESPACEPATH");
    const std::string& text = nameSpace.getString().str();
    size_t begin = 0;
    while (begin <= text.size())
    {
        const size_t slash = std::min(text.find('/', begin), text.size());
        w.start("NAMESPACE").attribute("NAME", text.substr(begin, slash - begin)).end("NAMESPACE");
        begin = slash + 1;
    }
    w.end("LOCALNAMESPACEPATH");
}

void writeNamespacePath(XmlWriter& w, const CIMObjectPath& path)
{
    w.start("NAMESPACEPATH");
    w.start("HOST").text(path.getHost().str()).end("HOST");
    writeLocalNamespacePath(w, path.getNameSpace());
    w.end("NAMESPACEPATH");
}

void writeClassName(XmlWriter& w, const CIMName& name)
{
    w.start("CLASSNAME").attribute("NAME", name.getString().str()).end("CLASSNAME");
}

void writeReference(XmlWriter& w, const CIMObjectPath& path);

void writeInstanceName(XmlWriter& w, const CIMObjectPath& path)
{
    w.start("INSTANCENAME").attribute("CLASSNAME", path.getClassName().getString().str());
    const Array<CIMKeyBinding>& keys = path.getKeyBindings();
    for (Uint32 i = 0; i < keys.size(); ++i)
    {
        w.start("KEYBINDING").attribute("NAME", keys[i].getName().getString().str());
        if (keys[i].getType() == CIMKeyBinding::REFERENCE)
        {
            writeReference(w, CIMObjectPath(keys[i].getValue()));
        }
        else
        {
            w.start("KEYVALUE")
                .attribute("VALUETYPE", keyValueTypeAttribute(keys[i].getType()))
                .attribute("TYPE", keyValueType(keys[i]))
                .text(keys[i].getValue().str())
                .end("KEYVALUE");
        }
        w.end("KEYBINDING");
    }
    w.end("INSTANCENAME");
}

// INSTANCENAME for a path with keys, CLASSNAME otherwise.
void writeObjectName(XmlWriter& w, const CIMObjectPath& path)
{
    if (path.getKeyBindings().size() > 0)
        writeInstanceName(w, path);
    else
        writeClassName(w, path.getClassName());
}

// The narrowest form the path allows: with host and namespace, with
// namespace only, or the bare name.
void writeReference(XmlWriter& w, const CIMObjectPath& path)
{
    const bool isInstance = path.getKeyBindings().size() > 0;
    const bool hasNamespace = !path.getNameSpace().isNull();
    const bool hasHost = hasNamespace && path.getHost().size() > 0;
    const char* wrapper = nullptr;
    if (hasHost)
        wrapper = isInstance ? "INSTANCEPATH" : "CLASSPATH";
    else if (hasNamespace)
        wrapper = isInstance ? "LOCALINSTANCEPATH" : "LOCALCLASSPATH";
    w.start("VALUE.REFERENCE");
    if (wrapper)
        w.start(wrapper);
    if (hasHost)
        writeNamespacePath(w, path);
    else if (hasNamespace)
        writeLocalNamespacePath(w, path.getNameSpace());
    writeObjectName(w, path);
    if (wrapper)
        w.end(wrapper);
    w.end("VALUE.REFERENCE");
}

template <class T>
void writeElement(XmlWriter& w, const T& x)
{
    std::string text;
    try
    {
        ValueText::append(text, x);
    }
    catch (const Exception& e)
    {
        // A char16 that is half of a surrogate pair has no text; like
        // every character XML cannot carry, it cannot be sent.
        throw CIMClientXmlException(e.getMessage() + String(", which cannot be sent in CIM-XML"));
    }
    w.start("VALUE").text(text).end("VALUE");
}

void writeElement(XmlWriter& w, const CIMObjectPath& x)
{
    writeReference(w, x);
}

// VALUE, VALUE.ARRAY, VALUE.REFERENCE or VALUE.REFARRAY; nothing for null.
void writeValue(XmlWriter& w, const CIMValue& value)
{
    if (value.isNull())
        return;
    visitCIMType(value.getType(), [&](auto tag) {
        using T = typename decltype(tag)::type;
        if (!value.isArray())
        {
            T x;
            value.get(x);
            writeElement(w, x);
            return;
        }
        const char* arrayElement = value.getType() == CIMTYPE_REFERENCE ? "VALUE.REFARRAY" : "VALUE.ARRAY";
        Array<T> items;
        value.get(items);
        w.start(arrayElement);
        for (Uint32 i = 0; i < items.size(); ++i)
            writeElement(w, items[i]);
        w.end(arrayElement);
    });
}

std::string messageStart(Uint32 messageId)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">\n"
           "<MESSAGE ID=\"" + std::to_string(messageId) + "\" PROTOCOLVERSION=\"1.0\">\n<SIMPLEREQ>\n";
}

const char* const MESSAGE_END = "</SIMPLEREQ>\n</MESSAGE>\n</CIM>\n";

// The path part of the CIMObject header of an extrinsic call.
std::string modelPath(const CIMObjectPath& path)
{
    CIMObjectPath local(String(), CIMNamespaceName(), path.getClassName(), path.getKeyBindings());
    return local.toString().str();
}
}

RequestEncoder::RequestEncoder(const char* methodName, const CIMNamespaceName& nameSpace)
    : _methodName(methodName), _nameSpace(nameSpace)
{
}

XmlWriter& RequestEncoder::parameterStart(const char* parameter)
{
    return _parameters.start("IPARAMVALUE").attribute("NAME", parameter);
}

RequestEncoder& RequestEncoder::className(const char* parameter, const CIMName& name)
{
    if (!name.isNull())
    {
        writeClassName(parameterStart(parameter), name);
        _parameters.end("IPARAMVALUE").newline();
    }
    return *this;
}

RequestEncoder& RequestEncoder::string(const char* parameter, const String& value)
{
    if (value.size())
        parameterStart(parameter).start("VALUE").text(value.str()).end("VALUE").end("IPARAMVALUE").newline();
    return *this;
}

RequestEncoder& RequestEncoder::flag(const char* parameter, Boolean value, Boolean defaultValue)
{
    if (value != defaultValue)
        parameterStart(parameter).start("VALUE").text(booleanText(value)).end("VALUE").end("IPARAMVALUE").newline();
    return *this;
}

RequestEncoder& RequestEncoder::propertyList(const CIMPropertyList& properties)
{
    if (properties.isNull())
        return *this;
    parameterStart("PropertyList").start("VALUE.ARRAY");
    for (Uint32 i = 0; i < properties.size(); ++i)
        _parameters.start("VALUE").text(properties[i].getString().str()).end("VALUE");
    _parameters.end("VALUE.ARRAY").end("IPARAMVALUE").newline();
    return *this;
}

RequestEncoder& RequestEncoder::instanceName(const char* parameter, const CIMObjectPath& path)
{
    writeInstanceName(parameterStart(parameter), path);
    _parameters.end("IPARAMVALUE").newline();
    return *this;
}

RequestEncoder& RequestEncoder::objectName(const char* parameter, const CIMObjectPath& path)
{
    writeObjectName(parameterStart(parameter), path);
    _parameters.end("IPARAMVALUE").newline();
    return *this;
}

EncodedRequest RequestEncoder::encode(Uint32 messageId) const
{
    XmlWriter w;
    w.raw(messageStart(messageId));
    w.start("IMETHODCALL").attribute("NAME", _methodName).newline();
    writeLocalNamespacePath(w, _nameSpace);
    w.newline().raw(_parameters.str());
    w.end("IMETHODCALL").newline().raw(MESSAGE_END);
    return EncodedRequest{_methodName, percentEncode(_nameSpace.getString().str()), w.str()};
}

EncodedRequest RequestEncoder::methodCall(Uint32 messageId,
                                          const CIMNamespaceName& nameSpace,
                                          const CIMObjectPath& objectPath,
                                          const CIMName& methodName,
                                          const Array<CIMParamValue>& parameters)
{
    const bool isInstance = objectPath.getKeyBindings().size() > 0;
    const char* pathElement = isInstance ? "LOCALINSTANCEPATH" : "LOCALCLASSPATH";
    XmlWriter w;
    w.raw(messageStart(messageId));
    w.start("METHODCALL").attribute("NAME", methodName.getString().str()).newline();
    w.start(pathElement);
    writeLocalNamespacePath(w, nameSpace);
    writeObjectName(w, objectPath);
    w.end(pathElement).newline();
    for (Uint32 i = 0; i < parameters.size(); ++i)
    {
        const CIMParamValue& p = parameters[i];
        w.start("PARAMVALUE").attribute("NAME", p.getParameterName().str());
        if (p.isTyped())
            w.attribute("PARAMTYPE", cimTypeToString(p.getValue().getType()));
        writeValue(w, p.getValue());
        w.end("PARAMVALUE").newline();
    }
    w.end("METHODCALL").newline().raw(MESSAGE_END);
    const std::string cimObject = percentEncode(nameSpace.getString().str()) + ":" + percentEncode(modelPath(objectPath));
    return EncodedRequest{methodName.getString().str(), cimObject, w.str()};
}

PEGASUS_NAMESPACE_END
