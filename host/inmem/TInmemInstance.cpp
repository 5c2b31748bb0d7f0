#include <qel/TInmemInstance.h>

#include <boost/make_shared.hpp>

#include <qel/ICIMProperty.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/TCIMName.h>
#include <qel/TInmemProperty.h>
#include <qel/TQELException.h>

#include "TInmemLineageCache.h"
#include "TInmemPropertyDecl.h"

namespace NVORNQEL20 {

TInmemInstance::TInmemInstance(boost::shared_ptr<ICIMClass> cimClass, int propertyMode)
    : fClass(cimClass),
      fPropertyMode(propertyMode == eOwnPropertiesOnly ? eOwnPropertiesOnly : eAllDeclaredProperties) {}

boost::shared_ptr<ICIMClass> TInmemInstance::Class() const { return boost::shared_ptr<ICIMClass>(fClass); }

boost::shared_ptr<TInmemProperty> TInmemInstance::FindProperty(const std::string& key) const {
    auto found = fProperties.find(key);
    if (found != fProperties.end()) {
        return found->second;
    }
    boost::shared_ptr<ICIMPropertyDecl> declaration = TInmemLineageCache::LineageOf(Class())->FindDeclaration(key);
    return declaration ? Bind(key, declaration) : boost::shared_ptr<TInmemProperty>();
}

boost::shared_ptr<TInmemProperty> TInmemInstance::PropertyFor(const std::string& name) const {
    boost::shared_ptr<TInmemProperty> property = FindProperty(TCIMName::Normalize(name));
    if (!property) {
        throw TQELException(TQELStatusCode::eNotFound, "neither class " + Class()->GetName(TCIMContext()) +
                                                           " nor a superclass declares property " + name);
    }
    return property;
}

boost::shared_ptr<TInmemProperty> TInmemInstance::Bind(const std::string& key,
                                                       boost::shared_ptr<ICIMPropertyDecl const> declaration) const {
    auto property = boost::make_shared<TInmemProperty>(declaration);
    fProperties.emplace(key, property);
    return property;
}

void TInmemInstance::BindEveryDeclaration() const {
    boost::shared_ptr<const TInmemLineage> lineage = TInmemLineageCache::LineageOf(Class());
    for (const auto& entry : lineage->Declarations()) {
        boost::shared_ptr<ICIMPropertyDecl> declaration = entry.second.lock();
        if (declaration && fProperties.find(entry.first) == fProperties.end()) {
            Bind(entry.first, declaration);
        }
    }
}

void TInmemInstance::Validate(TCIMContext) const {
    for (const std::string& name : TInmemLineageCache::LineageOf(Class())->KeyNames()) {
        if (PropertyFor(name)->GetValue(TCIMContext()).IsNull()) {
            throw TQELException(TQELStatusCode::eInvalidValue, "key property " + name + " has no value");
        }
    }
}

void TInmemInstance::AddToNamespace(TCIMContext context) {
    Validate(context);
    Class()->AddInstance(shared_from_this(), TCIMContext());
}

void TInmemInstance::ModifyInstance(boost::shared_ptr<ICIMInstance> other, TCIMContext) {
    CopyPropertyValuesFrom(*other);
}

void TInmemInstance::Delete(TCIMContext) { Class()->RemoveInstance(shared_from_this(), TCIMContext()); }

TCIMReference TInmemInstance::GetReference(TCIMContext) const {
    boost::shared_ptr<ICIMClass> cimClass = Class();
    TCIMContext keys;
    for (const std::string& name : TInmemLineageCache::LineageOf(cimClass)->KeyNames()) {
        keys.emplace(name, PropertyFor(name)->GetValue(TCIMContext()));
    }
    return TCIMReference(cimClass->GetNamespace(TCIMContext()), keys, cimClass->GetName(TCIMContext()));
}

boost::shared_ptr<ICIMClass> TInmemInstance::GetClass(TCIMContext) const { return fClass.lock(); }

void TInmemInstance::EnumerateAssociatedInstances(TInstanceCallback, const std::string&, const std::string&,
                                                  const std::string&, const std::string&, TCIMContext) const {}

void TInmemInstance::EnumerateAssociationInstances(TInstanceCallback, const std::string&, const std::string&,
                                                   TCIMContext) const {}

boost::shared_ptr<ICIMProperty> TInmemInstance::GetProperty(const std::string& name, TCIMContext) const {
    return PropertyFor(name);
}

void TInmemInstance::SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext) {
    const std::string key = TCIMName::Normalize(name);
    boost::shared_ptr<TInmemProperty> property = FindProperty(key);
    if (!property) {
        fOwnDeclarations.push_back(
            boost::make_shared<TInmemPropertyDecl>(Class(), name, TCIMValue(value.GetType(), 0)));
        property = Bind(key, fOwnDeclarations.back());
    }
    property->SetValue(value, TCIMContext());
}

void TInmemInstance::EnumerateProperties(TPropertyCallback callback, TCIMContext) const {
    if (fPropertyMode == eAllDeclaredProperties) {
        BindEveryDeclaration();
    }
    for (const auto& entry : fProperties) {
        const bool listed = fPropertyMode == eAllDeclaredProperties || !entry.second->IsDefaultValue(TCIMContext());
        if (listed && !callback(entry.second)) {
            return;
        }
    }
}

TCIMValue TInmemInstance::InvokeMethod(const std::string& methodName, TCIMContext& parameters, TCIMContext) {
    return Class()->InvokeMethod(methodName, parameters, TCIMContext());
}

bool TInmemInstance::operator==(const ICIMInstance& other) const {
    return GetReference(TCIMContext()) == other.GetReference(TCIMContext());
}

bool TInmemInstance::operator<(const ICIMInstance& other) const {
    return GetReference(TCIMContext()) < other.GetReference(TCIMContext());
}

ICIMInstance& TInmemInstance::operator=(const ICIMInstance& other) {
    CopyPropertyValuesFrom(other);
    return *this;
}

void TInmemInstance::CopyPropertyValuesFrom(const ICIMInstance& other) {
    other.EnumerateProperties(
        [this](boost::shared_ptr<ICIMProperty> property) {
            boost::shared_ptr<ICIMPropertyDecl const> declaration = property->GetDeclaration(TCIMContext());
            if (declaration && !property->IsDefaultValue(TCIMContext())) {
                SetPropertyValue(declaration->GetName(TCIMContext()), property->GetValue(TCIMContext()),
                                 TCIMContext());
            }
            return true;
        },
        TCIMContext());
}

}  // namespace NVORNQEL20
