#ifndef QEL_TNAMESPACEPROVIDERMANAGER_H
#define QEL_TNAMESPACEPROVIDERMANAGER_H

#include <mutex>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/INamespaceProviderManager.h>

namespace NVORNQEL20 {

class INamespaceProvider;

// Signature of the entry point a provider library exports as
// extern "C" int QELInitializeProvider(): it registers the library's
// providers and returns the status of its initialisation.
typedef int (*TProviderEntryPoint)();

// The host's registry of namespace providers; it also loads provider libraries.
class TNamespaceProviderManager : public INamespaceProviderManager {
public:
    static const char* const kEntryPointName;

    // A provider of a name already registered replaces the earlier one.
    void RegisterProvider(boost::shared_ptr<INamespaceProvider> provider) override;

    // Loads the library (it stays loaded for the life of the process), calls
    // its entry point and returns the entry point's status. A library that
    // cannot be loaded or lacks the entry point throws TQELException, status
    // 43, with the loader's message as detail.
    int LoadProviderLibrary(const std::string& path);

    // The provider of that name (exact), or empty.
    boost::shared_ptr<INamespaceProvider> FindProvider(const std::string& name) const;
    std::vector<boost::shared_ptr<INamespaceProvider>> GetProviders() const;

private:
    mutable std::mutex fMutex;
    std::vector<boost::shared_ptr<INamespaceProvider>> fProviders;
};

}  // namespace NVORNQEL20

#endif
