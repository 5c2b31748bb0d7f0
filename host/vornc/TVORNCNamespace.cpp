#include <qel/TVORNCNamespace.h>

#include <boost/make_shared.hpp>

#include <qel/TQELException.h>
#include <qel/TUnionNamespace.h>

namespace NVORNQEL20 {

namespace {

boost::shared_ptr<ICIMNamespace> Required(boost::shared_ptr<ICIMNamespace> underlying) {
    if (!underlying) {
        throw TQELException(TQELStatusCode::eInvalidValue, "a VORNC namespace needs a namespace to stand on");
    }
    return underlying;
}

}  // namespace

TVORNCNamespace::TVORNCNamespace() : fUnderlying(boost::make_shared<TUnionNamespace>()) {}

TVORNCNamespace::TVORNCNamespace(boost::shared_ptr<ICIMNamespace> underlying) : fUnderlying(Required(underlying)) {}

boost::shared_ptr<INamespaceProvider> TVORNCNamespace::GetNamespaceProvider(TCIMContext context) const {
    return fUnderlying->GetNamespaceProvider(context);
}

void TVORNCNamespace::SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext) { fUpcall = upcall; }

void TVORNCNamespace::AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace> underlying, TCIMContext context) {
    fUnderlying->AddUnderlyingNamespace(underlying, context);
}

boost::shared_ptr<ICIMClass> TVORNCNamespace::AllocateClass(const std::string& name,
                                                            boost::shared_ptr<ICIMClass> parent, TCIMContext context) {
    return fUnderlying->AllocateClass(name, parent, context);
}

boost::shared_ptr<ICIMClass> TVORNCNamespace::GetClass(const std::string& name, TCIMContext context) {
    return fUnderlying->GetClass(name, context);
}

void TVORNCNamespace::EnumerateRootClasses(TClassCallback callback, TCIMContext context) {
    fUnderlying->EnumerateRootClasses(callback, context);
}

void TVORNCNamespace::EnumerateProviders(TProviderCallback callback, TCIMContext context) {
    fUnderlying->EnumerateProviders(callback, context);
}

boost::shared_ptr<ICIMQualifierDecl> TVORNCNamespace::AllocateQualifierDecl(const std::string& name,
                                                                            const TCIMValue& defaultValue,
                                                                            ICIMQualifierDecl::EScope scope,
                                                                            ICIMQualifierDecl::EFlavor flavor,
                                                                            TCIMContext context) {
    return fUnderlying->AllocateQualifierDecl(name, defaultValue, scope, flavor, context);
}

boost::shared_ptr<ICIMQualifierDecl> TVORNCNamespace::GetQualifierDecl(const std::string& name,
                                                                       TCIMContext context) const {
    return fUnderlying->GetQualifierDecl(name, context);
}

void TVORNCNamespace::EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext context) const {
    fUnderlying->EnumerateQualifierDecls(callback, context);
}

void TVORNCNamespace::Subscribe(const std::string& query, TInstanceCallback callback, TCIMContext context) {
    fUnderlying->Subscribe(query, callback, context);
}

boost::shared_ptr<ICIMInstance> TVORNCNamespace::GetInstance(const TCIMReference& reference,
                                                             TCIMContext context) const {
    return fUnderlying->GetInstance(reference, context);
}

void TVORNCNamespace::DeleteInstance(const TCIMReference& reference, TCIMContext context) {
    fUnderlying->DeleteInstance(reference, context);
}

void TVORNCNamespace::ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) {
    fUnderlying->ModifyInstance(instance, context);
}

void TVORNCNamespace::ExecuteQuery(const std::string& query, TInstanceCallback callback, TCIMContext context) {
    fUnderlying->ExecuteQuery(query, callback, context);
}

void TVORNCNamespace::ClearInstances() { fUnderlying->ClearInstances(); }

ICIMNamespace& TVORNCNamespace::operator=(const ICIMNamespace&) { return *this; }

boost::shared_ptr<ICIMNamespace> TVORNCNamespace::GetUnderlyingNamespace() const { return fUnderlying; }

boost::shared_ptr<ICIMNamespace> TVORNCNamespace::GetUpcallNamespace() const { return fUpcall.lock(); }

}  // namespace NVORNQEL20
