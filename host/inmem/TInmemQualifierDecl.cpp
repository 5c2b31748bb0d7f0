#include "TInmemQualifierDecl.h"

#include <qel/TCIMName.h>
#include <qel/TInmemNamespace.h>

namespace NVORNQEL20 {

TInmemQualifierDecl::TInmemQualifierDecl(boost::shared_ptr<TInmemNamespace> nameSpace, const std::string& name,
                                         const TCIMValue& defaultValue, EScope scope, EFlavor flavor)
    : fNamespace(nameSpace), fName(name), fDefaultValue(defaultValue), fScope(scope), fFlavor(flavor) {}

void TInmemQualifierDecl::Validate(TCIMContext) const {}

void TInmemQualifierDecl::AddToNamespace(TCIMContext) {
    boost::shared_ptr<TInmemNamespace>(fNamespace)->AddQualifierDecl(shared_from_this());
}

void TInmemQualifierDecl::RemoveQualifierDecl(TCIMContext) {
    boost::shared_ptr<TInmemNamespace>(fNamespace)->RemoveQualifierDecl(fName);
}

const std::string& TInmemQualifierDecl::GetName(TCIMContext) const { return fName; }

boost::shared_ptr<ICIMNamespace> TInmemQualifierDecl::GetNamespace(TCIMContext) const { return fNamespace.lock(); }

TCIMValue::TCIMType TInmemQualifierDecl::GetType(TCIMContext) const { return fDefaultValue.GetType(); }

bool TInmemQualifierDecl::IsArray(TCIMContext) const { return fDefaultValue.IsArray(); }

const TCIMValue& TInmemQualifierDecl::GetDefaultValue(TCIMContext) const { return fDefaultValue; }

void TInmemQualifierDecl::SetDefaultValue(const TCIMValue& value, TCIMContext) { fDefaultValue = value; }

ICIMQualifierDecl::EScope TInmemQualifierDecl::GetScope(TCIMContext) const { return fScope; }

void TInmemQualifierDecl::SetFlavor(EFlavor flavor, TCIMContext) { fFlavor = static_cast<EFlavor>(fFlavor | flavor); }

void TInmemQualifierDecl::UnsetFlavor(EFlavor flavor, TCIMContext) {
    fFlavor = static_cast<EFlavor>(fFlavor & ~flavor);
}

ICIMQualifierDecl::EFlavor TInmemQualifierDecl::GetFlavor(TCIMContext) const { return fFlavor; }

bool TInmemQualifierDecl::operator==(const ICIMQualifierDecl& other) const {
    return TCIMName::EqualNoCase(fName, other.GetName(TCIMContext()));
}

bool TInmemQualifierDecl::operator<(const ICIMQualifierDecl& other) const {
    return TCIMName::LowerCase(fName) < TCIMName::LowerCase(other.GetName(TCIMContext()));
}

ICIMQualifierDecl& TInmemQualifierDecl::operator=(const ICIMQualifierDecl&) { return *this; }

}  // namespace NVORNQEL20
