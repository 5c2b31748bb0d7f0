#ifndef QEL_TPROVIDERSESSION_H
#define QEL_TPROVIDERSESSION_H

#include <string>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMNamespace.h>
#include <qel/TCIMContext.h>

namespace NVORNQEL20 {

class TUnionNamespace;
class TVORNCNamespace;

// One namespace of a provider library, served the way the host serves it:
// the provider manager loads the library and runs its entry point, the
// provider allocates the namespace with the host's context, and the
// namespace joins the host's layering: a VORNC namespace over a union of the
// host's local namespace and the provider's namespace, the VORNC namespace
// being the provider namespace's upcall namespace. A step of the caller's
// (a provider's own connection operations, say) then prepares the new
// namespace. The session holds the layering, which the provider's namespace
// holds only weakly.
class TProviderSession {
public:
    struct TOptions {
        std::string fLibraryPath;
        std::string fProviderName;
        std::string fNamespaceName;
        TCIMContext fContext;
        bool fReplaceDuplicates = false;
        // The host's own classes, asked before the provider's; empty: a new
        // in-memory namespace.
        boost::shared_ptr<ICIMNamespace> fLocalNamespace;
    };
    // Runs on the provider's namespace once it stands in the layering.
    typedef boost::function<void(boost::shared_ptr<ICIMNamespace>)> TPrepareStep;

    // Throws TQELException: status 43 for a library that cannot be loaded
    // or lacks the entry point, the entry point's status when it is not 0,
    // 15 when the library registered no provider of that name or the
    // provider made no namespace. What the provider and the step throw
    // passes through.
    TProviderSession(const TOptions& options, const TPrepareStep& prepare);

    // The provider's namespace.
    boost::shared_ptr<ICIMNamespace> GetNamespace() const;
    // What the host hands out: the top of the layering.
    boost::shared_ptr<TVORNCNamespace> GetUpcallNamespace() const;
    boost::shared_ptr<TUnionNamespace> GetUnionNamespace() const;
    boost::shared_ptr<ICIMNamespace> GetLocalNamespace() const;

private:
    boost::shared_ptr<ICIMNamespace> fLocal;
    boost::shared_ptr<ICIMNamespace> fNamespace;
    boost::shared_ptr<TUnionNamespace> fUnion;
    boost::shared_ptr<TVORNCNamespace> fUpcall;
};

}  // namespace NVORNQEL20

#endif
