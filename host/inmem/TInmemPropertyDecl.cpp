#include "TInmemPropertyDecl.h"

namespace NVORNQEL20 {

TInmemPropertyDecl::TInmemPropertyDecl(boost::shared_ptr<ICIMClass> owner, const std::string& name,
                                       const TCIMValue& defaultValue)
    : fClass(owner), fName(name), fDefaultValue(defaultValue) {}

void TInmemPropertyDecl::AddToClass(TCIMContext) {
    boost::shared_ptr<ICIMClass>(fClass)->AddPropertyDecl(shared_from_this(), TCIMContext());
}

void TInmemPropertyDecl::RemoveFromClass(TCIMContext) {
    boost::shared_ptr<ICIMClass>(fClass)->RemovePropertyDecl(shared_from_this(), TCIMContext());
}

const std::string& TInmemPropertyDecl::GetName(TCIMContext) const { return fName; }

boost::shared_ptr<ICIMClass> TInmemPropertyDecl::GetClass(TCIMContext) const { return fClass.lock(); }

TCIMValue::TCIMType TInmemPropertyDecl::GetType(TCIMContext) const { return fDefaultValue.GetType(); }

bool TInmemPropertyDecl::IsArray(TCIMContext) const { return fDefaultValue.IsArray(); }

const TCIMValue& TInmemPropertyDecl::GetDefaultValue(TCIMContext) const { return fDefaultValue; }

void TInmemPropertyDecl::SetDefaultValue(const TCIMValue& value, TCIMContext) { fDefaultValue = value; }

boost::shared_ptr<ICIMNamedElement const> TInmemPropertyDecl::SelfAsNamedElement() { return shared_from_this(); }

}  // namespace NVORNQEL20
