#include "schema/TClassDescription.h"

#include <algorithm>
#include <cctype>
#include <set>

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

// The declarations of every class of the lineage, the nearest class first;
// a name met again further up (what the nearer one overrides) is left out.
template <typename Declaration, typename Enumerate, typename Describe>
TJson Nearest(const std::vector<boost::shared_ptr<ICIMClass>>& lineage, Enumerate enumerate, Describe describe) {
    TJson declarations = TJson::array();
    std::set<std::string> seen;
    for (const boost::shared_ptr<ICIMClass>& cls : lineage) {
        enumerate(*cls, [&](boost::shared_ptr<Declaration> declaration) {
            if (seen.insert(Lower(declaration->GetName(kNoContext))).second) {
                declarations.push_back(describe(*declaration, cls->GetName(kNoContext)));
            }
            return true;
        });
    }
    return declarations;
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

TJson TClassDescription::Properties(const TLineage& lineage) {
    return Nearest<ICIMPropertyDecl>(
        lineage, [](const ICIMClass& cls, const auto& take) { cls.EnumeratePropertyDecls(take, kNoContext); },
        &TClassDescription::Property);
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
    return Nearest<ICIMMethodDecl>(
        lineage, [](const ICIMClass& cls, const auto& take) { cls.EnumerateMethodDecls(take, kNoContext); },
        &TClassDescription::Method);
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
