#include "CapturedRequest.h"

#include "Captures.h"
#include "ResultText.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

PEGASUS_USING_PEGASUS;

namespace
{
std::string attribute(xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string result = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return result;
}

bool named(xmlNode* node, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

std::vector<xmlNode*> elements(xmlNode* node)
{
    std::vector<xmlNode*> result;
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE)
            result.push_back(child);
    return result;
}

xmlNode* child(xmlNode* node, const char* name)
{
    for (xmlNode* c : elements(node))
        if (named(c, name))
            return c;
    return nullptr;
}

std::string content(xmlNode* node)
{
    xmlChar* value = xmlNodeGetContent(node);
    std::string result = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return result;
}

std::string trimmed(const std::string& s)
{
    const size_t begin = s.find_first_not_of(" \t\r\n");
    return begin == std::string::npos ? "" : s.substr(begin, s.find_last_not_of(" \t\r\n") - begin + 1);
}

std::string canonicalOf(xmlNode* node)
{
    std::map<std::string, std::string> attributes;
    for (xmlAttr* a = node->properties; a; a = a->next)
    {
        const std::string name = reinterpret_cast<const char*>(a->name);
        if (!(named(node, "KEYVALUE") && name == "TYPE") && !(named(node, "MESSAGE") && name == "ID"))
            attributes[name] = attribute(node, name.c_str());
    }
    std::string out = "<" + std::string(reinterpret_cast<const char*>(node->name));
    for (const auto& a : attributes)
        out += " " + a.first + "=\"" + a.second + "\"";
    out += ">";
    const std::vector<xmlNode*> children = elements(node);
    if (children.empty())
        out += trimmed(content(node));
    for (xmlNode* c : children)
        out += canonicalOf(c);
    return out + "</>";
}

// The value each operation takes for a flag the request leaves out.
const std::map<std::string, std::map<std::string, std::string>> DEFAULTS = {
    {"GetClass", {{"LocalOnly", "TRUE"}, {"IncludeQualifiers", "TRUE"}, {"IncludeClassOrigin", "FALSE"}}},
    {"EnumerateClasses",
     {{"DeepInheritance", "FALSE"}, {"LocalOnly", "TRUE"}, {"IncludeQualifiers", "TRUE"}, {"IncludeClassOrigin", "FALSE"}}},
    {"EnumerateClassNames", {{"DeepInheritance", "FALSE"}}},
    {"GetInstance", {{"LocalOnly", "TRUE"}, {"IncludeQualifiers", "FALSE"}, {"IncludeClassOrigin", "FALSE"}}},
    {"EnumerateInstances",
     {{"DeepInheritance", "TRUE"}, {"LocalOnly", "TRUE"}, {"IncludeQualifiers", "FALSE"}, {"IncludeClassOrigin", "FALSE"}}},
    {"Associators", {{"IncludeQualifiers", "FALSE"}, {"IncludeClassOrigin", "FALSE"}}},
    {"References", {{"IncludeQualifiers", "FALSE"}, {"IncludeClassOrigin", "FALSE"}}},
};

CIMObjectPath pathOf(xmlNode* node);

CIMObjectPath instanceNameOf(xmlNode* instanceName)
{
    CIMObjectPath path;
    path.setClassName(CIMName(attribute(instanceName, "CLASSNAME").c_str()));
    for (xmlNode* binding : elements(instanceName))
    {
        const CIMName name(attribute(binding, "NAME").c_str());
        xmlNode* value = elements(binding).at(0);
        if (named(value, "VALUE.REFERENCE"))
        {
            path.addKeyBinding(CIMKeyBinding(name, pathOf(elements(value).at(0))));
            continue;
        }
        const std::string type = attribute(value, "VALUETYPE");
        const CIMKeyBinding::Type keyType = type == "numeric" ? CIMKeyBinding::NUMERIC
            : type == "boolean"                               ? CIMKeyBinding::BOOLEAN
                                                              : CIMKeyBinding::STRING;
        path.addKeyBinding(CIMKeyBinding(name, String(content(value)), keyType));
    }
    return path;
}

CIMNamespaceName namespaceOf(xmlNode* localNamespacePath)
{
    std::string name;
    for (xmlNode* n : elements(localNamespacePath))
        name += (name.empty() ? "" : "/") + attribute(n, "NAME");
    return CIMNamespaceName(name.c_str());
}

// INSTANCENAME, CLASSNAME or their LOCAL...PATH forms.
CIMObjectPath pathOf(xmlNode* node)
{
    if (named(node, "INSTANCENAME"))
        return instanceNameOf(node);
    if (named(node, "CLASSNAME"))
        return CIMObjectPath(String(), CIMNamespaceName(), CIMName(attribute(node, "NAME").c_str()));
    CIMObjectPath path = pathOf(elements(node).at(1));
    path.setNameSpace(namespaceOf(elements(node).at(0)));
    return path;
}

CIMValue typedValue(const std::string& type, const std::string& text)
{
    if (type == "uint16")
        return CIMValue(static_cast<Uint16>(std::stoi(text)));
    if (type == "uint32")
        return CIMValue(static_cast<Uint32>(std::stoul(text)));
    if (type == "datetime")
        return CIMValue(CIMDateTime(text.c_str()));
    return CIMValue(String(text));
}

CIMValue parameterValue(xmlNode* paramValue)
{
    const std::string type = attribute(paramValue, "PARAMTYPE");
    xmlNode* value = elements(paramValue).at(0);
    if (!named(value, "VALUE.ARRAY"))
        return typedValue(type, content(value));
    Array<String> items;
    for (xmlNode* item : elements(value))
        items.append(String(content(item)));
    return CIMValue(items);
}
}

