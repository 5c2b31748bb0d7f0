#ifndef QEL_TINMEMNAMESPACE_H
#define QEL_TINMEMNAMESPACE_H

#include <map>
#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMNamespace.h>

namespace NVORNQEL20 {

// A namespace held in memory: classes and qualifier declarations by
// lower-case name, instances in their classes. Create it with
// boost::make_shared; it hands out pointers to itself.
class TInmemNamespace : public ICIMNamespace, public boost::enable_shared_from_this<TInmemNamespace> {
public:
    // Made directly, not by a provider: empty.
    boost::shared_ptr<INamespaceProvider> GetNamespaceProvider(TCIMContext context) const override;
    void SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext context) override;
    // An in-memory namespace stands on its own: status 31.
    void AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace> underlying, TCIMContext context) override;
    // Throws TQELException, status 25, for an invalid name.
    boost::shared_ptr<ICIMClass> AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass> parent,
                                               TCIMContext context) override;
    boost::shared_ptr<ICIMClass> GetClass(const std::string& name, TCIMContext context) override;
    // The classes without a superclass, in name order.
    void EnumerateRootClasses(TClassCallback callback, TCIMContext context) override;
    // No providers stand behind it: calls nothing.
    void EnumerateProviders(TProviderCallback callback, TCIMContext context) override;
    boost::shared_ptr<ICIMQualifierDecl> AllocateQualifierDecl(const std::string& name,
                                                               const TCIMValue& defaultValue,
                                                               ICIMQualifierDecl::EScope scope,
                                                               ICIMQualifierDecl::EFlavor flavor,
                                                               TCIMContext context) override;
    boost::shared_ptr<ICIMQualifierDecl> GetQualifierDecl(const std::string& name,
                                                          TCIMContext context) const override;
    void EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext context) const override;
    // No indications: status 1.
    void Subscribe(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference, TCIMContext context) const override;
    // Status 15 when there is no such instance.
    void DeleteInstance(const TCIMReference& reference, TCIMContext context) override;
    // Status 15 when there is no stored instance with the same path.
    void ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    // No query language: status 1.
    void ExecuteQuery(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    void ClearInstances() override;
    ICIMNamespace& operator=(const ICIMNamespace& other) override;

    // Registration by the elements' AddToNamespace; a name already taken
    // throws TQELException, status 16.
    void AddClass(boost::shared_ptr<ICIMClass> cimClass);
    void RemoveClass(boost::shared_ptr<ICIMClass> cimClass);
    void AddQualifierDecl(boost::shared_ptr<ICIMQualifierDecl> declaration);
    void RemoveQualifierDecl(const std::string& name);

private:
    boost::shared_ptr<ICIMClass> ClassOf(const TCIMReference& reference) const;

    boost::weak_ptr<ICIMNamespace> fUpcall;
    std::map<std::string, boost::shared_ptr<ICIMClass>> fClasses;
    std::map<std::string, boost::shared_ptr<ICIMQualifierDecl>> fQualifierDecls;
};

}  // namespace NVORNQEL20

#endif
