#ifndef QEL_INAMESPACEPROVIDER_H
#define QEL_INAMESPACEPROVIDER_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/IProvider.h>
#include <qel/TCIMContext.h>

namespace NVORNQEL20 {

class ICIMNamespace;

// A plug-in that makes namespaces of its kind; registered with the
// namespace-provider manager when its library is loaded.
class INamespaceProvider : public IProvider {
public:
    virtual boost::shared_ptr<ICIMNamespace> AllocateNamespace(TCIMContext context, bool replaceDuplicates,
                                                               std::string name) const = 0;
    virtual int GetType(TCIMContext context) const = 0;
    virtual bool IsIndicationsSupported(TCIMContext context) const = 0;
};

}  // namespace NVORNQEL20

#endif
