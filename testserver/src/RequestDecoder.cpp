#include "CimRequest.h"

#include "CimXmlReader.h"
#include "XmlDocument.h"

namespace testcimom {

namespace {

IParamValue readIParam(const xmlNode* node)
{
    IParamValue param;
    param.name = requiredAttribute(node, "NAME");
    for (xmlNode* child : childElements(node)) {
        std::string_view kind = elementName(child);
        if (kind == "VALUE")
            param.value = Value::text(textOf(child));
        else if (kind == "VALUE.ARRAY")
            param.value = CimXmlReader::readValue(node, CimType::String, true);
        else if (kind == "CLASSNAME" || kind == "INSTANCENAME")
            param.path = CimXmlReader::readPath(child);
        else
            throw XmlStructureError("unsupported " + std::string(kind) + " in IPARAMVALUE " + param.name);
    }
    return param;
}

void decodeIntrinsic(const xmlNode* call, CimRequest& request)
{
    request.intrinsic = true;
    request.methodName = requiredAttribute(call, "NAME");
    request.nameSpace = CimXmlReader::readNamespace(requiredChild(call, "LOCALNAMESPACEPATH"));
    for (xmlNode* param : childElements(call, "IPARAMVALUE"))
        request.iparams.push_back(readIParam(param));
}

void decodeExtrinsic(const xmlNode* call, CimRequest& request)
{
    request.intrinsic = false;
    request.methodName = requiredAttribute(call, "NAME");
    xmlNode* target = firstChild(call, "LOCALINSTANCEPATH");
    if (target == nullptr)
        target = requiredChild(call, "LOCALCLASSPATH");
    request.target = CimXmlReader::readPath(target);
    request.nameSpace = request.target.nameSpace;
    request.target.nameSpace.clear();
    for (xmlNode* param : childElements(call, "PARAMVALUE"))
        request.params.push_back(CimXmlReader::readParamValue(param));
}

void checkVersion(const xmlNode* cim, const char* attributeName, const char* label, const char* cimError)
{
    std::string version = requiredAttribute(cim, attributeName);
    if (version.rfind("2.", 0) != 0)
        throw UnsupportedVersion(cimError, std::string(label) + " version \"" + version + "\" is not supported.");
}

void checkVersions(const xmlNode* cim)
{
    if (!isElement(cim, "CIM"))
        throw XmlStructureError("expected CIM as the root element");
    checkVersion(cim, "CIMVERSION", "CIM", "unsupported-cim-version");
    checkVersion(cim, "DTDVERSION", "DTD", "unsupported-dtd-version");
}

}  // namespace

const IParamValue* CimRequest::iparam(const std::string& name) const
{
    return findByName(iparams, name);
}

std::string CimRequest::className() const
{
    if (!intrinsic)
        return target.className;
    for (const char* name : {"ClassName", "InstanceName"}) {
        if (const IParamValue* param = iparam(name); param != nullptr && param->path)
            return param->path->className;
    }
    return {};
}

LoggedRequest CimRequest::logged() const
{
    LoggedRequest logged;
    logged.intrinsic = intrinsic;
    logged.operation = methodName;
    logged.nameSpace = nameSpace;
    if (!intrinsic) {
        logged.target = target.toString();
        logged.parameters = params;
        return logged;
    }
    for (const IParamValue& param : iparams) {
        if (param.path) {
            logged.parameters.push_back({param.name, Value::reference(*param.path)});
            logged.target = param.path->toString();
        } else {
            logged.parameters.push_back({param.name, param.value.value_or(Value::null(CimType::String))});
        }
    }
    return logged;
}

CimRequest RequestDecoder::decode(const std::string& body)
{
    XmlDocument doc = XmlDocument::parse(body);
    checkVersions(doc.root());
    xmlNode* message = requiredChild(doc.root(), "MESSAGE");
    CimRequest request;
    request.messageId = requiredAttribute(message, "ID");
    request.protocolVersion = requiredAttribute(message, "PROTOCOLVERSION");
    xmlNode* simple = requiredChild(message, "SIMPLEREQ");
    if (xmlNode* call = firstChild(simple, "IMETHODCALL"))
        decodeIntrinsic(call, request);
    else
        decodeExtrinsic(requiredChild(simple, "METHODCALL"), request);
    return request;
}

}  // namespace testcimom
