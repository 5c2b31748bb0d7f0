#include "schema/TCimHTTPParameterDecl.h"

#include <boost/make_shared.hpp>

#include <qel/TQELException.h>

#include "schema/SchemaTables.h"
#include "schema/TCimHTTPMethodDecl.h"

namespace NVORNQEL20 {

TCimHTTPParameterDecl::TCimHTTPParameterDecl(boost::shared_ptr<TCimHTTPMethodDecl> method, const std::string& name,
                                             TCIMValue::TCIMType type)
    : fMethod(method), fName(name), fType(type)
{
}

TCimHTTPParameterDecl::~TCimHTTPParameterDecl() = default;

TCimHTTPQualifier::TOwner TCimHTTPParameterDecl::SelfAsOwner()
{
    return shared_from_this();
}

void TCimHTTPParameterDecl::AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext)
{
    fQualifiers.Add(qualifier, SelfAsOwner());
}

boost::shared_ptr<ICIMQualifier> TCimHTTPParameterDecl::AllocateQualifier(
    boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value, TCIMContext)
{
    return boost::make_shared<TCimHTTPQualifier>(SelfAsOwner(), declaration, value);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPParameterDecl::AllocateQualifier(
    boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value, ICIMQualifierDecl::EFlavor,
    TCIMContext context)
{
    return AllocateQualifier(declaration, value, context);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPParameterDecl::GetQualifier(const std::string& name, TCIMContext) const
{
    return fQualifiers.Find(name);
}

void TCimHTTPParameterDecl::EnumerateQualifiers(TQualifierCallback callback, TCIMContext) const
{
    fQualifiers.Enumerate(callback);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPParameterDecl::GetQualifier(const std::string&, bool&, TCIMContext) const
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPParameterDecl::Validate(TCIMContext) const {}

void TCimHTTPParameterDecl::AddToMethod(TCIMContext context)
{
    Validate(context);
    boost::shared_ptr<TCimHTTPMethodDecl> method(fMethod);
    method->AddParameterDecl(shared_from_this());
}

const std::string& TCimHTTPParameterDecl::GetName(TCIMContext) const
{
    return fName;
}

boost::shared_ptr<ICIMMethodDecl> TCimHTTPParameterDecl::GetMethodDecl(TCIMContext) const
{
    return fMethod.lock();
}

TCIMValue::TCIMType TCimHTTPParameterDecl::GetType(TCIMContext) const
{
    return fType;
}

bool TCimHTTPParameterDecl::IsArray(TCIMContext) const
{
    return fValue.IsArray();
}

bool TCimHTTPParameterDecl::operator==(const ICIMParameterDecl& other) const
{
    return SameSchemaName(fName, other.GetName(TCIMContext()));
}

bool TCimHTTPParameterDecl::operator<(const ICIMParameterDecl& other) const
{
    return SchemaNameBefore(fName, other.GetName(TCIMContext()));
}

ICIMParameterDecl& TCimHTTPParameterDecl::operator=(const ICIMParameterDecl&)
{
    return *this;
}

TCimHTTPQualifierTable::TLookup TCimHTTPParameterDecl::LookupQual(const std::string& name) const
{
    return fQualifiers.Lookup(name);
}

void TCimHTTPParameterDecl::RemoveQualifier(boost::shared_ptr<ICIMQualifier> qualifier)
{
    fQualifiers.Remove(qualifier->GetName(TCIMContext()));
}

}  // namespace NVORNQEL20
