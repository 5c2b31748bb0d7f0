// A namespace provider library as the host loads it, for the provider-manager tests.
#include <string>

#include <boost/make_shared.hpp>

#include <qel/INamespaceProvider.h>
#include <qel/TInmemNamespace.h>
#include <qel/TNamespaceProviderManager.h>
#include <qel/TRootObject.h>

using namespace NVORNQEL20;

namespace {

class THostTestProvider : public INamespaceProvider {
public:
    const std::string& GetName(TCIMContext) const override {
        static const std::string name("hosttest");
        return name;
    }
    boost::shared_ptr<ICIMNamespace> AllocateNamespace(TCIMContext, bool, std::string) const override {
        return boost::make_shared<TInmemNamespace>();
    }
    int GetType(TCIMContext) const override { return 7; }
    bool IsIndicationsSupported(TCIMContext) const override { return false; }
};

}  // namespace

extern "C" int QELInitializeProvider() {
    TRootObject::GetNamespaceProviderManager()->RegisterProvider(boost::make_shared<THostTestProvider>());
    return 0;
}
