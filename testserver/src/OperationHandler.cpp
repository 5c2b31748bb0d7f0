#include "OperationHandler.h"

#include "ClassResolver.h"
#include "CimXmlWriter.h"
#include "MethodSignature.h"

#include <algorithm>
#include <initializer_list>
#include <map>

namespace testcimom {

namespace {

// The intrinsic parameters of one request, checked against what the
// operation takes.
class Parameters {
public:
    Parameters(const CimRequest& request, std::initializer_list<const char*> accepted) : request_(request)
    {
        for (const IParamValue& param : request.iparams) {
            bool known = std::any_of(accepted.begin(), accepted.end(),
                                     [&](const char* name) { return sameName(name, param.name); });
            if (!known)
                throw CimError(CimStatus::NotSupported,
                               "Unrecognized or invalid request input parameter \"" + param.name + "\"");
        }
    }

    bool flag(const char* name, bool fallback) const
    {
        const IParamValue* param = request_.iparam(name);
        if (param == nullptr || !param->value || param->value->isNull)
            return fallback;
        std::string text = param->value->isArray ? "" : lowerName(param->value->items.front());
        if (text != "true" && text != "false")
            throw CimError(CimStatus::InvalidParameter, std::string(name) + " must be TRUE or FALSE");
        return text == "true";
    }

    std::string className(bool required) const
    {
        const IParamValue* param = request_.iparam("ClassName");
        if (param != nullptr && param->path)
            return param->path->className;
        if (required)
            throw CimError(CimStatus::InvalidParameter, "ClassName missing");
        return {};
    }

    ObjectPath instanceName() const
    {
        const IParamValue* param = request_.iparam("InstanceName");
        if (param == nullptr || !param->path || param->path->keys.empty())
            throw CimError(CimStatus::InvalidParameter, "InstanceName missing");
        return *param->path;
    }

    std::optional<std::vector<std::string>> propertyList() const
    {
        const IParamValue* param = request_.iparam("PropertyList");
        if (param == nullptr || !param->value || param->value->isNull)
            return std::nullopt;
        return param->value->items;
    }

private:
    const CimRequest& request_;
};

template <class Element>
void keepListed(std::vector<Element>& elements, const std::optional<std::vector<std::string>>& names)
{
    if (!names)
        return;
    elements.erase(std::remove_if(elements.begin(), elements.end(),
                                  [&](const Element& element) {
                                      return std::none_of(names->begin(), names->end(), [&](const std::string& n) {
                                          return sameName(n, element.name);
                                      });
                                  }),
                   elements.end());
}

void dropQualifiers(CimClass& cimClass)
{
    cimClass.qualifiers.clear();
    for (Property& property : cimClass.properties)
        property.qualifiers.clear();
    for (Method& method : cimClass.methods) {
        method.qualifiers.clear();
        for (Parameter& parameter : method.parameters)
            parameter.qualifiers.clear();
    }
}

std::string returnValue(const std::string& content)
{
    return content.empty() ? content : "<IRETURNVALUE>\n" + content + "</IRETURNVALUE>\n";
}

struct ClassView {
    bool localOnly = true;
    bool includeQualifiers = true;
    bool includeClassOrigin = false;
    std::optional<std::vector<std::string>> propertyList;

    void write(CimXmlWriter& writer, CimClass cimClass) const
    {
        if (localOnly)
            cimClass = ClassResolver::localOnly(cimClass);
        keepListed(cimClass.properties, propertyList);
        if (!includeQualifiers)
            dropQualifiers(cimClass);
        writer.cimClass(cimClass);
    }
};

// How instances are shown: DeepInheritance false narrows every instance to
// the properties of the class asked for, in that class's order.
class InstanceView {
public:
    // The class the request names, resolved; other classes resolve as their
    // instances come.
    InstanceView(const Repository& repository, const std::string& nameSpace, const Parameters& params,
                 CimClass requested)
        : repository_(repository), nameSpace_(nameSpace),
          includeQualifiers_(params.flag("IncludeQualifiers", false)),
          propertyList_(params.propertyList()),
          requested_(classes_.emplace(lowerName(requested.name), std::move(requested)).first->second)
    {
    }

    void narrowToRequested() { narrow_ = true; }

    Instance present(const Instance& stored) const
    {
        const CimClass& cimClass = classOf(stored.className);
        Instance shown;
        shown.className = stored.className;
        shown.properties = narrow_ ? narrowed(stored) : stored.properties;
        keepListed(shown.properties, propertyList_);
        for (Property& property : shown.properties) {
            if (const Property* declared = cimClass.findProperty(property.name))
                property.classOrigin = declared->classOrigin;
        }
        if (includeQualifiers_)
            shown.qualifiers = instanceQualifiers(cimClass);
        return shown;
    }

private:
    std::vector<Property> narrowed(const Instance& stored) const
    {
        std::vector<Property> properties;
        for (const Property& declared : requested_.properties) {
            if (const Property* property = stored.findProperty(declared.name))
                properties.push_back(*property);
        }
        return properties;
    }

