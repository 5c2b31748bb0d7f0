#include "schema/TCimHTTPQualifierDecl.h"

#include "namespace/TCimHTTPNamespace.h"
#include "schema/SchemaTables.h"

namespace NVORNQEL20 {

TCimHTTPQualifierDecl::TCimHTTPQualifierDecl(boost::shared_ptr<TCimHTTPNamespace> nameSpace,
                                             const std::string& name, const TCIMValue& defaultValue,
                                             EScope scope, EFlavor flavor)
    : fNamespace(nameSpace), fName(name), fDefaultValue(defaultValue), fScope(scope), fFlavor(flavor)
{
}

TCimHTTPQualifierDecl::~TCimHTTPQualifierDecl() = default;

void TCimHTTPQualifierDecl::Validate(TCIMContext) const {}

void TCimHTTPQualifierDecl::AddToNamespace(TCIMContext)
{
    boost::shared_ptr<TCimHTTPQualifierDecl> self = shared_from_this();
    boost::shared_ptr<TCimHTTPNamespace> nameSpace(fNamespace);
    nameSpace->AddQualifierDecl(self);
}

void TCimHTTPQualifierDecl::RemoveQualifierDecl(TCIMContext) {}

const std::string& TCimHTTPQualifierDecl::GetName(TCIMContext) const
{
    return fName;
}

boost::shared_ptr<ICIMNamespace> TCimHTTPQualifierDecl::GetNamespace(TCIMContext) const
{
    return fNamespace.lock();
}

TCIMValue::TCIMType TCimHTTPQualifierDecl::GetType(TCIMContext) const
{
    return fDefaultValue.GetType();
}

bool TCimHTTPQualifierDecl::IsArray(TCIMContext) const
{
    return fDefaultValue.IsArray();
}

const TCIMValue& TCimHTTPQualifierDecl::GetDefaultValue(TCIMContext) const
{
    return fDefaultValue;
}

void TCimHTTPQualifierDecl::SetDefaultValue(const TCIMValue& value, TCIMContext)
{
    fDefaultValue = value;
}

ICIMQualifierDecl::EScope TCimHTTPQualifierDecl::GetScope(TCIMContext) const
{
    return fScope;
}

void TCimHTTPQualifierDecl::SetFlavor(EFlavor flavor, TCIMContext)
{
    fFlavor = static_cast<EFlavor>(fFlavor | flavor);
}

void TCimHTTPQualifierDecl::UnsetFlavor(EFlavor flavor, TCIMContext)
{
    fFlavor = static_cast<EFlavor>(fFlavor & ~flavor);
}

ICIMQualifierDecl::EFlavor TCimHTTPQualifierDecl::GetFlavor(TCIMContext) const
{
    return fFlavor;
}

bool TCimHTTPQualifierDecl::operator==(const ICIMQualifierDecl& other) const
{
    return SameSchemaName(fName, other.GetName(TCIMContext()));
}

bool TCimHTTPQualifierDecl::operator<(const ICIMQualifierDecl& other) const
{
    return SchemaNameBefore(fName, other.GetName(TCIMContext()));
}

ICIMQualifierDecl& TCimHTTPQualifierDecl::operator=(const ICIMQualifierDecl&)
{
    return *this;
}

}  // namespace NVORNQEL20
