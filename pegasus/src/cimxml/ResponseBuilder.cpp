#include "ResponseBuilder.h"

#include "DecodeError.h"
#include "ValueFromText.h"
#include "ValueText.h"
#include <string>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

namespace
{
using E = CimXmlElement;
using A = CimXmlAttribute;

// The value a PROPERTY, QUALIFIER, RETURNVALUE or PARAMVALUE received.
CIMValue valueOf(ElementFrame& f)
{
    if (f.type == CIMTYPE_REFERENCE)
    {
        if (f.hasArray)
            return CIMValue(Array<CIMObjectPath>(f.references.data(), static_cast<Uint32>(f.references.size())));
        return f.hasPath ? CIMValue(f.path) : CIMValue(CIMTYPE_REFERENCE, false);
    }
    if (f.hasArray)
        return arrayFromText(f.type, f.items, f.nullItems);
    if (f.hasValue)
        return scalarFromText(f.type, f.text);
    return CIMValue(f.type, false);
}

// Moves what a path element learnt into the element around it; the parts
// the child did not name stay as the enclosing element had them.
void mergePath(CIMObjectPath& into, CIMObjectPath&& from)
{
    if (from.getHost().size() == 0)
        from.setHost(into.getHost());
    if (from.getNameSpace().isNull())
        from.setNameSpace(into.getNameSpace());
    if (from.getClassName().isNull())
        from.setClassName(into.getClassName());
    if (from.getKeyBindings().size() == 0)
        from.setKeyBindings(into.getKeyBindings());
    into = std::move(from);
}

CIMKeyBinding::Type keyTypeOf(std::string_view valueType)
{
    if (valueType == "string")
        return CIMKeyBinding::STRING;
    if (valueType == "boolean")
        return CIMKeyBinding::BOOLEAN;
    if (valueType == "numeric")
        return CIMKeyBinding::NUMERIC;
    decodeError("unknown VALUETYPE \"" + std::string(valueType) + "\"");
}

// A reference nests inside a key of the path it is part of. The text form
// of such a key escapes the quotes of the one inside it, so each level
// doubles the escapes: the depth has to be bounded.
const size_t MAX_NESTED_REFERENCES = 8;

bool isWhiteSpace(const char* text, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n' && text[i] != '\r')
            return false;
    return true;
}

// Without PARAMTYPE a value arrives untyped: references are recognised
// by their element, everything else is kept as a string.
CIMValue valueOfUntypedAsString(ElementFrame& f)
{
    if (!f.typed)
        f.type = f.hasPath || !f.references.empty() ? CIMTYPE_REFERENCE : CIMTYPE_STRING;
    return valueOf(f);
}

template <class Element>
void addQualifiers(Element& element, const std::vector<CIMQualifier>& qualifiers)
{
    for (const CIMQualifier& q : qualifiers)
        element.addQualifier(q);
}

template <class Object>
void moveProperties(std::vector<CIMProperty>& properties, Object& object)
{
    for (CIMProperty& property : properties)
        object.addProperty(std::move(property));
    properties.clear();
}
}

ResponseBuilder::ResponseBuilder()
{
    _frames.resize(16);
}

void ResponseBuilder::start(CimXmlElement element, const XmlAttributes& attributes)
{
    if (!cimXmlAllowedChild(top().element, element))
        decodeError(std::string("<") + cimXmlElementName(element) + "> is not allowed here");
    if (element == E::ValueReference && ++_openReferences > MAX_NESTED_REFERENCES)
        decodeError("references nested more than " + std::to_string(MAX_NESTED_REFERENCES) + " deep");
    if (++_depth == _frames.size())
        _frames.resize(_frames.size() * 2);
    top().reset(element);
    _textSink = cimXmlHasText(element) ? &top().text : nullptr;
    startActions(top(), attributes);
}

void ResponseBuilder::refuseUnlessWhiteSpace(const char* text, size_t size)
{
    if (!isWhiteSpace(text, size))
        decodeError("unexpected text");
}

// Elements with text hold no elements, so the one open after an end never
// takes text.
void ResponseBuilder::end()
{
    _textSink = nullptr;
    endActions(top());
    if (top().element == E::ValueReference)
        --_openReferences;
    --_depth;
}

