#include "TInmemQualifier.h"

#include <boost/pointer_cast.hpp>

#include <qel/TCIMName.h>

namespace NVORNQEL20 {

TInmemQualifier::TInmemQualifier(boost::shared_ptr<ICIMNamedElement const> owner,
                                 boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value,
                                 ICIMQualifierDecl::EFlavor flavor)
    : fOwner(owner), fDeclaration(declaration), fValue(value), fFlavor(flavor), fPropagated(false) {}

void TInmemQualifier::Validate(TCIMContext) const {}

void TInmemQualifier::AddToClassOrProperty(TCIMContext) {
    boost::shared_ptr<ICIMNamedElement const> owner(fOwner);
    boost::const_pointer_cast<ICIMNamedElement>(owner)->AddQualifier(shared_from_this(), TCIMContext());
}

void TInmemQualifier::RemoveFromClassOrProperty(TCIMContext) {}

const std::string& TInmemQualifier::GetName(TCIMContext) const { return fDeclaration->GetName(TCIMContext()); }

boost::shared_ptr<ICIMNamedElement const> TInmemQualifier::GetClassOrProperty(TCIMContext) const {
    return fOwner.lock();
}

TCIMValue::TCIMType TInmemQualifier::GetType(TCIMContext) const { return fValue.GetType(); }

bool TInmemQualifier::IsArray(TCIMContext) const { return fValue.IsArray(); }

boost::shared_ptr<ICIMQualifierDecl const> TInmemQualifier::GetDeclaration(TCIMContext) const {
    return fDeclaration;
}

const TCIMValue& TInmemQualifier::GetValue(TCIMContext) const { return fValue; }

void TInmemQualifier::SetValue(const TCIMValue& value, TCIMContext) {
    fValue = value;
    fPropagated = false;
}

void TInmemQualifier::SetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext) {
    fFlavor = static_cast<ICIMQualifierDecl::EFlavor>(fFlavor | flavor);
    fPropagated = false;
}

void TInmemQualifier::UnsetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext) {
    fFlavor = static_cast<ICIMQualifierDecl::EFlavor>(fFlavor & ~flavor);
    fPropagated = false;
}

ICIMQualifierDecl::EFlavor TInmemQualifier::GetFlavor(TCIMContext) const { return fFlavor; }

bool TInmemQualifier::operator==(const ICIMQualifier& other) const {
    return TCIMName::EqualNoCase(GetName(TCIMContext()), other.GetName(TCIMContext()));
}

bool TInmemQualifier::operator<(const ICIMQualifier& other) const {
    return TCIMName::LowerCase(GetName(TCIMContext())) < TCIMName::LowerCase(other.GetName(TCIMContext()));
}

bool TInmemQualifier::GetPropagated(TCIMContext) const { return fPropagated; }

ICIMQualifier& TInmemQualifier::operator=(const ICIMQualifier&) { return *this; }

}  // namespace NVORNQEL20
