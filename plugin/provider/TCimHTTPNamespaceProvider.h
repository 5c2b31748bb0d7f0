#ifndef CIMHTTP_PROVIDER_TCIMHTTPNAMESPACEPROVIDER_H
#define CIMHTTP_PROVIDER_TCIMHTTPNAMESPACEPROVIDER_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/INamespaceProvider.h>
#include <qel/TQELStatusCode.h>

namespace NVORNQEL20 {

// The plug-in's entry object, one per process: the host asks it for
// namespaces whose content lives on remote CIM servers. Stateless; every
// namespace it makes lives as long as the host holds it.
class TCimHTTPNamespaceProvider : public INamespaceProvider {
public:
    // Registers the provider with the host's namespace-provider manager.
    static TQELStatusCode Initialize();
    static boost::shared_ptr<TCimHTTPNamespaceProvider> GetInstance();

    ~TCimHTTPNamespaceProvider() override;

    // "cimhttp", whatever the context.
    const std::string& GetName(TCIMContext context) const override;
    // A new namespace, initialized from the context; the flag makes
    // duplicate definitions replace cached ones, the name is the CIM
    // namespace on the server.
    boost::shared_ptr<ICIMNamespace> AllocateNamespace(TCIMContext context, bool replaceDuplicates,
                                                       std::string name) const override;
    int GetType(TCIMContext context) const override;
    bool IsIndicationsSupported(TCIMContext context) const override;
};

}  // namespace NVORNQEL20

#endif
