#include <qel/TInmemNamespace.h>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <qel/ICIMInstance.h>
#include <qel/TCIMName.h>
#include <qel/TQELException.h>

#include "InmemTables.h"
#include "TInmemClass.h"
#include "TInmemQualifierDecl.h"

namespace NVORNQEL20 {

namespace {

template <typename TValue>
void AddUnique(InmemTables::TTable<TValue>& table, boost::shared_ptr<TValue> element, const char* kind) {
    if (!InmemTables::AddByName(table, element)) {
        throw TQELException(TQELStatusCode::eAlreadyExists,
                            std::string(kind) + " " + element->GetName(TCIMContext()) + " already defined");
    }
}

}  // namespace

boost::shared_ptr<INamespaceProvider> TInmemNamespace::GetNamespaceProvider(TCIMContext) const {
    return boost::shared_ptr<INamespaceProvider>();
}

void TInmemNamespace::SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext) { fUpcall = upcall; }

void TInmemNamespace::AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace>, TCIMContext) {
    throw TQELException(TQELStatusCode::eModificationNotSupported, "an in-memory namespace has no underlying ones");
}

boost::shared_ptr<ICIMClass> TInmemNamespace::AllocateClass(const std::string& name,
                                                            boost::shared_ptr<ICIMClass> parent, TCIMContext) {
    if (!TCIMName::IsValid(name)) {
        throw TQELException(TQELStatusCode::eInvalidName, "CIM name '" + name + "' is invalid");
    }
    return boost::make_shared<TInmemClass>(shared_from_this(), name, parent);
}

boost::shared_ptr<ICIMClass> TInmemNamespace::GetClass(const std::string& name, TCIMContext) {
    return InmemTables::FindByName(fClasses, name);
}

void TInmemNamespace::EnumerateRootClasses(TClassCallback callback, TCIMContext) {
    for (const auto& entry : fClasses) {
        if (!entry.second->GetSuperClass(TCIMContext()) && !callback(entry.second)) {
            return;
        }
    }
}

void TInmemNamespace::EnumerateProviders(TProviderCallback, TCIMContext) {}

boost::shared_ptr<ICIMQualifierDecl> TInmemNamespace::AllocateQualifierDecl(const std::string& name,
                                                                            const TCIMValue& defaultValue,
                                                                            ICIMQualifierDecl::EScope scope,
                                                                            ICIMQualifierDecl::EFlavor flavor,
                                                                            TCIMContext) {
    TCIMName::Normalize(name);
    return boost::make_shared<TInmemQualifierDecl>(shared_from_this(), name, defaultValue, scope, flavor);
}

boost::shared_ptr<ICIMQualifierDecl> TInmemNamespace::GetQualifierDecl(const std::string& name, TCIMContext) const {
    return InmemTables::FindByName(fQualifierDecls, name);
}

void TInmemNamespace::EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext) const {
    InmemTables::EnumerateInOrder(fQualifierDecls, callback);
}

void TInmemNamespace::Subscribe(const std::string&, TInstanceCallback, TCIMContext) {
    throw TQELException(TQELStatusCode::eNotSupported, "an in-memory namespace sends no indications");
}

boost::shared_ptr<ICIMClass> TInmemNamespace::ClassOf(const TCIMReference& reference) const {
    return InmemTables::FindByName(fClasses, reference.GetClassName());
}

boost::shared_ptr<ICIMInstance> TInmemNamespace::GetInstance(const TCIMReference& reference, TCIMContext) const {
    boost::shared_ptr<ICIMClass> cimClass = ClassOf(reference);
    return cimClass ? cimClass->GetInstance(reference, TCIMContext()) : boost::shared_ptr<ICIMInstance>();
}

void TInmemNamespace::DeleteInstance(const TCIMReference& reference, TCIMContext) {
    boost::shared_ptr<ICIMInstance> instance = GetInstance(reference, TCIMContext());
    if (!instance) {
        throw TQELException(TQELStatusCode::eNotFound, "no instance " + reference.GetPath());
    }
    instance->Delete(TCIMContext());
}

void TInmemNamespace::ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext) {
    const TCIMReference path = instance->BuildPath(TCIMContext());
    boost::shared_ptr<ICIMInstance> stored = GetInstance(path, TCIMContext());
    if (!stored) {
        throw TQELException(TQELStatusCode::eNotFound, "no instance " + path.GetPath());
    }
    stored->ModifyInstance(instance, TCIMContext());
}

void TInmemNamespace::ExecuteQuery(const std::string&, TInstanceCallback, TCIMContext) {
    throw TQELException(TQELStatusCode::eNotSupported, "an in-memory namespace runs no queries");
}

void TInmemNamespace::ClearInstances() {
    for (const auto& entry : fClasses) {
        if (auto inmemClass = boost::dynamic_pointer_cast<TInmemClass>(entry.second)) {
            inmemClass->ClearInstances();
        }
    }
}

ICIMNamespace& TInmemNamespace::operator=(const ICIMNamespace&) { return *this; }

void TInmemNamespace::AddClass(boost::shared_ptr<ICIMClass> cimClass) { AddUnique(fClasses, cimClass, "class"); }

void TInmemNamespace::RemoveClass(boost::shared_ptr<ICIMClass> cimClass) {
    fClasses.erase(TCIMName::Normalize(cimClass->GetName(TCIMContext())));
}

void TInmemNamespace::AddQualifierDecl(boost::shared_ptr<ICIMQualifierDecl> declaration) {
    AddUnique(fQualifierDecls, declaration, "qualifier");
}

void TInmemNamespace::RemoveQualifierDecl(const std::string& name) { fQualifierDecls.erase(TCIMName::Normalize(name)); }

}  // namespace NVORNQEL20
