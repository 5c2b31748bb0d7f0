#include "class/TCimHTTPClass.h"

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <qel/TQELException.h>

#include "client/Debug.h"
#include "namespace/TCimHTTPNamespace.h"
#include "schema/SchemaTables.h"
#include "schema/TCimHTTPMethodDecl.h"
#include "schema/TCimHTTPPropertyDecl.h"

namespace NVORNQEL20 {

namespace {

// The one property a class may lack without an error: the host asks every
// class for it.
const char* const kOptionalProperty = "DateTimeOfCollection";

// Port types are declared again by subclasses without OVERRIDE.
bool MayRedeclare(const std::string& propertyName)
{
    return propertyName.find("PortType") != std::string::npos;
}

[[noreturn]] void RefuseProperty(const std::string& message, TQELStatusCode status)
{
    WriteLog(eLogError, message);
    throw TQELException(status);
}

[[noreturn]] void NotServedYet()
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

}  // namespace

TCimHTTPClass::TCimHTTPClass(boost::shared_ptr<TCimHTTPNamespace> nameSpace, int enumerateInstancesTimeout,
                             const std::string& name, boost::shared_ptr<TCimHTTPClass>)
    : fNamespace(nameSpace), fName(name), fEnumerateInstancesTimeout(enumerateInstancesTimeout)
{
}

TCimHTTPClass::~TCimHTTPClass() = default;

TCimHTTPQualifier::TOwner TCimHTTPClass::SelfAsOwner()
{
    return boost::static_pointer_cast<ICIMNamedElement const>(shared_from_this());
}

void TCimHTTPClass::Validate(TCIMContext) const {}

void TCimHTTPClass::RemoveFromNamespace(TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

void TCimHTTPClass::ModifyClass(boost::shared_ptr<ICIMClass>, TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

const std::string& TCimHTTPClass::GetName(TCIMContext) const
{
    return fName;
}

boost::shared_ptr<ICIMNamespace> TCimHTTPClass::GetNamespace(TCIMContext) const
{
    return fNamespace.lock();
}

bool TCimHTTPClass::HasTrueQualifier(const std::string& name) const
{
    boost::shared_ptr<TCimHTTPQualifier> qualifier = fQualifiers.Find(name);
    if (!qualifier)
        return false;
    const TCIMValue& value = qualifier->GetValue(TCIMContext());
    return !value.IsNull() && static_cast<bool>(value);
}

bool TCimHTTPClass::IsAssociation(TCIMContext) const
{
    return HasTrueQualifier("ASSOCIATION");
}

bool TCimHTTPClass::IsAbstract(TCIMContext) const
{
    return HasTrueQualifier("ABSTRACT");
}

boost::shared_ptr<ICIMPropertyDecl> TCimHTTPClass::AllocatePropertyDecl(const std::string& name,
                                                                        const TCIMValue& defaultValue, TCIMContext)
{
    return boost::make_shared<TCimHTTPPropertyDecl>(shared_from_this(), name, defaultValue);
}

boost::shared_ptr<ICIMPropertyDecl> TCimHTTPClass::GetPropertyDecl(const std::string& name, TCIMContext) const
{
    auto found = fPropertyDecls.find(TCimHTTPNamespace::NormalizeName(name));
    if (found != fPropertyDecls.end())
        return found->second;
    if (name == kOptionalProperty)
        return boost::shared_ptr<ICIMPropertyDecl>();
    throw TQELException(TQELStatusCode::eNotFound, "property " + name + " of class " + fName);
}

void TCimHTTPClass::EnumeratePropertyDecls(TPropertyDeclCallback callback, TCIMContext) const
{
    EnumerateInOrder(fPropertyDecls, callback);
}

void TCimHTTPClass::SetPropertyValue(const std::string&, const TCIMValue&, TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

boost::shared_ptr<ICIMMethodDecl> TCimHTTPClass::AllocateMethodDecl(const std::string& name,
                                                                    TCIMValue::TCIMType returnType, TCIMContext)
{
    return boost::make_shared<TCimHTTPMethodDecl>(shared_from_this(), name, returnType);
}

boost::shared_ptr<ICIMMethodDecl> TCimHTTPClass::GetMethodDecl(const std::string& name, TCIMContext) const
{
    auto found = fMethodDecls.find(TCimHTTPNamespace::NormalizeName(name));
    return found == fMethodDecls.end() ? boost::shared_ptr<ICIMMethodDecl>() : found->second;
}

void TCimHTTPClass::EnumerateMethodDecls(TMethodDeclCallback callback, TCIMContext) const
{
    EnumerateInOrder(fMethodDecls, callback);
}

bool TCimHTTPClass::operator==(const ICIMClass& other) const
{
    return fName == other.GetName(TCIMContext());
}

bool TCimHTTPClass::operator<(const ICIMClass& other) const
{
    return fName < other.GetName(TCIMContext());
}

ICIMClass& TCimHTTPClass::operator=(const ICIMClass&)
{
    return *this;
}

bool TCimHTTPClass::hasCollected(TCIMContext) const
{
    return false;
}

void TCimHTTPClass::SetCollected(bool, TCIMContext) {}

void TCimHTTPClass::RemoveChildClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

void TCimHTTPClass::AddAssociationClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

void TCimHTTPClass::RemoveAssociationClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

bool TCimHTTPClass::DeclaresOverride(const ICIMPropertyDecl& declaration) const
{
    try {
        declaration.GetQualifier("OVERRIDE", TCIMContext());
        return true;
    } catch (const TQELException& e) {
        if (e.GetStatusCode() == TQELStatusCode::eNotFound)
            return false;
        RefuseProperty("TCimHTTP: Attempt define property " + declaration.GetName(TCIMContext()) + " in class " +
                           fName + "failed. Reason = " + e.what(),
                       e.GetStatusCode());
    }
}

// An overriding declaration needs a declaration of the same type from a
// base class to replace.
void TCimHTTPClass::CheckOverride(const ICIMPropertyDecl& declaration, TPropertyDecls::const_iterator existing) const
{
    const std::string prefix =
        "TCimHTTP: Attempt to override property " + declaration.GetName(TCIMContext()) + " in class " + fName;
    if (existing == fPropertyDecls.end())
        RefuseProperty(prefix + ": property doesn't exist in base class", TQELStatusCode::eNotFound);
    const TCimHTTPPropertyDecl& original = *existing->second;
    if (original.GetType(TCIMContext()) != declaration.GetType(TCIMContext()))
        RefuseProperty(prefix + ": different types", TQELStatusCode::eTypeMismatch);
    if (original.GetClass(TCIMContext()).get() == this)
        RefuseProperty(prefix + ": original was defined in this class", TQELStatusCode::eAlreadyExists);
}

// A reference property needs an association; a name already declared may
// only be replaced by an override or, for port types, by a redeclaration.
void TCimHTTPClass::AddPropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext)
{
    boost::shared_ptr<TCimHTTPPropertyDecl> own = boost::dynamic_pointer_cast<TCimHTTPPropertyDecl>(declaration);
    if (!own)
        throw TQELException(TQELStatusCode::eNotSupported, "property declaration of another provider");
    const std::string& name = own->GetName(TCIMContext());
    if (own->GetType(TCIMContext()) == TCIMValue::TCIMType::eReference && !IsAssociation(TCIMContext()))
        RefuseProperty("TCimHTTP: Attempt to add reference property " + name + " to non-association class " + fName,
                       TQELStatusCode::eReferenceInNonAssociation);
    const std::string key = TCimHTTPNamespace::NormalizeName(name);
    auto existing = fPropertyDecls.find(key);
    if (DeclaresOverride(*own))
        CheckOverride(*own, existing);
    else if (existing != fPropertyDecls.end() && !MayRedeclare(name))
        RefuseProperty("TCimHTTP: Attempt to add property " + name + " to class " + fName + ": already exists",
                       TQELStatusCode::eAlreadyExists);
    if (existing != fPropertyDecls.end())
        fPropertyDecls.erase(existing);
    fPropertyDecls.emplace(key, own);
}

void TCimHTTPClass::RemovePropertyDecl(boost::shared_ptr<ICIMPropertyDecl>, TCIMContext) {}

// Method declarations enter the table while the class loads its
// definition, not through this call.
void TCimHTTPClass::AddMethodDecl(boost::shared_ptr<ICIMMethodDecl>, TCIMContext) {}

void TCimHTTPClass::RemoveMethodDecl(boost::shared_ptr<ICIMMethodDecl>, TCIMContext) {}

void TCimHTTPClass::AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext)
{
    fQualifiers.Add(qualifier, SelfAsOwner());
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                                  const TCIMValue& value, TCIMContext)
{
    return boost::make_shared<TCimHTTPQualifier>(SelfAsOwner(), declaration, value);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                                  const TCIMValue& value, ICIMQualifierDecl::EFlavor,
                                                                  TCIMContext context)
{
    return AllocateQualifier(declaration, value, context);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::GetQualifier(const std::string& name, TCIMContext) const
{
    return fQualifiers.Find(name);
}

void TCimHTTPClass::EnumerateQualifiers(TQualifierCallback callback, TCIMContext) const
{
    fQualifiers.Enumerate(callback);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::GetQualifier(const std::string&, bool&, TCIMContext) const
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

// What follows needs the class's definition loaded from the CIM server, its
// place in the namespace and its instances, which it does not have yet.

void TCimHTTPClass::AddToNamespace(TCIMContext)
{
    NotServedYet();
}

bool TCimHTTPClass::IsRootClass(TCIMContext) const
{
    NotServedYet();
}

boost::shared_ptr<ICIMClass> TCimHTTPClass::GetSuperClass(TCIMContext) const
{
    NotServedYet();
}

void TCimHTTPClass::EnumerateSubClasses(TClassCallback, bool, TCIMContext) const
{
    NotServedYet();
}

bool TCimHTTPClass::IsSubclassOf(boost::shared_ptr<ICIMClass const>, TCIMContext) const
{
    NotServedYet();
}

void TCimHTTPClass::EnumerateAssociatedClasses(TClassCallback, const std::string&, const std::string&,
                                               const std::string&, const std::string&, TCIMContext) const
{
    NotServedYet();
}

void TCimHTTPClass::EnumerateAssociationClasses(TClassCallback, const std::string&, const std::string&,
                                                TCIMContext) const
{
    NotServedYet();
}

void TCimHTTPClass::EnumerateKeyNames(TKeyNameCallback, TCIMContext) const
{
    NotServedYet();
}

boost::shared_ptr<ICIMProperty> TCimHTTPClass::GetProperty(const std::string&, TCIMContext) const
{
    NotServedYet();
}

void TCimHTTPClass::EnumerateStaticProperties(TPropertyCallback, TCIMContext) const
{
    NotServedYet();
}

boost::shared_ptr<ICIMInstance> TCimHTTPClass::AllocateInstance(TCIMContext)
{
    NotServedYet();
}

void TCimHTTPClass::EnumerateInstances(TInstanceCallback, bool, TCIMContext)
{
    NotServedYet();
}

TCIMValue TCimHTTPClass::InvokeMethod(const std::string&, TCIMContext&, TCIMContext)
{
    NotServedYet();
}

void TCimHTTPClass::AddChildClass(boost::shared_ptr<ICIMClass>, TCIMContext)
{
    NotServedYet();
}

void TCimHTTPClass::AddInstance(boost::shared_ptr<ICIMInstance>, TCIMContext)
{
    NotServedYet();
}

void TCimHTTPClass::RemoveInstance(boost::shared_ptr<ICIMInstance>, TCIMContext)
{
    NotServedYet();
}

boost::shared_ptr<ICIMInstance> TCimHTTPClass::GetInstance(const TCIMReference&, TCIMContext) const
{
    NotServedYet();
}

}  // namespace NVORNQEL20