void ResponseBuilder::startActions(ElementFrame& f, const XmlAttributes& a)
{
    switch (f.element)
    {
    case E::Message:
        _sawMessage = true;
        break;
    case E::Value: startValue(); break;
    case E::IMethodResponse:
    case E::MethodResponse:
        response.methodName = String(std::string(a.required(A::Name)));
        response.isMethodResponse = f.element == E::MethodResponse;
        break;
    case E::Error: startError(a); break;
    case E::ReturnValue:
        f.typed = a.type(A::ParamType, f.type);
        break;
    case E::ParamValue:
        f.name = a.name(A::Name);
        f.typed = a.type(A::ParamType, f.type);
        break;
    case E::Namespace:
        parent().text += (parent().text.empty() ? "" : "/") + std::string(a.required(A::Name));
        break;
    case E::ClassName: f.name = a.name(A::Name); break;
    case E::InstanceName: f.path.setClassName(a.name(A::ClassName)); break;
    case E::KeyBinding: f.name = a.name(A::Name); break;
    case E::KeyValue: startKeyValue(f, a); break;
    case E::Class: f.cimClass = CIMClass(a.name(A::Name), a.optionalName(A::SuperClass)); break;
    case E::Instance: f.instance = CIMInstance(a.name(A::ClassName)); break;
    case E::Qualifier: startQualifier(f, a); break;
    case E::Property:
    case E::PropertyArray:
    case E::PropertyReference: startProperty(f, a); break;
    case E::Method: startMethod(f, a); break;
    case E::Parameter:
    case E::ParameterReference:
    case E::ParameterArray:
    case E::ParameterRefArray: startParameter(f, a); break;
    default: break;
    }
}

void ResponseBuilder::startError(const XmlAttributes& a)
{
    Uint32 code = 0;
    if (!ValueText::parseInteger(a.required(A::Code), code))
        decodeError("CODE is not a number");
    std::string_view description;
    a.find(A::Description, description);
    response.hasError = true;
    response.errorCode = static_cast<CIMStatusCode>(code);
    response.errorDescription = String(std::string(description));
}

// Servers leave TYPE out or empty; VALUETYPE then tells enough.
void ResponseBuilder::startKeyValue(ElementFrame& f, const XmlAttributes& a)
{
    std::string_view valueType = "string";
    a.find(A::ValueType, valueType);
    f.keyType = keyTypeOf(valueType);
}

void ResponseBuilder::startQualifier(ElementFrame& f, const XmlAttributes& a)
{
    f.name = a.name(A::Name);
    f.typed = a.type(A::Type, f.type);
    if (!f.typed)
        decodeError("qualifier without TYPE");
    f.propagated = a.flag(A::Propagated, false);
    const struct { CimXmlAttribute attribute; bool defaultValue; const CIMFlavor& flavor; } flavors[] = {
        {A::Overridable, true, CIMFlavor::OVERRIDABLE},
        {A::ToSubclass, true, CIMFlavor::TOSUBCLASS},
        {A::ToInstance, false, CIMFlavor::TOINSTANCE},
        {A::Translatable, false, CIMFlavor::TRANSLATABLE},
    };
    for (const auto& flavor : flavors)
        if (a.flag(flavor.attribute, flavor.defaultValue))
            f.flavor.addFlavor(flavor.flavor);
}

void ResponseBuilder::startProperty(ElementFrame& f, const XmlAttributes& a)
{
    f.name = a.name(A::Name);
    f.classOrigin = a.optionalName(A::ClassOrigin);
    f.propagated = a.flag(A::Propagated, false);
    if (f.element == E::PropertyReference)
    {
        f.type = CIMTYPE_REFERENCE;
        f.referenceClass = a.optionalName(A::ReferenceClass);
        return;
    }
    if (!a.type(A::Type, f.type))
        decodeError("property without TYPE");
    f.arraySize = a.number(A::ArraySize);
}

void ResponseBuilder::startMethod(ElementFrame& f, const XmlAttributes& a)
{
    CIMType type = CIMTYPE_STRING;
    a.type(A::Type, type);
    f.method = CIMMethod(a.name(A::Name), type, a.optionalName(A::ClassOrigin), a.flag(A::Propagated, false));
}

