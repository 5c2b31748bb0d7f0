#include <qel/TInmemInstance.h>

#include <tuple>
#include <utility>

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

// The lineage the slots were made for serves as long as it is current.
boost::shared_ptr<const TInmemLineage> TInmemInstance::CurrentLineage() const {
    if (fLineage && TInmemLineageCache::IsCurrent(*fLineage)) {
        return fLineage;
    }
    return TInmemLineageCache::LineageOf(Class());
}

// While the lineage of the slots is current, binding a name costs no
// look-up in the process-wide cache and no copy of a shared pointer.
TInmemProperty* TInmemInstance::FindProperty(const std::string& key) const {
    if (!fLineage) {
        AdoptLineage(TInmemLineageCache::LineageOf(Class()));
    }
    const std::size_t slot = fLineage->IndexOf(key);
    if (TInmemProperty* bound = BoundProperty(key, slot)) {
        return bound;
    }
    if (TInmemLineageCache::IsCurrent(*fLineage)) {
        return BindSlot(slot);
    }
    const boost::shared_ptr<const TInmemLineage> lineage = TInmemLineageCache::LineageOf(Class());
    return BindApart(*lineage, lineage->IndexOf(key));
}

// slot: the name's place in the lineage of the slots.
TInmemProperty* TInmemInstance::BoundProperty(const std::string& key, std::size_t slot) const {
    if (slot != TInmemLineage::kNotDeclared && fSlots[slot]) {
        return &*fSlots[slot];
    }
    auto extra = fExtraProperties.find(key);
    return extra == fExtraProperties.end() ? nullptr : &extra->second;
}

TInmemProperty* TInmemInstance::BindSlot(std::size_t slot) const {
    if (slot == TInmemLineage::kNotDeclared || fLineage->Declarations()[slot].second.expired()) {
        return nullptr;
    }
    return &fSlots[slot].emplace(fLineage->Declarations()[slot].second);
}

// A declaration of a lineage other than the slots' (after a schema change).
TInmemProperty* TInmemInstance::BindApart(const TInmemLineage& lineage, std::size_t index) const {
    if (index == TInmemLineage::kNotDeclared) {
        return nullptr;
    }
    const TInmemLineage::TDeclaration& entry = lineage.Declarations()[index];
    boost::shared_ptr<ICIMPropertyDecl> declaration = entry.second.lock();
    return declaration ? &BindExtra(entry.first, declaration) : nullptr;
}

TInmemProperty& TInmemInstance::BindExtra(const std::string& key,
                                          boost::shared_ptr<ICIMPropertyDecl const> declaration) const {
    return fExtraProperties
        .emplace(std::piecewise_construct, std::forward_as_tuple(key), std::forward_as_tuple(declaration))
        .first->second;
}

void TInmemInstance::AdoptLineage(const boost::shared_ptr<const TInmemLineage>& lineage) const {
    fLineage = lineage;
    fSlots = TSlots(lineage->Declarations().size());
}

TInmemProperty& TInmemInstance::PropertyFor(const std::string& name) const {
    TInmemProperty* property = FindProperty(TCIMName::Normalize(name));
    if (!property) {
        throw TQELException(TQELStatusCode::eNotFound, "neither class " + Class()->GetName(TCIMContext()) +
                                                           " nor a superclass declares property " + name);
    }
    return *property;
}

boost::shared_ptr<TInmemProperty> TInmemInstance::Handle(TInmemProperty& property) const {
    return boost::shared_ptr<TInmemProperty>(shared_from_this(), &property);
}

// Once every declaration of a lineage is bound, listing the properties
// again binds nothing until the class's lineage changes.
void TInmemInstance::BindEveryDeclaration() const {
    boost::shared_ptr<const TInmemLineage> lineage = CurrentLineage();
    if (lineage == fBoundLineage) {
        return;
    }
    if (!fLineage) {
        AdoptLineage(lineage);
    }
    const TInmemLineage::TDeclarations& declarations = lineage->Declarations();
    for (std::size_t index = 0; index < declarations.size(); ++index) {
        if (lineage == fLineage) {
            if (!fSlots[index]) {
                BindSlot(index);
            }
        } else if (!BoundProperty(declarations[index].first, fLineage->IndexOf(declarations[index].first))) {
            BindApart(*lineage, index);
        }
    }
    fBoundLineage = lineage;
}

// A merge of the slots and the properties apart, which never share a name.
// The callback may bind more: the slots do not move, and the map's
// iterators stay valid.
template <typename TVisit>
void TInmemInstance::VisitBound(TVisit visit) const {
    std::size_t slot = 0;
    auto extra = fExtraProperties.begin();
    for (;;) {
        while (slot < fSlots.size() && !fSlots[slot]) {
            ++slot;
        }
        const bool slotLeft = slot < fSlots.size();
        if (!slotLeft && extra == fExtraProperties.end()) {
            return;
        }
        if (slotLeft && (extra == fExtraProperties.end() || fLineage->Declarations()[slot].first < extra->first)) {
            if (!visit(*fSlots[slot++])) {
                return;
            }
        } else if (!visit((extra++)->second)) {
            return;
        }
    }
}

void TInmemInstance::Validate(TCIMContext) const {
    const boost::shared_ptr<const TInmemLineage> lineage = CurrentLineage();
    for (const std::string& name : lineage->KeyNames()) {
        if (PropertyFor(name).GetValue(TCIMContext()).IsNull()) {
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
    const boost::shared_ptr<const TInmemLineage> lineage = CurrentLineage();
    std::vector<TCIMReference::TKeyBinding> keys;
    keys.reserve(lineage->KeyNames().size());
    for (const std::string& name : lineage->KeyNames()) {
        keys.emplace_back(name, PropertyFor(name).GetValue(TCIMContext()));
    }
    return TCIMReference(cimClass->GetNamespace(TCIMContext()), std::move(keys), cimClass->GetName(TCIMContext()));
}

boost::shared_ptr<ICIMClass> TInmemInstance::GetClass(TCIMContext) const { return fClass.lock(); }

void TInmemInstance::EnumerateAssociatedInstances(TInstanceCallback, const std::string&, const std::string&,
                                                  const std::string&, const std::string&, TCIMContext) const {}

void TInmemInstance::EnumerateAssociationInstances(TInstanceCallback, const std::string&, const std::string&,
                                                   TCIMContext) const {}

boost::shared_ptr<ICIMProperty> TInmemInstance::GetProperty(const std::string& name, TCIMContext) const {
    return Handle(PropertyFor(name));
}

void TInmemInstance::SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext) {
    const std::string key = TCIMName::Normalize(name);
    TInmemProperty* property = FindProperty(key);
    if (!property) {
        fOwnDeclarations.push_back(
            boost::make_shared<TInmemPropertyDecl>(Class(), name, TCIMValue(value.GetType(), 0)));
        property = &BindExtra(key, fOwnDeclarations.back());
    }
    property->SetValue(value, TCIMContext());
}

void TInmemInstance::EnumerateProperties(TPropertyCallback callback, TCIMContext) const {
    if (fPropertyMode == eAllDeclaredProperties) {
        BindEveryDeclaration();
    }
    VisitBound([this, &callback](TInmemProperty& property) {
        const bool listed = fPropertyMode == eAllDeclaredProperties || !property.IsDefaultValue(TCIMContext());
        return !listed || callback(Handle(property));
    });
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
