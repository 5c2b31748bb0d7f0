#ifndef QEL_INAMESPACEPROVIDERMANAGER_H
#define QEL_INAMESPACEPROVIDERMANAGER_H

#include <boost/shared_ptr.hpp>

namespace NVORNQEL20 {

class INamespaceProvider;

// Where namespace providers offer themselves to the host.
class INamespaceProviderManager {
public:
    virtual ~INamespaceProviderManager() = default;
    virtual void RegisterProvider(boost::shared_ptr<INamespaceProvider> provider) = 0;
};

}  // namespace NVORNQEL20

#endif