CapturedRequest::CapturedRequest(const std::string& httpMessage)
    : _document(nullptr, xmlFreeDoc)
{
    const std::string body = Captures::bodyOf(httpMessage);
    _document.reset(xmlReadMemory(body.data(), static_cast<int>(body.size()), nullptr, nullptr, XML_PARSE_NONET));
    if (!_document)
        throw std::runtime_error("request body is not XML");
    xmlNode* path = elements(call()).at(0);
    _nameSpace = named(path, "LOCALNAMESPACEPATH") ? namespaceOf(path) : namespaceOf(elements(path).at(0));
}

xmlNode* CapturedRequest::call() const
{
    xmlNode* simpleRequest = child(child(xmlDocGetRootElement(_document.get()), "MESSAGE"), "SIMPLEREQ");
    return elements(simpleRequest).at(0);
}

xmlNode* CapturedRequest::parameter(const char* name) const
{
    for (xmlNode* p : elements(call()))
        if (named(p, "IPARAMVALUE") && attribute(p, "NAME") == name)
            return p;
    return nullptr;
}

CIMName CapturedRequest::className(const char* name) const
{
    xmlNode* p = parameter(name);
    return p ? CIMName(attribute(elements(p).at(0), "NAME").c_str()) : CIMName();
}

std::string CapturedRequest::text(const char* name) const
{
    xmlNode* p = parameter(name);
    return p ? trimmed(content(p)) : "";
}

bool CapturedRequest::flag(const char* name) const
{
    xmlNode* p = parameter(name);
    const std::string value = p ? trimmed(content(p)) : DEFAULTS.at(attribute(call(), "NAME")).at(name);
    return String::equalNoCase(String(value), "TRUE");
}

CIMPropertyList CapturedRequest::propertyList() const
{
    xmlNode* p = parameter("PropertyList");
    if (!p)
        return CIMPropertyList();
    Array<CIMName> names;
    for (xmlNode* value : elements(elements(p).at(0)))
        names.append(CIMName(content(value).c_str()));
    return CIMPropertyList(names);
}

CIMObjectPath CapturedRequest::objectName(const char* name) const
{
    return pathOf(elements(parameter(name)).at(0));
}

