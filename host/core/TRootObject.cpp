#include <qel/TRootObject.h>

#include <mutex>

#include <boost/make_shared.hpp>

#include <qel/TCoreLogger.h>
#include <qel/TNamespaceProviderManager.h>

namespace NVORNQEL20 {

namespace {

std::mutex& ManagerMutex() {
    static std::mutex mutex;
    return mutex;
}

boost::shared_ptr<TNamespaceProviderManager>& ManagerSlot() {
    static boost::shared_ptr<TNamespaceProviderManager> manager = boost::make_shared<TNamespaceProviderManager>();
    return manager;
}

}  // namespace

boost::shared_ptr<TCoreLogger> TRootObject::GetCoreLogger() {
    static const boost::shared_ptr<TCoreLogger> logger = boost::make_shared<TCoreLogger>();
    return logger;
}

boost::shared_ptr<TNamespaceProviderManager> TRootObject::GetNamespaceProviderManager() {
    std::lock_guard<std::mutex> lock(ManagerMutex());
    return ManagerSlot();
}

void TRootObject::SetNamespaceProviderManager(boost::shared_ptr<TNamespaceProviderManager> manager) {
    std::lock_guard<std::mutex> lock(ManagerMutex());
    ManagerSlot() = manager;
}

}  // namespace NVORNQEL20