void ResponseBuilder::startParameter(ElementFrame& f, const XmlAttributes& a)
{
    f.name = a.name(A::Name);
    const bool isReference = f.element == E::ParameterReference || f.element == E::ParameterRefArray;
    if (isReference)
    {
        f.type = CIMTYPE_REFERENCE;
        f.referenceClass = a.optionalName(A::ReferenceClass);
    }
    else if (!a.type(A::Type, f.type))
    {
        decodeError("parameter without TYPE");
    }
    f.arraySize = a.number(A::ArraySize);
}

void ResponseBuilder::endActions(ElementFrame& f)
{
    switch (f.element)
    {
    case E::ValueNull: endValueNull(); break;
    case E::ValueArray:
        parent().items.swap(f.items);
        parent().nullItems.swap(f.nullItems);
        parent().hasArray = true;
        break;
    case E::ValueReference: endValueReference(f); break;
    case E::ValueRefArray:
        parent().references.swap(f.references);
        parent().hasArray = true;
        break;
    case E::Host: parent().path.setHost(String(std::move(f.text))); break;
    case E::LocalNamespacePath: parent().path.setNameSpace(CIMNamespaceName(String(std::move(f.text)))); break;
    case E::ClassName: endClassName(f); break;
    case E::KeyValue: endKeyValue(f); break;
    case E::KeyBinding: endKeyBinding(f); break;
    case E::NamespacePath:
    case E::ClassPath:
    case E::LocalClassPath:
    case E::InstancePath:
    case E::LocalInstancePath:
    case E::ObjectPath: deliverPath(std::move(f.path)); break;
    case E::InstanceName: endInstanceName(f); break;
    case E::Qualifier: endQualifier(f); break;
    case E::Property:
    case E::PropertyArray:
    case E::PropertyReference: endProperty(f); break;
    case E::Parameter:
    case E::ParameterReference:
    case E::ParameterArray:
    case E::ParameterRefArray: endParameter(f); break;
    case E::Method:
        addQualifiers(f.method, f.qualifiers);
        parent().cimClass.addMethod(f.method);
        break;
    case E::Class:
        moveProperties(f.properties, f.cimClass);
        deliverObject(f);
        break;
    case E::Instance: endInstance(f); break;
    case E::ValueNamedInstance:
    case E::ValueInstanceWithPath: endPathAndInstance(f); break;
    case E::ValueObject:
    case E::ValueNamedObject:
    case E::ValueObjectWithPath:
    case E::ValueObjectWithLocalPath: endObject(f); break;
    case E::ReturnValue:
        response.returnValue = f.typed || f.hasValue || f.hasPath ? valueOfUntypedAsString(f) : CIMValue();
        break;
    case E::ParamValue:
        response.outParameters.append(CIMParamValue(f.name.getString(), valueOfUntypedAsString(f), f.typed));
        break;
    default: break;
    }
}

// A VALUE's text goes straight where it is read: into the element around
// it, or into the next item of a VALUE.ARRAY.
void ResponseBuilder::startValue()
{
    ElementFrame& p = parent();
    if (p.element == E::ValueArray)
    {
        p.items.emplace_back();
        p.nullItems.push_back(false);
        _textSink = &p.items.back();
        return;
    }
    p.text.clear();
    p.hasValue = true;
    _textSink = &p.text;
}

void ResponseBuilder::endValueNull()
{
    ElementFrame& p = parent();
    if (p.element == E::ValueArray)
    {
        p.items.emplace_back();
        p.nullItems.push_back(true);
    }
    else
    {
        p.references.emplace_back();
    }
}

void ResponseBuilder::endValueReference(ElementFrame& f)
{
    if (!f.hasPath)
        decodeError("empty VALUE.REFERENCE");
    ElementFrame& p = parent();
    if (p.element == E::ValueRefArray)
    {
        p.references.push_back(std::move(f.path));
        return;
    }
    p.path = std::move(f.path);
    p.hasPath = true;
}

void ResponseBuilder::endClassName(ElementFrame& f)
{
    ElementFrame& p = parent();
    if (p.element == E::IReturnValue)
    {
        response.classNames.append(f.name);
        return;
    }
    CIMObjectPath path;
    path.setClassName(f.name);
    deliverPath(std::move(path));
}

