#include <qel/TNamespaceProviderManager.h>

#include <dlfcn.h>

#include <algorithm>

#include <qel/INamespaceProvider.h>
#include <qel/TCoreLogger.h>
#include <qel/TQELException.h>
#include <qel/TRootObject.h>

namespace NVORNQEL20 {

namespace {

const std::string& ProviderName(const boost::shared_ptr<INamespaceProvider>& provider) {
    return provider->GetName(TCIMContext());
}

[[noreturn]] void FailToLoad(const std::string& path, const char* loaderMessage) {
    const std::string detail = "provider library '" + path + "': " + (loaderMessage ? loaderMessage : "unknown error");
    TRootObject::GetCoreLogger()->Log(0, "Host: cannot load " + detail);
    throw TQELException(TQELStatusCode::eLibraryLoadFailed, detail);
}

}  // namespace

const char* const TNamespaceProviderManager::kEntryPointName = "QELInitializeProvider";

void TNamespaceProviderManager::RegisterProvider(boost::shared_ptr<INamespaceProvider> provider) {
    if (!provider) {
        return;
    }
    const std::string& name = ProviderName(provider);
    std::lock_guard<std::mutex> lock(fMutex);
    fProviders.erase(std::remove_if(fProviders.begin(), fProviders.end(),
                                    [&name](const boost::shared_ptr<INamespaceProvider>& registered) {
                                        return ProviderName(registered) == name;
                                    }),
                     fProviders.end());
    fProviders.push_back(provider);
}

// The library is never closed: the providers it registered, and every
// object they made, run its code for as long as the process lives.
int TNamespaceProviderManager::LoadProviderLibrary(const std::string& path) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        FailToLoad(path, dlerror());
    }
    dlerror();
    void* symbol = dlsym(library, kEntryPointName);
    if (!symbol) {
        FailToLoad(path, dlerror());
    }
    return reinterpret_cast<TProviderEntryPoint>(symbol)();
}

boost::shared_ptr<INamespaceProvider> TNamespaceProviderManager::FindProvider(const std::string& name) const {
    std::lock_guard<std::mutex> lock(fMutex);
    for (const boost::shared_ptr<INamespaceProvider>& provider : fProviders) {
        if (ProviderName(provider) == name) {
            return provider;
        }
    }
    return boost::shared_ptr<INamespaceProvider>();
}

std::vector<boost::shared_ptr<INamespaceProvider>> TNamespaceProviderManager::GetProviders() const {
    std::lock_guard<std::mutex> lock(fMutex);
    return fProviders;
}

}  // namespace NVORNQEL20
