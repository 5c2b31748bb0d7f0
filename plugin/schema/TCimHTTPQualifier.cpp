#include "schema/TCimHTTPQualifier.h"

#include <boost/assert.hpp>
#include <boost/pointer_cast.hpp>

#include "schema/SchemaTables.h"

namespace NVORNQEL20 {

TCimHTTPQualifier::TCimHTTPQualifier(TOwner owner, TDeclaration declaration, const TCIMValue& value)
    : TCimHTTPQualifier(owner, declaration, value, declaration->GetFlavor(TCIMContext()))
{
}

TCimHTTPQualifier::TCimHTTPQualifier(TOwner owner, TDeclaration declaration, const TCIMValue& value,
                                     ICIMQualifierDecl::EFlavor flavor)
    : fOwner(owner), fDeclaration(declaration), fValue(value), fFlavor(flavor), fPropagated(false)
{
    BOOST_ASSERT(fDeclaration);
}

TCimHTTPQualifier::TCimHTTPQualifier(TOwner owner, const ICIMQualifier& source)
    : TCimHTTPQualifier(owner, source.GetDeclaration(TCIMContext()), source.GetValue(TCIMContext()),
                        source.GetFlavor(TCIMContext()))
{
    fPropagated = source.GetPropagated(TCIMContext());
}

TCimHTTPQualifier::~TCimHTTPQualifier() = default;

void TCimHTTPQualifier::Validate(TCIMContext) const {}

void TCimHTTPQualifier::AddToClassOrProperty(TCIMContext)
{
    boost::shared_ptr<TCimHTTPQualifier> self = shared_from_this();
    boost::shared_ptr<ICIMNamedElement const> owner(fOwner);
    // The owner is held as const only so that reading it needs no more;
    // attaching changes it.
    boost::const_pointer_cast<ICIMNamedElement>(owner)->AddQualifier(self, TCIMContext());
}

void TCimHTTPQualifier::RemoveFromClassOrProperty(TCIMContext) {}

const std::string& TCimHTTPQualifier::GetName(TCIMContext) const
{
    return fDeclaration->GetName(TCIMContext());
}

boost::shared_ptr<ICIMNamedElement const> TCimHTTPQualifier::GetClassOrProperty(TCIMContext) const
{
    return fOwner.lock();
}

TCIMValue::TCIMType TCimHTTPQualifier::GetType(TCIMContext) const
{
    return fValue.GetType();
}

bool TCimHTTPQualifier::IsArray(TCIMContext) const
{
    return fValue.IsArray();
}

boost::shared_ptr<ICIMQualifierDecl const> TCimHTTPQualifier::GetDeclaration(TCIMContext) const
{
    return fDeclaration;
}

const TCIMValue& TCimHTTPQualifier::GetValue(TCIMContext) const
{
    return fValue;
}

void TCimHTTPQualifier::SetValue(const TCIMValue& value, TCIMContext)
{
    fValue = value;
    fPropagated = false;
}

void TCimHTTPQualifier::SetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext)
{
    fFlavor = static_cast<ICIMQualifierDecl::EFlavor>(fFlavor | flavor);
    fPropagated = false;
}

void TCimHTTPQualifier::UnsetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext)
{
    fFlavor = static_cast<ICIMQualifierDecl::EFlavor>(fFlavor & ~flavor);
    fPropagated = false;
}

ICIMQualifierDecl::EFlavor TCimHTTPQualifier::GetFlavor(TCIMContext) const
{
    return fFlavor;
}

bool TCimHTTPQualifier::operator==(const ICIMQualifier& other) const
{
    return SameSchemaName(GetName(TCIMContext()), other.GetDeclaration(TCIMContext())->GetName(TCIMContext()));
}

bool TCimHTTPQualifier::operator<(const ICIMQualifier& other) const
{
    return SchemaNameBefore(GetName(TCIMContext()), other.GetDeclaration(TCIMContext())->GetName(TCIMContext()));
}

bool TCimHTTPQualifier::GetPropagated(TCIMContext) const
{
    return fPropagated;
}

ICIMQualifier& TCimHTTPQualifier::operator=(const ICIMQualifier&)
{
    return *this;
}

void TCimHTTPQualifier::SetPropagated(bool propagated)
{
    fPropagated = propagated;
}

}  // namespace NVORNQEL20
