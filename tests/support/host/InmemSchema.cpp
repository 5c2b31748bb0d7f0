#include "InmemSchema.h"

#include <boost/make_shared.hpp>

#include <qel/ICIMQualifierDecl.h>

using namespace NVORNQEL20;

TInmemSchema::TInmemSchema() : fNamespace(boost::make_shared<TInmemNamespace>()) {}

boost::shared_ptr<TInmemNamespace> TInmemSchema::Namespace() const { return fNamespace; }

boost::shared_ptr<ICIMQualifierDecl> TInmemSchema::Declaration(const std::string& name, const TCIMValue& defaultValue,
                                                               ICIMQualifierDecl::EFlavor flavor) {
    if (boost::shared_ptr<ICIMQualifierDecl> existing = fNamespace->GetQualifierDecl(name, TCIMContext())) {
        return existing;
    }
    boost::shared_ptr<ICIMQualifierDecl> declaration = fNamespace->AllocateQualifierDecl(
        name, defaultValue, ICIMQualifierDecl::eScopeAny, flavor, TCIMContext());
    declaration->AddToNamespace(TCIMContext());
    return declaration;
}

boost::shared_ptr<ICIMQualifier> TInmemSchema::Qualify(ICIMNamedElement& element, const std::string& name,
                                                       const TCIMValue& value) {
    boost::shared_ptr<ICIMQualifier> qualifier =
        element.AllocateQualifier(Declaration(name, value), value, TCIMContext());
    element.AddQualifier(qualifier, TCIMContext());
    return qualifier;
}

boost::shared_ptr<ICIMClass> TInmemSchema::AddClass(const std::string& name, boost::shared_ptr<ICIMClass> parent) {
    boost::shared_ptr<ICIMClass> cimClass = fNamespace->AllocateClass(name, parent, TCIMContext());
    cimClass->AddToNamespace(TCIMContext());
    return cimClass;
}

boost::shared_ptr<ICIMPropertyDecl> TInmemSchema::AddProperty(ICIMClass& cimClass, const std::string& name,
                                                              const TCIMValue& defaultValue, bool key) {
    boost::shared_ptr<ICIMPropertyDecl> property = cimClass.AllocatePropertyDecl(name, defaultValue, TCIMContext());
    if (key) {
        Qualify(*property, "Key", TCIMValue(true));
    }
    property->AddToClass(TCIMContext());
    return property;
}

std::vector<std::string> QualifierNames(const ICIMNamedElement& element) {
    std::vector<std::string> names;
    element.EnumerateQualifiers(
        [&names](boost::shared_ptr<ICIMQualifier> qualifier) {
            names.push_back(qualifier->GetName(TCIMContext()));
            return true;
        },
        TCIMContext());
    return names;
}