std::string CapturedRequest::canonical() const
{
    xmlNode* c = call();
    if (named(c, "METHODCALL"))
        return canonicalOf(c);
    std::map<std::string, std::string> parameters;
    const std::string method = attribute(c, "NAME");
    const auto defaults = DEFAULTS.find(method);
    if (defaults != DEFAULTS.end())
        for (const auto& d : defaults->second)
            parameters[d.first] = "<VALUE>" + d.second + "</>";
    for (xmlNode* p : elements(c))
        if (named(p, "IPARAMVALUE"))
            parameters[attribute(p, "NAME")] = canonicalOf(elements(p).at(0));
    std::string out = method + " in " + _nameSpace.getString().str();
    for (const auto& p : parameters)
        out += "\n" + p.first + "=" + p.second;
    return out;
}

std::string CapturedRequest::invokeMethod(CIMClient& client) const
{
    xmlNode* c = call();
    CIMObjectPath path = pathOf(elements(c).at(0));
    path.setNameSpace(CIMNamespaceName());
    Array<CIMParamValue> in;
    for (xmlNode* p : elements(c))
        if (named(p, "PARAMVALUE"))
            in.append(CIMParamValue(attribute(p, "NAME").c_str(), parameterValue(p), !attribute(p, "PARAMTYPE").empty()));
    Array<CIMParamValue> out;
    const CIMValue returned = client.invokeMethod(_nameSpace, path, CIMName(attribute(c, "NAME").c_str()), in, out);
    return ResultText::ofMethodResult(returned, out);
}

std::string CapturedRequest::replay(CIMClient& client) const
{
    const std::string method = attribute(call(), "NAME");
    if (named(call(), "METHODCALL"))
        return invokeMethod(client);
    if (method == "GetClass")
        return ResultText::of(client.getClass(_nameSpace, className("ClassName"), flag("LocalOnly"),
                                              flag("IncludeQualifiers"), flag("IncludeClassOrigin"),
                                              propertyList()));
    if (method == "EnumerateClasses")
        return ResultText::of(client.enumerateClasses(_nameSpace, className("ClassName"), flag("DeepInheritance"),
                                                      flag("LocalOnly"), flag("IncludeQualifiers"),
                                                      flag("IncludeClassOrigin")));
    if (method == "EnumerateClassNames")
        return ResultText::of(
            client.enumerateClassNames(_nameSpace, className("ClassName"), flag("DeepInheritance")));
    if (method == "GetInstance")
        return ResultText::of(client.getInstance(_nameSpace, objectName("InstanceName"), flag("LocalOnly"),
                                                 flag("IncludeQualifiers"), flag("IncludeClassOrigin"),
                                                 propertyList()));
    if (method == "EnumerateInstances")
        return ResultText::of(client.enumerateInstances(
            _nameSpace, className("ClassName"), flag("DeepInheritance"), flag("LocalOnly"),
            flag("IncludeQualifiers"), flag("IncludeClassOrigin"), propertyList()));
    if (method == "EnumerateInstanceNames")
        return ResultText::of(client.enumerateInstanceNames(_nameSpace, className("ClassName")));
    if (method == "Associators")
        return ResultText::of(client.associators(_nameSpace, objectName("ObjectName"), className("AssocClass"),
                                                 className("ResultClass"), String(text("Role")),
                                                 String(text("ResultRole")), flag("IncludeQualifiers"),
                                                 flag("IncludeClassOrigin"), propertyList()));
    if (method == "AssociatorNames")
        return ResultText::of(client.associatorNames(_nameSpace, objectName("ObjectName"), className("AssocClass"),
                                                     className("ResultClass"), String(text("Role")),
                                                     String(text("ResultRole"))));
    if (method == "References")
        return ResultText::of(client.references(_nameSpace, objectName("ObjectName"), className("ResultClass"),
                                                String(text("Role")), flag("IncludeQualifiers"),
                                                flag("IncludeClassOrigin"), propertyList()));
    if (method == "ReferenceNames")
        return ResultText::of(client.referenceNames(_nameSpace, objectName("ObjectName"), className("ResultClass"),
                                                    String(text("Role"))));
    throw std::runtime_error("no client operation for " + method);
}
