#include "schema/TCimHTTPPropertyDecl.h"

#include <boost/make_shared.hpp>

#include "class/TCimHTTPClass.h"
#include "schema/SchemaTables.h"

namespace NVORNQEL20 {

TCimHTTPPropertyDecl::TCimHTTPPropertyDecl(boost::shared_ptr<TCimHTTPClass> cls, const std::string& name,
                                           const TCIMValue& defaultValue)
    : fName(name), fClass(cls), fDefaultValue(defaultValue)
{
}

TCimHTTPPropertyDecl::~TCimHTTPPropertyDecl() = default;

TCimHTTPQualifier::TOwner TCimHTTPPropertyDecl::SelfAsOwner()
{
    return shared_from_this();
}

void TCimHTTPPropertyDecl::AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext)
{
    fQualifiers.Add(qualifier, SelfAsOwner());
}

boost::shared_ptr<ICIMQualifier> TCimHTTPPropertyDecl::AllocateQualifier(
    boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value, TCIMContext)
{
    return boost::make_shared<TCimHTTPQualifier>(SelfAsOwner(), declaration, value);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPPropertyDecl::AllocateQualifier(
    boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value, ICIMQualifierDecl::EFlavor,
    TCIMContext context)
{
    return AllocateQualifier(declaration, value, context);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPPropertyDecl::GetQualifier(const std::string& name, TCIMContext) const
{
    return fQualifiers.Get(name);
}

void TCimHTTPPropertyDecl::EnumerateQualifiers(TQualifierCallback callback, TCIMContext) const
{
    fQualifiers.Enumerate(callback);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPPropertyDecl::GetQualifier(const std::string& name, bool& found,
                                                                    TCIMContext) const
{
    boost::shared_ptr<ICIMQualifier> qualifier = fQualifiers.Find(name);
    found = static_cast<bool>(qualifier);
    return qualifier;
}

void TCimHTTPPropertyDecl::Validate(TCIMContext) const {}

void TCimHTTPPropertyDecl::AddToClass(TCIMContext context)
{
    Validate(context);
    boost::shared_ptr<TCimHTTPClass> cls(fClass);
    cls->AddPropertyDecl(shared_from_this(), TCIMContext());
}

void TCimHTTPPropertyDecl::RemoveFromClass(TCIMContext) {}

const std::string& TCimHTTPPropertyDecl::GetName(TCIMContext) const
{
    return fName;
}

boost::shared_ptr<ICIMClass> TCimHTTPPropertyDecl::GetClass(TCIMContext) const
{
    return fClass.lock();
}

TCIMValue::TCIMType TCimHTTPPropertyDecl::GetType(TCIMContext) const
{
    return fDefaultValue.GetType();
}

bool TCimHTTPPropertyDecl::IsArray(TCIMContext) const
{
    return fDefaultValue.IsArray();
}

const TCIMValue& TCimHTTPPropertyDecl::GetDefaultValue(TCIMContext) const
{
    return fDefaultValue;
}

void TCimHTTPPropertyDecl::SetDefaultValue(const TCIMValue& value, TCIMContext)
{
    fDefaultValue = value;
}

bool TCimHTTPPropertyDecl::operator==(const ICIMPropertyDecl& other) const
{
    return SameSchemaName(fName, other.GetName(TCIMContext()));
}

bool TCimHTTPPropertyDecl::operator<(const ICIMPropertyDecl& other) const
{
    return SchemaNameBefore(fName, other.GetName(TCIMContext()));
}

ICIMPropertyDecl& TCimHTTPPropertyDecl::operator=(const ICIMPropertyDecl&)
{
    return *this;
}

TCimHTTPQualifierTable::TLookup TCimHTTPPropertyDecl::LookupQualifier(const std::string& name) const
{
    return fQualifiers.Lookup(name);
}

void TCimHTTPPropertyDecl::RemoveQualifier(boost::shared_ptr<ICIMQualifier> qualifier)
{
    fQualifiers.Remove(qualifier->GetName(TCIMContext()));
}

}  // namespace NVORNQEL20
