#ifndef QEL_TROOTOBJECT_H
#define QEL_TROOTOBJECT_H

#include <boost/shared_ptr.hpp>

namespace NVORNQEL20 {

class TCoreLogger;
class TNamespaceProviderManager;

// The host's process-wide services.
class TRootObject {
public:
    static boost::shared_ptr<TCoreLogger> GetCoreLogger();
    // Empty only after SetNamespaceProviderManager with an empty pointer.
    static boost::shared_ptr<TNamespaceProviderManager> GetNamespaceProviderManager();
    // Replaces the process's manager (a host without one passes empty).
    static void SetNamespaceProviderManager(boost::shared_ptr<TNamespaceProviderManager> manager);
};

}  // namespace NVORNQEL20

#endif