// Numeric and boolean keys stand unquoted in a path's text form: they
// must be what they claim to be.
void ResponseBuilder::endKeyValue(ElementFrame& f)
{
    Boolean b;
    if (f.keyType == CIMKeyBinding::NUMERIC && !ValueText::isNumber(f.text))
        decodeError("\"" + f.text + "\" is not a numeric key value");
    if (f.keyType == CIMKeyBinding::BOOLEAN && !ValueText::parseBoolean(f.text, b))
        decodeError("\"" + f.text + "\" is not a boolean key value");
    parent().text.swap(f.text);
    parent().keyType = f.keyType;
    parent().hasValue = true;
}

void ResponseBuilder::endKeyBinding(ElementFrame& f)
{
    if (f.hasPath)
        parent().keys.emplace_back(f.name, f.path);
    else if (f.hasValue)
        parent().keys.emplace_back(std::move(f.name), String(std::move(f.text)), f.keyType);
    else
        decodeError("KEYBINDING without value");
}

void ResponseBuilder::deliverPath(CIMObjectPath&& path)
{
    ElementFrame& p = parent();
    if (p.element == E::IReturnValue)
        response.paths.append(std::move(path));
    else
        mergePath(p.path, std::move(path));
    p.hasPath = true;
}

// Keys and properties arrive one by one: gathered in the frame first, they
// move into their path or instance with one allocation of the right size.
void ResponseBuilder::endInstanceName(ElementFrame& f)
{
    Array<CIMKeyBinding> keys;
    keys.reserveCapacity(static_cast<Uint32>(f.keys.size()));
    for (CIMKeyBinding& key : f.keys)
        keys.append(std::move(key));
    f.keys.clear();
    f.path.setKeyBindings(std::move(keys));
    deliverPath(std::move(f.path));
}

void ResponseBuilder::endInstance(ElementFrame& f)
{
    f.instance.reservePropertyCapacity(static_cast<Uint32>(f.properties.size()));
    moveProperties(f.properties, f.instance);
    deliverObject(f);
}

void ResponseBuilder::endQualifier(ElementFrame& f)
{
    CIMQualifier qualifier(f.name, valueOf(f), f.flavor, f.propagated);
    ElementFrame& p = parent();
    if (p.element == E::Class)
        p.cimClass.addQualifier(qualifier);
    else if (p.element == E::Instance)
        p.instance.addQualifier(qualifier);
    else
        p.qualifiers.push_back(std::move(qualifier));
}

void ResponseBuilder::endProperty(ElementFrame& f)
{
    const bool nullArray = f.element == E::PropertyArray && !f.hasArray;
    ElementFrame& p = parent();
    CIMProperty& property = p.properties.emplace_back(std::move(f.name), nullArray ? CIMValue(f.type, true) : valueOf(f),
                                                      f.arraySize, f.referenceClass, f.classOrigin, f.propagated);
    addQualifiers(property, f.qualifiers);
}

void ResponseBuilder::endParameter(ElementFrame& f)
{
    const bool isArray = f.element == E::ParameterArray || f.element == E::ParameterRefArray;
    CIMParameter parameter(f.name, f.type, isArray, f.arraySize, f.referenceClass);
    addQualifiers(parameter, f.qualifiers);
    parent().method.addParameter(parameter);
}

void ResponseBuilder::deliverObject(ElementFrame& f)
{
    ElementFrame& p = parent();
    if (p.element == E::IReturnValue)
    {
        if (f.element == E::Class)
            response.classes.append(std::move(f.cimClass));
        else
            response.instances.append(std::move(f.instance));
    }
    else if (p.element != E::Error)
    {
        p.cimClass = std::move(f.cimClass);
        p.instance = std::move(f.instance);
    }
}

void ResponseBuilder::endPathAndInstance(ElementFrame& f)
{
    if (!f.hasPath || f.instance.isUninitialized())
        decodeError("path or instance missing");
    f.instance.setPath(std::move(f.path));
    response.instances.append(std::move(f.instance));
}

void ResponseBuilder::endObject(ElementFrame& f)
{
    if (!f.hasObject())
        decodeError("object missing");
    CIMObject object = f.object();
    if (f.hasPath)
        object.setPath(f.path);
    response.objects.append(std::move(object));
}

PEGASUS_NAMESPACE_END
