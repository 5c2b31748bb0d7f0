#ifndef QEL_ICIMNAMESPACE_H
#define QEL_ICIMNAMESPACE_H

#include <string>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMQualifierDecl.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMReference.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMClass;
class ICIMInstance;
class INamespaceProvider;
class IProvider;

// A CIM namespace: classes and qualifier declarations by (case-insensitive)
// name, and the instances of its classes.
class ICIMNamespace {
public:
    typedef boost::function<bool(boost::shared_ptr<ICIMClass>)> TClassCallback;
    typedef boost::function<bool(boost::shared_ptr<IProvider>)> TProviderCallback;
    typedef boost::function<bool(boost::shared_ptr<ICIMQualifierDecl>)> TQualifierDeclCallback;
    typedef boost::function<bool(boost::shared_ptr<ICIMInstance>)> TInstanceCallback;

    virtual ~ICIMNamespace() = default;
    // Empty for namespaces that no provider made.
    virtual boost::shared_ptr<INamespaceProvider> GetNamespaceProvider(TCIMContext context) const = 0;
    // The namespace the host asks on this one's behalf (held weakly).
    virtual void SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext context) = 0;
    virtual void AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace> underlying, TCIMContext context) = 0;
    // A new class of this namespace (an empty parent makes a top-level
    // class), added by the class's AddToNamespace.
    virtual boost::shared_ptr<ICIMClass> AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass> parent,
                                                       TCIMContext context) = 0;
    // The class, or empty.
    virtual boost::shared_ptr<ICIMClass> GetClass(const std::string& name, TCIMContext context) = 0;
    virtual void EnumerateRootClasses(TClassCallback callback, TCIMContext context) = 0;
    virtual void EnumerateProviders(TProviderCallback callback, TCIMContext context) = 0;
    // A new declaration of this namespace, added by its AddToNamespace.
    virtual boost::shared_ptr<ICIMQualifierDecl> AllocateQualifierDecl(const std::string& name,
                                                                       const TCIMValue& defaultValue,
                                                                       ICIMQualifierDecl::EScope scope,
                                                                       ICIMQualifierDecl::EFlavor flavor,
                                                                       TCIMContext context) = 0;
    // The declaration, or empty.
    virtual boost::shared_ptr<ICIMQualifierDecl> GetQualifierDecl(const std::string& name,
                                                                  TCIMContext context) const = 0;
    virtual void EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext context) const = 0;
    // Indications of the instances the query selects go to the callback.
    virtual void Subscribe(const std::string& query, TInstanceCallback callback, TCIMContext context) = 0;
    // The instance the reference names, or empty.
    virtual boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference,
                                                        TCIMContext context) const = 0;
    virtual void DeleteInstance(const TCIMReference& reference, TCIMContext context) = 0;
    // Gives the stored instance with the same path the values of this one.
    virtual void ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) = 0;
    virtual void ExecuteQuery(const std::string& query, TInstanceCallback callback, TCIMContext context) = 0;
    virtual void ClearInstances() = 0;
    virtual ICIMNamespace& operator=(const ICIMNamespace& other) = 0;
};

}  // namespace NVORNQEL20

#endif
