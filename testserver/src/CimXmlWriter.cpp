#include "CimXmlWriter.h"

#include <algorithm>

namespace testcimom {

namespace {

std::string attr(const char* name, const std::string& value)
{
    return std::string(" ") + name + "=\"" + CimXmlWriter::escape(value, true) + "\"";
}

std::string flavorAttributes(const Flavor& flavor)
{
    std::string text;
    if (!flavor.overridable)
        text += " OVERRIDABLE=\"false\"";
    if (!flavor.toSubclass)
        text += " TOSUBCLASS=\"false\"";
    if (flavor.toInstance)
        text += " TOINSTANCE=\"true\"";
    if (flavor.translatable)
        text += " TRANSLATABLE=\"true\"";
    return text;
}

// LOCALNAMESPACEPATH, inside NAMESPACEPATH with the HOST when there is one.
std::string namespacePath(const std::string& host, const std::string& nameSpace)
{
    std::string text = "<LOCALNAMESPACEPATH>\n";
    std::size_t begin = 0;
    while (begin <= nameSpace.size()) {
        std::size_t slash = std::min(nameSpace.find('/', begin), nameSpace.size());
        text += "<NAMESPACE" + attr("NAME", nameSpace.substr(begin, slash - begin)) + "/>\n";
        begin = slash + 1;
    }
    text += "</LOCALNAMESPACEPATH>\n";
    if (host.empty())
        return text;
    return "<NAMESPACEPATH>\n<HOST>" + CimXmlWriter::escape(host) + "</HOST>\n" + text + "</NAMESPACEPATH>\n";
}

}  // namespace

std::string CimXmlWriter::escape(const std::string& text, bool inAttribute)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        // References, so the reader's line-end and attribute-value
        // normalisation leave them as they are.
        case '\r': escaped += "&#13;"; break;
        case '\n': escaped += inAttribute ? "&#10;" : "\n"; break;
        case '\t': escaped += inAttribute ? "&#9;" : "\t"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

void CimXmlWriter::originAndPropagated(const std::string& classOrigin, bool propagated)
{
    if (classOrigin_ && !classOrigin.empty())
        out_ += attr("CLASSORIGIN", classOrigin);
    if (propagated)
        out_ += " PROPAGATED=\"true\"";
}

void CimXmlWriter::value(const Value& value)
{
    if (value.isNull)
        return;
    if (value.type == CimType::Reference && value.isArray) {
        out_ += "<VALUE.REFARRAY>\n";
        for (const ObjectPath& path : value.references)
            valueReference(path);
        out_ += "</VALUE.REFARRAY>\n";
        return;
    }
    if (value.type == CimType::Reference) {
        if (!value.references.empty())
            valueReference(value.references.front());
        return;
    }
    if (!value.isArray && !value.items.empty()) {
        out_ += "<VALUE>" + escape(value.items.front()) + "</VALUE>\n";
        return;
    }
    if (!value.isArray)
        return;
    out_ += "<VALUE.ARRAY>\n";
    for (const std::string& item : value.items)
        out_ += "<VALUE>" + escape(item) + "</VALUE>\n";
    out_ += "</VALUE.ARRAY>\n";
}

// A path keeps its host and namespace (INSTANCEPATH, LOCALINSTANCEPATH, ...);
// the paths of the data sets have neither and go out as the bare name.
void CimXmlWriter::valueReference(const ObjectPath& path)
{
    out_ += "<VALUE.REFERENCE>\n";
    std::string wrapper = path.host.empty() ? "LOCAL" : "";
    wrapper += path.keys.empty() ? "CLASSPATH" : "INSTANCEPATH";
    const bool wrapped = !path.nameSpace.empty();
    if (wrapped)
        out_ += "<" + wrapper + ">\n" + namespacePath(path.host, path.nameSpace);
    if (path.keys.empty())
        className(path.className);
    else
        instanceName(path);
    if (wrapped)
        out_ += "</" + wrapper + ">\n";
    out_ += "</VALUE.REFERENCE>\n";
}

void CimXmlWriter::qualifier(const Qualifier& qualifier)
{
    out_ += "<QUALIFIER" + attr("NAME", qualifier.name) + attr("TYPE", typeName(qualifier.value.type)) +
            (qualifier.propagated ? " PROPAGATED=\"true\"" : "") + flavorAttributes(qualifier.flavor) + ">\n";
    value(qualifier.value);
    out_ += "</QUALIFIER>\n";
}

void CimXmlWriter::qualifiers(const std::vector<Qualifier>& qualifiers)
{
    for (const Qualifier& each : qualifiers)
        qualifier(each);
}

void CimXmlWriter::property(const Property& property)
{
    const char* element = "PROPERTY";
    out_ += "<";
    if (property.value.type == CimType::Reference) {
        element = "PROPERTY.REFERENCE";
        out_ += element + attr("NAME", property.name) + " " + attr("REFERENCECLASS", property.referenceClass);
        originAndPropagated(property.classOrigin, property.propagated);
    } else if (property.value.isArray) {
        element = "PROPERTY.ARRAY";
        out_ += element + attr("NAME", property.name) + " " + attr("TYPE", typeName(property.value.type));
        originAndPropagated(property.classOrigin, property.propagated);
    } else {
        out_ += element + attr("NAME", property.name) + " ";
        originAndPropagated(property.classOrigin, property.propagated);
        out_ += attr("TYPE", typeName(property.value.type));
    }
    out_ += ">\n";
    qualifiers(property.qualifiers);
    value(property.value);
    out_ += std::string("</") + element + ">\n";
}

void CimXmlWriter::parameter(const Parameter& parameter)
{
    const char* element = parameter.isArray ? "PARAMETER.ARRAY" : "PARAMETER";
    std::string typeAttribute = attr("TYPE", typeName(parameter.type));
    if (parameter.type == CimType::Reference) {
        element = parameter.isArray ? "PARAMETER.REFARRAY" : "PARAMETER.REFERENCE";
        typeAttribute = attr("REFERENCECLASS", parameter.referenceClass);
    }
    out_ += std::string("<") + element + attr("NAME", parameter.name) + typeAttribute + ">\n";
    qualifiers(parameter.qualifiers);
    out_ += std::string("</") + element + ">\n";
}

void CimXmlWriter::method(const Method& method)
{
    out_ += "<METHOD" + attr("NAME", method.name) + attr("TYPE", typeName(method.returnType));
    originAndPropagated(method.classOrigin, method.propagated);
    out_ += ">\n";
    qualifiers(method.qualifiers);
    for (const Parameter& each : method.parameters)
        parameter(each);
    out_ += "</METHOD>\n";
}

void CimXmlWriter::cimClass(const CimClass& cimClass)
{
    out_ += "<CLASS" + attr("NAME", cimClass.name) + " ";
    if (!cimClass.superClass.empty())
        out_ += attr("SUPERCLASS", cimClass.superClass) + " ";
    out_ += ">\n";
    qualifiers(cimClass.qualifiers);
    for (const Property& each : cimClass.properties)
        property(each);
    for (const Method& each : cimClass.methods)
        method(each);
    out_ += "</CLASS>\n";
}

void CimXmlWriter::instance(const Instance& instance)
{
    out_ += "<INSTANCE" + attr("CLASSNAME", instance.className) + " >\n";
    qualifiers(instance.qualifiers);
    for (const Property& each : instance.properties)
        property(each);
    out_ += "</INSTANCE>\n";
}

void CimXmlWriter::namedInstance(const ObjectPath& path, const Instance& instance)
{
    out_ += "<VALUE.NAMEDINSTANCE>\n";
    instanceName(path);
    this->instance(instance);
    out_ += "</VALUE.NAMEDINSTANCE>\n";
}

void CimXmlWriter::instanceName(const ObjectPath& path)
{
    out_ += "<INSTANCENAME" + attr("CLASSNAME", path.className) + ">\n";
    for (const KeyBinding& key : path.keys) {
        out_ += "<KEYBINDING" + attr("NAME", key.name) + ">\n";
        if (key.reference)
            valueReference(*key.reference);
        else
            out_ += "<KEYVALUE" + attr("VALUETYPE", key.valueType) + ">" + escape(key.value) + "</KEYVALUE>\n";
        out_ += "</KEYBINDING>\n";
    }
    out_ += "</INSTANCENAME>\n";
}

void CimXmlWriter::className(const std::string& name)
{
    out_ += "<CLASSNAME" + attr("NAME", name) + "/>\n";
}

void CimXmlWriter::qualifierDecl(const QualifierDecl& decl)
{
    out_ += "<QUALIFIER.DECLARATION" + attr("NAME", decl.name) + attr("TYPE", typeName(decl.value.type)) +
            (decl.value.isArray ? " ISARRAY=\"true\"" : "") + flavorAttributes(decl.flavor) + ">\n<SCOPE";
    for (const std::string& scope : decl.scopes)
        out_ += " " + scope + "=\"true\"";
    out_ += "/>\n";
    value(decl.value);
    out_ += "</QUALIFIER.DECLARATION>\n";
}

void CimXmlWriter::paramValue(const char* element, const std::string& name, const Value& value)
{
    out_ += std::string("<") + element + (name.empty() ? "" : attr("NAME", name)) +
            attr("PARAMTYPE", typeName(value.type)) + ">\n";
    this->value(value);
    out_ += std::string("</") + element + ">\n";
}

std::string CimXmlWriter::response(const std::string& messageId, const std::string& methodName, bool intrinsic,
                                   const std::string& content)
{
    const std::string element = intrinsic ? "IMETHODRESPONSE" : "METHODRESPONSE";
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">\n<MESSAGE" +
           attr("ID", messageId) + " PROTOCOLVERSION=\"1.0\">\n<SIMPLERSP>\n<" + element +
           attr("NAME", methodName) + ">\n" + content + "</" + element + ">\n</SIMPLERSP>\n</MESSAGE>\n</CIM>\n";
}

std::string CimXmlWriter::errorContent(const CimError& error)
{
    // The captured server puts the closing tag of the response right after ERROR.
    return "<ERROR CODE=\"" + std::to_string(error.code()) + "\"" + attr("DESCRIPTION", error.description()) + "/>";
}

}  // namespace testcimom