    static std::vector<Qualifier> instanceQualifiers(const CimClass& cimClass)
    {
        std::vector<Qualifier> qualifiers;
        for (Qualifier qualifier : cimClass.qualifiers) {
            if (!qualifier.flavor.toSubclass)
                continue;
            qualifier.propagated = true;
            qualifiers.push_back(qualifier);
        }
        return qualifiers;
    }

    const CimClass& classOf(const std::string& className) const
    {
        auto it = classes_.find(lowerName(className));
        if (it == classes_.end()) {
            std::optional<CimClass> resolved = repository_.resolvedClass(nameSpace_, className);
            if (!resolved)
                throw CimError(CimStatus::InvalidClass, className);
            it = classes_.emplace(lowerName(className), std::move(*resolved)).first;
        }
        return it->second;
    }

    const Repository& repository_;
    std::string nameSpace_;
    bool includeQualifiers_;
    std::optional<std::vector<std::string>> propertyList_;
    mutable std::map<std::string, CimClass> classes_;  // by lower-case name
    const CimClass& requested_;
    bool narrow_ = false;
};

// RETURNVALUE (when not null) and the output PARAMVALUEs.
std::string methodResultContent(const MethodResult& result)
{
    CimXmlWriter writer;
    if (!result.returnValue.isNull)
        writer.paramValue("RETURNVALUE", "", result.returnValue);
    for (const ParamValue& out : result.outParameters)
        writer.paramValue("PARAMVALUE", out.name, out.value);
    return writer.take();
}

}  // namespace

OperationHandler::OperationHandler(const Repository& repository, const MethodProviders& methods)
    : repository_(repository), methods_(methods)
{
}

OperationOutcome OperationHandler::execute(const CimRequest& request) const
{
    OperationOutcome outcome;
    try {
        if (request.intrinsic)
            outcome.content = dispatch(request);
        else
            outcome = invokeMethod(request);
    } catch (const CimError& error) {
        outcome.error = error;
    } catch (const std::exception& error) {
        // A method handler's own failure; the server answers and carries on.
        outcome.error = CimError(CimStatus::Failed, error.what());
    }
    return outcome;
}

std::string OperationHandler::dispatch(const CimRequest& request) const
{
    using Operation = std::string (OperationHandler::*)(const CimRequest&) const;
    static const std::map<std::string, Operation> operations = {
        {"getclass", &OperationHandler::getClass},
        {"enumerateclasses", &OperationHandler::enumerateClasses},
        {"enumerateclassnames", &OperationHandler::enumerateClassNames},
        {"enumerateinstances", &OperationHandler::enumerateInstances},
        {"enumerateinstancenames", &OperationHandler::enumerateInstanceNames},
        {"getinstance", &OperationHandler::getInstance},
        {"enumeratequalifiers", &OperationHandler::enumerateQualifiers},
    };
    auto it = operations.find(lowerName(request.methodName));
    if (it == operations.end())
        throw CimError(CimStatus::NotSupported, "Unrecognized intrinsic method: " + request.methodName);
    return (this->*it->second)(request);
}

CimClass OperationHandler::requiredClass(const std::string& nameSpace, const std::string& className,
                                         CimStatus missing) const
{
    std::optional<CimClass> cimClass = repository_.resolvedClass(nameSpace, className);
    if (!cimClass)
        throw CimError(missing, className);
    return *cimClass;
}

std::string OperationHandler::getClass(const CimRequest& request) const
{
    Parameters params(request, {"ClassName", "LocalOnly", "IncludeQualifiers", "IncludeClassOrigin", "PropertyList"});
    ClassView view{params.flag("LocalOnly", true), params.flag("IncludeQualifiers", true),
                   params.flag("IncludeClassOrigin", false), params.propertyList()};
    CimXmlWriter writer(view.includeClassOrigin);
    view.write(writer, requiredClass(request.nameSpace, params.className(true), CimStatus::NotFound));
    return returnValue(writer.text());
}

std::string OperationHandler::enumerateClasses(const CimRequest& request) const
{
    Parameters params(request, {"ClassName", "DeepInheritance", "LocalOnly", "IncludeQualifiers",
                                "IncludeClassOrigin"});
    ClassView view{params.flag("LocalOnly", true), params.flag("IncludeQualifiers", true),
                   params.flag("IncludeClassOrigin", false), std::nullopt};
    CimXmlWriter writer(view.includeClassOrigin);
    for (const std::string& name :
         repository_.subclassNames(request.nameSpace, params.className(false), params.flag("DeepInheritance", false)))
        view.write(writer, requiredClass(request.nameSpace, name, CimStatus::InvalidClass));
    return returnValue(writer.text());
}

std::string OperationHandler::enumerateClassNames(const CimRequest& request) const
{
    Parameters params(request, {"ClassName", "DeepInheritance"});
    CimXmlWriter writer;
    for (const std::string& name :
         repository_.subclassNames(request.nameSpace, params.className(false), params.flag("DeepInheritance", false)))
        writer.className(name);
    return returnValue(writer.text());
}

std::string OperationHandler::enumerateInstances(const CimRequest& request) const
{
    Parameters params(request, {"ClassName", "DeepInheritance", "LocalOnly", "IncludeQualifiers",
                                "IncludeClassOrigin", "PropertyList"});
    std::string className = params.className(true);
    InstanceView view(repository_, request.nameSpace, params,
                      requiredClass(request.nameSpace, className, CimStatus::InvalidClass));
    if (!params.flag("DeepInheritance", true))
        view.narrowToRequested();
    params.flag("LocalOnly", true);  // checked, but instances look the same either way
    CimXmlWriter writer(params.flag("IncludeClassOrigin", false));
    for (const InstanceRef& stored : repository_.instances(request.nameSpace, className))
        writer.namedInstance(stored->path, view.present(stored->instance));
    return returnValue(writer.text());
}

std::string OperationHandler::enumerateInstanceNames(const CimRequest& request) const
{
    Parameters params(request, {"ClassName"});
    std::string className = params.className(true);
    CimXmlWriter writer;
    for (const InstanceRef& stored : repository_.instances(request.nameSpace, className))
        writer.instanceName(stored->path);
    return returnValue(writer.text());
}

std::string OperationHandler::getInstance(const CimRequest& request) const
{
    Parameters params(request, {"InstanceName", "LocalOnly", "IncludeQualifiers", "IncludeClassOrigin",
                                "PropertyList"});
    ObjectPath path = params.instanceName();
    CimClass cimClass = requiredClass(request.nameSpace, path.className, CimStatus::InvalidClass);
    InstanceRef stored = repository_.findInstance(request.nameSpace, path);
    if (!stored)
        throw CimError(CimStatus::NotFound, path.toString());
    params.flag("LocalOnly", true);
    InstanceView view(repository_, request.nameSpace, params, std::move(cimClass));
    CimXmlWriter writer(params.flag("IncludeClassOrigin", false));
    writer.instance(view.present(stored->instance));
    return returnValue(writer.text());
}

std::string OperationHandler::enumerateQualifiers(const CimRequest& request) const
{
    Parameters params(request, {});
    CimXmlWriter writer;
    for (const QualifierDecl& decl : repository_.qualifierDecls(request.nameSpace))
        writer.qualifierDecl(decl);
    return returnValue(writer.text());
}

std::vector<std::string> OperationHandler::classChain(const std::string& nameSpace,
                                                      const std::string& className) const
{
    std::vector<std::string> chain;
    for (std::optional<CimClass> cimClass = repository_.localClass(nameSpace, className); cimClass;
         cimClass = repository_.localClass(nameSpace, cimClass->superClass)) {
        chain.push_back(cimClass->name);
        if (cimClass->superClass.empty())
            break;
    }
    return chain;
}

InstanceRef OperationHandler::targetInstance(const CimRequest& request) const
{
    if (request.target.keys.empty())
        return nullptr;
    InstanceRef instance = repository_.findInstance(request.nameSpace, request.target);
    if (!instance)
        throw CimError(CimStatus::NotFound, request.target.toString());
    return instance;
}

// Without a handler the method is not available, as the captured server
// answers for classes that have no provider; a class that has one answers
// for a method it does not declare that there is no such method.
MethodHandler OperationHandler::handlerFor(const CimRequest& request, const std::vector<std::string>& chain,
                                           const Method* declared) const
{
    std::optional<MethodHandler> handler = methods_.find(request.nameSpace, chain, request.methodName);
    if (handler)
        return *handler;
    if (!declared && methods_.servesAny(request.nameSpace, chain))
        throw CimError(CimStatus::MethodNotFound, request.methodName);
    throw CimError(CimStatus::MethodNotAvailable, request.methodName);
}

OperationOutcome OperationHandler::invokeMethod(const CimRequest& request) const
{
    std::vector<std::string> chain = classChain(request.nameSpace, request.target.className);
    if (chain.empty())
        throw CimError(CimStatus::InvalidClass, request.target.className);
    InstanceRef instance = targetInstance(request);
    CimClass cimClass = requiredClass(request.nameSpace, request.target.className, CimStatus::InvalidClass);
    const Method* declared = findByName(cimClass.methods, request.methodName);
    MethodHandler handler = handlerFor(request, chain, declared);
    std::vector<ParamValue> params = declared ? MethodSignature(*declared).bind(request.params) : request.params;
    MethodResult result =
        handler(MethodCall{request.nameSpace, request.target, request.methodName, std::move(params), instance});
    OperationOutcome outcome;
    outcome.content = methodResultContent(result);
    outcome.answerDelay = result.answerDelay;
    return outcome;
}

}  // namespace testcimom
