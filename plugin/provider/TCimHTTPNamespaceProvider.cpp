#include "provider/TCimHTTPNamespaceProvider.h"

#include <boost/make_shared.hpp>

#include <qel/TNamespaceProviderManager.h>
#include <qel/TRootObject.h>

#include "client/Debug.h"
#include "namespace/TCimHTTPNamespace.h"

namespace NVORNQEL20 {

namespace {
const int kProviderType = 2;
}  // namespace

// A host without a namespace-provider manager has nowhere to register the
// provider: logged, and a status other than success.
TQELStatusCode TCimHTTPNamespaceProvider::Initialize()
{
    boost::shared_ptr<TNamespaceProviderManager> manager = TRootObject::GetNamespaceProviderManager();
    if (!manager) {
        WriteLog(eLogError, "TCimHTTPNamespaceProvider: the host has no namespace provider manager");
        return TQELStatusCode(TQELStatusCode::eNotFound);
    }
    manager->RegisterProvider(GetInstance());
    return TQELStatusCode(TQELStatusCode::eSuccess);
}

boost::shared_ptr<TCimHTTPNamespaceProvider> TCimHTTPNamespaceProvider::GetInstance()
{
    static const boost::shared_ptr<TCimHTTPNamespaceProvider> instance =
        boost::make_shared<TCimHTTPNamespaceProvider>();
    return instance;
}

TCimHTTPNamespaceProvider::~TCimHTTPNamespaceProvider() = default;

const std::string& TCimHTTPNamespaceProvider::GetName(TCIMContext) const
{
    static const std::string name("cimhttp");
    return name;
}

// A namespace whose initialization throws is released on the way out.
boost::shared_ptr<ICIMNamespace> TCimHTTPNamespaceProvider::AllocateNamespace(TCIMContext context,
                                                                              bool replaceDuplicates,
                                                                              std::string name) const
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = boost::make_shared<TCimHTTPNamespace>(replaceDuplicates, name);
    nameSpace->Initialize(context);
    return nameSpace;
}

int TCimHTTPNamespaceProvider::GetType(TCIMContext) const
{
    return kProviderType;
}

bool TCimHTTPNamespaceProvider::IsIndicationsSupported(TCIMContext) const
{
    return false;
}

}  // namespace NVORNQEL20
