#include "schema/TClassDescription.h"

#include <algorithm>
#include <cctype>

#include <nlohmann/json.hpp>

#include <qel/ICIMParameterDecl.h>
#include <qel/ICIMQualifier.h>
#include <qel/TQELException.h>

#include "output/JsonValue.h"
#include "schema/ClassLineage.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

TJson TClassDescription::Describe(const boost::shared_ptr<ICIMClass>& cls) {
    const TLineage lineage = ClassLineage(cls);
    TJson superclasses = TJson::array();
    for (std::size_t i = 1; i < lineage.size(); ++i) {
        superclasses.push_back(lineage[i]->GetName(kNoContext));
    }
    return {{"name", cls->GetName(kNoContext)},
            {"superclasses", superclasses},
            {"abstract", cls->IsAbstract(kNoContext)},
            {"association", cls->IsAssociation(kNoContext)},
            {"qualifiers", Qualifiers(*cls)},
            {"properties", Properties(lineage)},
            {"methods", Methods(lineage)}};
}

TJson TClassDescription::Qualifiers(const ICIMNamedElement& element) {
    TJson qualifiers = TJson::array();
    element.EnumerateQualifiers(
        [&qualifiers](boost::shared_ptr<ICIMQualifier> qualifier) {
            qualifiers.push_back({{"name", qualifier->GetName(kNoContext)},
                                  {"type", qualifier->GetType(kNoContext).GetName()},
                                  {"value", JsonOf(qualifier->GetValue(kNoContext))}});
            return true;
        },
        kNoContext);
    return qualifiers;
}

bool TClassDescription::IsNew(std::set<std::string>& seen, const std::string& name) {
    return seen.insert(Lower(name)).second;
}

TJson TClassDescription::Properties(const TLineage& lineage) {
    TJson properties = TJson::array();
    std::set<std::string> seen;
    for (const boost::shared_ptr<ICIMClass>& cls : lineage) {
        cls->EnumeratePropertyDecls(
            [&](boost::shared_ptr<ICIMPropertyDecl> declaration) {
                if (IsNew(seen, declaration->GetName(kNoContext))) {
                    properties.push_back(Property(*declaration, cls->GetName(kNoContext)));
                }
                return true;
            },
            kNoContext);
    }
    return properties;
}

bool TClassDescription::IsKey(const ICIMPropertyDecl& declaration) {
    try {
        boost::shared_ptr<ICIMQualifier> key = declaration.GetQualifier("Key", kNoContext);
        return key && !key->GetValue(kNoContext).IsNull() && static_cast<bool>(key->GetValue(kNoContext));
    } catch (const TQELException&) {
        // Property declarations answer a missing qualifier with status 15.
        return false;
    }
}

TJson TClassDescription::Property(const ICIMPropertyDecl& declaration, const std::string& declaredIn) {
    return {{"name", declaration.GetName(kNoContext)},
            {"type", declaration.GetType(kNoContext).GetName()},
            {"key", IsKey(declaration)},
            {"default", JsonOf(declaration.GetDefaultValue(kNoContext))},
            {"declaredIn", declaredIn},
            {"qualifiers", Qualifiers(declaration)}};
}

TJson TClassDescription::Methods(const TLineage& lineage) {
    TJson methods = TJson::array();
    std::set<std::string> seen;
    for (const boost::shared_ptr<ICIMClass>& cls : lineage) {
        cls->EnumerateMethodDecls(
            [&](boost::shared_ptr<ICIMMethodDecl> method) {
                if (IsNew(seen, method->GetName(kNoContext))) {
                    methods.push_back(Method(*method, cls->GetName(kNoContext)));
                }
                return true;
            },
            kNoContext);
    }
    return methods;
}

TJson TClassDescription::Method(const ICIMMethodDecl& method, const std::string& declaredIn) {
    return {{"name", method.GetName(kNoContext)},
            {"returnType", method.GetReturnType(kNoContext).GetName()},
            {"declaredIn", declaredIn},
            {"parameters", Parameters(method)}};
}

TJson TClassDescription::Parameters(const ICIMMethodDecl& method) {
    TJson parameters = TJson::array();
    ICIMMethodDecl::TParameterDeclCallback collect = [&parameters](boost::shared_ptr<ICIMParameterDecl> parameter) {
        parameters.push_back(
            {{"name", parameter->GetName(kNoContext)}, {"type", parameter->GetType(kNoContext).GetName()}});
        return true;
    };
    method.EnumerateParameterDecls(collect, kNoContext);
    return parameters;
}

}  // namespace NCimHTTPCli
