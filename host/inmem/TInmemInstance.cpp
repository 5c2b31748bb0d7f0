#include <qel/TInmemInstance.h>

#include <boost/make_shared.hpp>

#include <qel/ICIMProperty.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/TCIMName.h>
#include <qel/TInmemProperty.h>
#include <qel/TQELException.h>

namespace NVORNQEL20 {

TInmemInstance::TInmemInstance(boost::shared_ptr<ICIMClass> cimClass, int propertyMode)
    : fClass(cimClass),
      fPropertyMode(propertyMode == eOwnPropertiesOnly ? eOwnPropertiesOnly : eAllDeclaredProperties) {}

boost::shared_ptr<ICIMClass> TInmemInstance::Class() const { return boost::shared_ptr<ICIMClass>(fClass); }

boost::shared_ptr<TInmemProperty> TInmemInstance::PropertyFor(const std::string& name) const {
    const std::string key = TCIMName::Normalize(name);
    auto found = fProperties.find(key);
    if (found != fProperties.end()) {
        return found->second;
    }
    boost::shared_ptr<ICIMClass> cimClass = Class();
    boost::shared_ptr<ICIMPropertyDecl> declaration = cimClass->GetPropertyDecl(name, TCIMContext());
    if (!declaration) {
        throw TQELException(TQELStatusCode::eNotFound,
                            "class " + cimClass->GetName(TCIMContext()) + " declares no property " + name);
    }
    auto property = boost::make_shared<TInmemProperty>(declaration);
    fProperties.emplace(key, property);
    return property;
}

void TInmemInstance::Validate(TCIMContext) const {
    Class()->EnumerateKeyNames(
        [this](const std::string* name) {
            if (PropertyFor(*name)->GetValue(TCIMContext()).IsNull()) {
                throw TQELException(TQELStatusCode::eInvalidValue, "key property " + *name + " has no value");
            }
            return true;
        },
        TCIMContext());
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
    cimClass->EnumerateKeyNames(
        [this, &keys](const std::string* name) {
            keys.emplace(*name, PropertyFor(*name)->GetValue(TCIMContext()));
            return true;
        },
        TCIMContext());
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
    PropertyFor(name)->SetValue(value, TCIMContext());
}

void TInmemInstance::EnumerateProperties(TPropertyCallback callback, TCIMContext) const {
    if (fPropertyMode == eAllDeclaredProperties) {
        Class()->EnumeratePropertyDecls(
            [this, &callback](boost::shared_ptr<ICIMPropertyDecl> declaration) {
                return callback(PropertyFor(declaration->GetName(TCIMContext())));
            },
            TCIMContext());
        return;
    }
    for (const auto& entry : fProperties) {
        if (!entry.second->IsDefaultValue(TCIMContext()) && !callback(entry.second)) {
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
            if (!property->IsDefaultValue(TCIMContext())) {
                SetPropertyValue(property->GetDeclaration(TCIMContext())->GetName(TCIMContext()),
                                 property->GetValue(TCIMContext()), TCIMContext());
            }
            return true;
        },
        TCIMContext());
}

}  // namespace NVORNQEL20
