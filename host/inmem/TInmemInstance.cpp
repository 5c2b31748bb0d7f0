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
    auto found = fProperties.lower_bound(key);
    if (found != fProperties.end() && found->first == key) {
        return found->second;
    }
    boost::shared_ptr<ICIMPropertyDecl> declaration = TInmemLineageCache::LineageOf(Class())->FindDeclaration(key);
    return declaration ? Bind(found, key, declaration) : boost::shared_ptr<TInmemProperty>();
}

boost::shared_ptr<TInmemProperty> TInmemInstance::PropertyFor(const std::string& name) const {
    boost::shared_ptr<TInmemProperty> property = FindProperty(TCIMName::Normalize(name));
    if (!property) {
        throw TQELException(TQELStatusCode::eNotFound, "neither class " + Class()->GetName(TCIMContext()) +
                                                           " nor a superclass declares property " + name);
    }
    return property;
}

// position: where the key belongs in the table (its lower bound).
boost::shared_ptr<TInmemProperty> TInmemInstance::Bind(TProperties::const_iterator position, const std::string& key,
                                                       boost::shared_ptr<ICIMPropertyDecl const> declaration) const {
    auto property = boost::make_shared<TInmemProperty>(declaration);
    fProperties.emplace_hint(position, key, property);
    return property;
}

// Once every declaration of a lineage is bound, listing the properties
// again binds nothing until the class's lineage changes.
void TInmemInstance::BindEveryDeclaration() const {
    boost::shared_ptr<const TInmemLineage> lineage = TInmemLineageCache::LineageOf(Class());
    if (lineage == fBoundLineage) {
        return;
    }
    for (const auto& entry : lineage->Declarations()) {
        boost::shared_ptr<ICIMPropertyDecl> declaration = entry.second.lock();
        auto position = fProperties.lower_bound(entry.first);
        if (declaration && (position == fProperties.end() || position->first != entry.first)) {
            Bind(position, entry.first, declaration);
        }
    }
    fBoundLineage = lineage;
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
        property = Bind(fProperties.lower_bound(key), key, fOwnDeclarations.back());
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
