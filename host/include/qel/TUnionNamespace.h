#ifndef QEL_TUNIONNAMESPACE_H
#define QEL_TUNIONNAMESPACE_H

#include <set>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMNamespace.h>

namespace NVORNQEL20 {

// The union of the namespaces added with AddUnderlyingNamespace: a name is
// answered by the first of them (in the order added) that knows it. It holds
// no classes of its own, so it allocates nothing.
class TUnionNamespace : public ICIMNamespace {
public:
    boost::shared_ptr<INamespaceProvider> GetNamespaceProvider(TCIMContext context) const override;
    void SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext context) override;
    // A namespace already in the union is not added twice.
    void AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace> underlying, TCIMContext context) override;
    // Status 31: allocate in one of the underlying namespaces instead.
    boost::shared_ptr<ICIMClass> AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass> parent,
                                               TCIMContext context) override;
    // Asks the underlying namespaces in order. A look-up of a name that is
    // already being looked up in this union (an underlying namespace asking
    // the union back) yields empty instead of recursing.
    boost::shared_ptr<ICIMClass> GetClass(const std::string& name, TCIMContext context) override;
    // The root classes of all underlying namespaces; a name seen once is not repeated.
    void EnumerateRootClasses(TClassCallback callback, TCIMContext context) override;
    // The providers of the underlying namespaces, each once.
    void EnumerateProviders(TProviderCallback callback, TCIMContext context) override;
    // Status 31, as AllocateClass.
    boost::shared_ptr<ICIMQualifierDecl> AllocateQualifierDecl(const std::string& name,
                                                               const TCIMValue& defaultValue,
                                                               ICIMQualifierDecl::EScope scope,
                                                               ICIMQualifierDecl::EFlavor flavor,
                                                               TCIMContext context) override;
    boost::shared_ptr<ICIMQualifierDecl> GetQualifierDecl(const std::string& name,
                                                          TCIMContext context) const override;
    void EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext context) const override;
    // Status 1.
    void Subscribe(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    // Instance operations go to the first namespace that knows the class.
    boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference, TCIMContext context) const override;
    void DeleteInstance(const TCIMReference& reference, TCIMContext context) override;
    void ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    // Status 1.
    void ExecuteQuery(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    void ClearInstances() override;
    ICIMNamespace& operator=(const ICIMNamespace& other) override;

    const std::vector<boost::shared_ptr<ICIMNamespace>>& GetUnderlyingNamespaces() const;

private:
    // The first underlying namespace that knows the class; empty when none does.
    boost::shared_ptr<ICIMNamespace> NamespaceOfClass(const std::string& className) const;
    // As NamespaceOfClass, but status 15 when none knows the class.
    boost::shared_ptr<ICIMNamespace> RequiredNamespaceOfClass(const std::string& className) const;

    boost::weak_ptr<ICIMNamespace> fUpcall;
    std::vector<boost::shared_ptr<ICIMNamespace>> fUnderlying;
    mutable std::set<std::string> fLookupsInProgress;
};

}  // namespace NVORNQEL20

#endif
