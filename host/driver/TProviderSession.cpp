#include <qel/TProviderSession.h>

#include <boost/make_shared.hpp>

#include <qel/INamespaceProvider.h>
#include <qel/TInmemNamespace.h>
#include <qel/TNamespaceProviderManager.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>
#include <qel/TUnionNamespace.h>
#include <qel/TVORNCNamespace.h>

namespace NVORNQEL20 {

namespace {

boost::shared_ptr<INamespaceProvider> LoadProvider(const std::string& libraryPath, const std::string& providerName) {
    boost::shared_ptr<TNamespaceProviderManager> manager = TRootObject::GetNamespaceProviderManager();
    if (!manager) {
        throw TQELException(TQELStatusCode::eNotFound, "no namespace provider manager to load " + libraryPath);
    }
    const int status = manager->LoadProviderLibrary(libraryPath);
    if (status != TQELStatusCode::eSuccess) {
        throw TQELException(status, "provider library '" + libraryPath + "' failed to initialise");
    }
    boost::shared_ptr<INamespaceProvider> provider = manager->FindProvider(providerName);
    if (!provider) {
        throw TQELException(TQELStatusCode::eNotFound,
                            "provider library '" + libraryPath + "' registered no provider " + providerName);
    }
    return provider;
}

boost::shared_ptr<ICIMNamespace> AllocateNamespace(const TProviderSession::TOptions& options) {
    boost::shared_ptr<ICIMNamespace> nameSpace = LoadProvider(options.fLibraryPath, options.fProviderName)
                                                     ->AllocateNamespace(options.fContext, options.fReplaceDuplicates,
                                                                         options.fNamespaceName);
    if (!nameSpace) {
        throw TQELException(TQELStatusCode::eNotFound,
                            "provider " + options.fProviderName + " made no namespace " + options.fNamespaceName);
    }
    return nameSpace;
}

boost::shared_ptr<ICIMNamespace> LocalOrNew(const boost::shared_ptr<ICIMNamespace>& local) {
    return local ? local : boost::make_shared<TInmemNamespace>();
}

}  // namespace

TProviderSession::TProviderSession(const TOptions& options, const TPrepareStep& prepare)
    : fLocal(LocalOrNew(options.fLocalNamespace)),
      fNamespace(AllocateNamespace(options)),
      fUnion(boost::make_shared<TUnionNamespace>()),
      fUpcall(boost::make_shared<TVORNCNamespace>(fUnion)) {
    fUnion->AddUnderlyingNamespace(fLocal, TCIMContext());
    fUnion->AddUnderlyingNamespace(fNamespace, TCIMContext());
    fNamespace->SetUpcallNamespace(fUpcall, TCIMContext());
    if (prepare) {
        prepare(fNamespace);
    }
}

boost::shared_ptr<ICIMNamespace> TProviderSession::GetNamespace() const { return fNamespace; }

boost::shared_ptr<TVORNCNamespace> TProviderSession::GetUpcallNamespace() const { return fUpcall; }

boost::shared_ptr<TUnionNamespace> TProviderSession::GetUnionNamespace() const { return fUnion; }

boost::shared_ptr<ICIMNamespace> TProviderSession::GetLocalNamespace() const { return fLocal; }

}  // namespace NVORNQEL20
