#include "schema/TCimHTTPMethodDecl.h"

#include <boost/make_shared.hpp>

#include <qel/TQELException.h>

#include "class/TCimHTTPClass.h"
#include "client/Debug.h"
#include "namespace/TCimHTTPNamespace.h"
#include "schema/SchemaTables.h"
#include "schema/TCimHTTPParameterDecl.h"

namespace NVORNQEL20 {

TCimHTTPMethodDecl::TCimHTTPMethodDecl(boost::shared_ptr<TCimHTTPClass> cls, const std::string& name,
                                       TCIMValue::TCIMType returnType)
    : fName(name), fReturnType(returnType), fClass(cls)
{
}

TCimHTTPMethodDecl::~TCimHTTPMethodDecl() = default;

TCimHTTPQualifier::TOwner TCimHTTPMethodDecl::SelfAsOwner()
{
    return shared_from_this();
}

void TCimHTTPMethodDecl::AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext)
{
    fQualifiers.Add(qualifier, SelfAsOwner());
}

boost::shared_ptr<ICIMQualifier> TCimHTTPMethodDecl::AllocateQualifier(
    boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value, TCIMContext)
{
    return boost::make_shared<TCimHTTPQualifier>(SelfAsOwner(), declaration, value);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPMethodDecl::AllocateQualifier(
    boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value, ICIMQualifierDecl::EFlavor,
    TCIMContext context)
{
    return AllocateQualifier(declaration, value, context);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPMethodDecl::GetQualifier(const std::string& name, TCIMContext) const
{
    return fQualifiers.Get(name);
}

void TCimHTTPMethodDecl::EnumerateQualifiers(TQualifierCallback callback, TCIMContext) const
{
    fQualifiers.Enumerate(callback);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPMethodDecl::GetQualifier(const std::string&, bool&, TCIMContext) const
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

void TCimHTTPMethodDecl::Validate(TCIMContext) const {}

void TCimHTTPMethodDecl::AddToClass(TCIMContext context)
{
    Validate(context);
    boost::shared_ptr<TCimHTTPClass> cls(fClass);
    cls->AddMethodDecl(shared_from_this(), TCIMContext());
}

const std::string& TCimHTTPMethodDecl::GetName(TCIMContext) const
{
    return fName;
}

boost::shared_ptr<ICIMClass> TCimHTTPMethodDecl::GetClass(TCIMContext) const
{
    return fClass.lock();
}

TCIMValue::TCIMType TCimHTTPMethodDecl::GetReturnType(TCIMContext) const
{
    return fReturnType;
}

boost::shared_ptr<ICIMParameterDecl> TCimHTTPMethodDecl::AllocateParameterDecl(const std::string& name,
                                                                              TCIMValue::TCIMType type, TCIMContext)
{
    return boost::make_shared<TCimHTTPParameterDecl>(shared_from_this(), name, type);
}

boost::shared_ptr<ICIMParameterDecl> TCimHTTPMethodDecl::GetParameterDecl(const std::string& name, TCIMContext) const
{
    auto found = fParameters.find(TCimHTTPNamespace::NormalizeName(name));
    if (found == fParameters.end())
        throw TQELException(TQELStatusCode::eNotFound, "parameter " + name + " of method " + fName);
    return found->second;
}

void TCimHTTPMethodDecl::EnumerateParameterDecls(TParameterDeclCallback& callback, TCIMContext) const
{
    EnumerateInOrder(fParameters, callback);
}

bool TCimHTTPMethodDecl::operator==(const ICIMMethodDecl& other) const
{
    return SameSchemaName(fName, other.GetName(TCIMContext()));
}

bool TCimHTTPMethodDecl::operator<(const ICIMMethodDecl& other) const
{
    return SchemaNameBefore(fName, other.GetName(TCIMContext()));
}

ICIMMethodDecl& TCimHTTPMethodDecl::operator=(const ICIMMethodDecl&)
{
    return *this;
}

void TCimHTTPMethodDecl::AddParameterDecl(boost::shared_ptr<TCimHTTPParameterDecl> parameter)
{
    const std::string& name = parameter->GetName(TCIMContext());
    if (!fParameters.emplace(TCimHTTPNamespace::NormalizeName(name), parameter).second) {
        WriteLog(eLogError, "Inmem: Attempt to add property " + name + " to method " + fName + ": already exists");
        throw TQELException(TQELStatusCode::eAlreadyExists, "parameter " + name + " of method " + fName);
    }
}

void TCimHTTPMethodDecl::RemoveParameterDecl(boost::shared_ptr<TCimHTTPParameterDecl> parameter)
{
    const std::string& name = parameter->GetName(TCIMContext());
    if (fParameters.erase(TCimHTTPNamespace::NormalizeName(name)) == 0)
        throw TQELException(TQELStatusCode::eNotFound, "parameter " + name + " of method " + fName);
}

}  // namespace NVORNQEL20
