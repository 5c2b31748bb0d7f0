#include "CimXmlReader.h"

namespace testcimom {

namespace {

bool flag(const xmlNode* node, const char* name, bool fallback)
{
    std::optional<std::string> value = attribute(node, name);
    return value ? lowerName(*value) == "true" : fallback;
}

Flavor readFlavor(const xmlNode* node)
{
    Flavor flavor;
    flavor.overridable = flag(node, "OVERRIDABLE", true);
    flavor.toSubclass = flag(node, "TOSUBCLASS", true);
    flavor.toInstance = flag(node, "TOINSTANCE", false);
    flavor.translatable = flag(node, "TRANSLATABLE", false);
    return flavor;
}

Qualifier readQualifier(const xmlNode* node)
{
    Qualifier qualifier;
    qualifier.name = requiredAttribute(node, "NAME");
    qualifier.flavor = readFlavor(node);
    qualifier.propagated = flag(node, "PROPAGATED", false);
    bool isArray = firstChild(node, "VALUE.ARRAY") != nullptr;
    qualifier.value = CimXmlReader::readValue(node, CimXmlReader::readType(node), isArray);
    return qualifier;
}

std::vector<Qualifier> readQualifiers(const xmlNode* node)
{
    std::vector<Qualifier> qualifiers;
    for (xmlNode* child : childElements(node, "QUALIFIER"))
        qualifiers.push_back(readQualifier(child));
    return qualifiers;
}

Property readProperty(const xmlNode* node)
{
    Property property;
    property.name = requiredAttribute(node, "NAME");
    property.classOrigin = attribute(node, "CLASSORIGIN").value_or("");
    property.propagated = flag(node, "PROPAGATED", false);
    property.qualifiers = readQualifiers(node);
    if (isElement(node, "PROPERTY.REFERENCE")) {
        property.referenceClass = attribute(node, "REFERENCECLASS").value_or("");
        property.value = CimXmlReader::readValue(node, CimType::Reference, false);
    } else {
        property.value = CimXmlReader::readValue(node, CimXmlReader::readType(node),
                                                 isElement(node, "PROPERTY.ARRAY"));
    }
    return property;
}

Parameter readParameter(const xmlNode* node)
{
    Parameter parameter;
    parameter.name = requiredAttribute(node, "NAME");
    parameter.qualifiers = readQualifiers(node);
    std::string_view kind = elementName(node);
    parameter.isArray = kind == "PARAMETER.ARRAY" || kind == "PARAMETER.REFARRAY";
    if (kind == "PARAMETER.REFERENCE" || kind == "PARAMETER.REFARRAY") {
        parameter.type = CimType::Reference;
        parameter.referenceClass = attribute(node, "REFERENCECLASS").value_or("");
    } else {
        parameter.type = CimXmlReader::readType(node);
    }
    return parameter;
}

Method readMethod(const xmlNode* node)
{
    Method method;
    method.name = requiredAttribute(node, "NAME");
    method.returnType = CimXmlReader::readType(node);
    method.classOrigin = attribute(node, "CLASSORIGIN").value_or("");
    method.propagated = flag(node, "PROPAGATED", false);
    method.qualifiers = readQualifiers(node);
    for (xmlNode* child : childElements(node)) {
        if (elementName(child).rfind("PARAMETER", 0) == 0)
            method.parameters.push_back(readParameter(child));
    }
    return method;
}

bool isPropertyElement(const xmlNode* node)
{
    return isElement(node, "PROPERTY") || isElement(node, "PROPERTY.ARRAY") ||
           isElement(node, "PROPERTY.REFERENCE");
}

KeyBinding readKeyBinding(const xmlNode* node)
{
    KeyBinding key;
    key.name = requiredAttribute(node, "NAME");
    if (xmlNode* keyValue = firstChild(node, "KEYVALUE")) {
        key.valueType = attribute(keyValue, "VALUETYPE").value_or("string");
        key.value = textOf(keyValue);
        return key;
    }
    key.reference = std::make_shared<ObjectPath>(CimXmlReader::readPath(requiredChild(node, "VALUE.REFERENCE")));
    return key;
}

ObjectPath readInstanceName(const xmlNode* node)
{
    ObjectPath path;
    path.className = requiredAttribute(node, "CLASSNAME");
    for (xmlNode* binding : childElements(node, "KEYBINDING"))
        path.keys.push_back(readKeyBinding(binding));
    if (xmlNode* keyValue = firstChild(node, "KEYVALUE")) {
        KeyBinding key;
        key.valueType = attribute(keyValue, "VALUETYPE").value_or("string");
        key.value = textOf(keyValue);
        path.keys.push_back(key);
    }
    return path;
}

std::string namespaceOfPath(const xmlNode* node)
{
    if (xmlNode* local = firstChild(node, "LOCALNAMESPACEPATH"))
        return CimXmlReader::readNamespace(local);
    if (xmlNode* full = firstChild(node, "NAMESPACEPATH"))
        return CimXmlReader::readNamespace(requiredChild(full, "LOCALNAMESPACEPATH"));
    return {};
}

}  // namespace

CimType CimXmlReader::readType(const xmlNode* node, const char* attributeName)
{
    std::string name = attribute(node, attributeName).value_or("string");
    std::optional<CimType> type = parseTypeName(name);
    if (!type)
        throw XmlStructureError("unknown CIM type \"" + name + "\" in " + std::string(elementName(node)));
    return *type;
}

Value CimXmlReader::readValue(const xmlNode* parent, CimType type, bool isArray)
{
    Value value = Value::null(type, isArray);
    if (type == CimType::Reference && isArray) {
        if (xmlNode* array = firstChild(parent, "VALUE.REFARRAY")) {
            std::vector<ObjectPath> paths;
            for (xmlNode* item : childElements(array, "VALUE.REFERENCE"))
                paths.push_back(readPath(item));
            value = Value::referenceArray(std::move(paths));
        }
        return value;
    }
    if (type == CimType::Reference) {
        if (xmlNode* reference = firstChild(parent, "VALUE.REFERENCE"))
            value = Value::reference(readPath(reference));
        return value;
    }
    if (isArray) {
        if (xmlNode* array = firstChild(parent, "VALUE.ARRAY")) {
            std::vector<std::string> items;
            for (xmlNode* item : childElements(array, "VALUE"))
                items.push_back(textOf(item));
            value = Value::array(type, std::move(items));
        }
        return value;
    }
    if (xmlNode* scalar = firstChild(parent, "VALUE"))
        value = Value::scalar(type, textOf(scalar));
    return value;
}

ParamValue CimXmlReader::readParamValue(const xmlNode* node)
{
    ParamValue param;
    param.name = requiredAttribute(node, "NAME");
    param.typed = attribute(node, "PARAMTYPE").has_value();
    CimType type = readType(node, "PARAMTYPE");
    bool isReferenceArray = firstChild(node, "VALUE.REFARRAY") != nullptr;
    if (isReferenceArray || firstChild(node, "VALUE.REFERENCE") != nullptr)
        type = CimType::Reference;
    param.value = readValue(node, type, isReferenceArray || firstChild(node, "VALUE.ARRAY") != nullptr);
    return param;
}

CimClass CimXmlReader::readClass(const xmlNode* node)
{
    CimClass cimClass;
    cimClass.name = requiredAttribute(node, "NAME");
    cimClass.superClass = attribute(node, "SUPERCLASS").value_or("");
    cimClass.qualifiers = readQualifiers(node);
    for (xmlNode* child : childElements(node)) {
        if (isPropertyElement(child))
            cimClass.properties.push_back(readProperty(child));
        else if (isElement(child, "METHOD"))
            cimClass.methods.push_back(readMethod(child));
    }
    return cimClass;
}

Instance CimXmlReader::readInstance(const xmlNode* node)
{
    Instance instance;
    instance.className = requiredAttribute(node, "CLASSNAME");
    instance.qualifiers = readQualifiers(node);
    for (xmlNode* child : childElements(node)) {
        if (isPropertyElement(child))
            instance.properties.push_back(readProperty(child));
    }
    return instance;
}

QualifierDecl CimXmlReader::readQualifierDecl(const xmlNode* node)
{
    QualifierDecl decl;
    decl.name = requiredAttribute(node, "NAME");
    decl.flavor = readFlavor(node);
    decl.value = readValue(node, readType(node), flag(node, "ISARRAY", false));
    if (xmlNode* scope = firstChild(node, "SCOPE")) {
        for (xmlAttr* attr = scope->properties; attr != nullptr; attr = attr->next) {
            std::string name = reinterpret_cast<const char*>(attr->name);
            if (flag(scope, name.c_str(), false))
                decl.scopes.push_back(name);
        }
    }
    return decl;
}

ObjectPath CimXmlReader::readPath(const xmlNode* node)
{
    std::string_view kind = elementName(node);
    if (kind == "INSTANCENAME")
        return readInstanceName(node);
    if (kind == "CLASSNAME") {
        ObjectPath path;
        path.className = requiredAttribute(node, "NAME");
        return path;
    }
    if (kind == "VALUE.REFERENCE") {
        std::vector<xmlNode*> children = childElements(node);
        if (children.size() != 1)
            throw XmlStructureError("VALUE.REFERENCE must hold one path");
        return readPath(children.front());
    }
    for (const char* inner : {"INSTANCENAME", "CLASSNAME"}) {
        if (xmlNode* child = firstChild(node, inner)) {
            ObjectPath path = readPath(child);
            path.nameSpace = namespaceOfPath(node);
            if (xmlNode* full = firstChild(node, "NAMESPACEPATH"))
                path.host = textOf(requiredChild(full, "HOST"));
            return path;
        }
    }
    throw XmlStructureError("unexpected " + std::string(kind) + " where an object path belongs");
}

std::string CimXmlReader::readNamespace(const xmlNode* node)
{
    std::string name;
    for (xmlNode* part : childElements(node, "NAMESPACE")) {
        if (!name.empty())
            name += '/';
        name += requiredAttribute(part, "NAME");
    }
    if (name.empty())
        throw XmlStructureError("empty LOCALNAMESPACEPATH");
    return name;
}

}  // namespace testcimom
