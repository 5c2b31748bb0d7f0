#ifndef QEL_TVORNCNAMESPACE_H
#define QEL_TVORNCNAMESPACE_H

#include <string>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMNamespace.h>

namespace NVORNQEL20 {

// The namespace the host hands to providers as their upcall namespace: a
// layer over another namespace (by default a new, empty TUnionNamespace) to
// which every operation goes, except that it keeps its own upcall namespace.
class TVORNCNamespace : public ICIMNamespace {
public:
    TVORNCNamespace();
    // Throws TQELException (invalid value) for an empty namespace.
    explicit TVORNCNamespace(boost::shared_ptr<ICIMNamespace> underlying);

    boost::shared_ptr<INamespaceProvider> GetNamespaceProvider(TCIMContext context) const override;
    void SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext context) override;
    void AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace> underlying, TCIMContext context) override;
    boost::shared_ptr<ICIMClass> AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass> parent,
                                               TCIMContext context) override;
    boost::shared_ptr<ICIMClass> GetClass(const std::string& name, TCIMContext context) override;
    void EnumerateRootClasses(TClassCallback callback, TCIMContext context) override;
    void EnumerateProviders(TProviderCallback callback, TCIMContext context) override;
    boost::shared_ptr<ICIMQualifierDecl> AllocateQualifierDecl(const std::string& name,
                                                               const TCIMValue& defaultValue,
                                                               ICIMQualifierDecl::EScope scope,
                                                               ICIMQualifierDecl::EFlavor flavor,
                                                               TCIMContext context) override;
    boost::shared_ptr<ICIMQualifierDecl> GetQualifierDecl(const std::string& name,
                                                          TCIMContext context) const override;
    void EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext context) const override;
    void Subscribe(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    boost::shared_ptr<ICIMInstance> GetInstance(const TCIMReference& reference, TCIMContext context) const override;
    void DeleteInstance(const TCIMReference& reference, TCIMContext context) override;
    void ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) override;
    void ExecuteQuery(const std::string& query, TInstanceCallback callback, TCIMContext context) override;
    void ClearInstances() override;
    ICIMNamespace& operator=(const ICIMNamespace& other) override;

    // The namespace this one is layered on.
    virtual boost::shared_ptr<ICIMNamespace> GetUnderlyingNamespace() const;

    boost::shared_ptr<ICIMNamespace> GetUpcallNamespace() const;

private:
    boost::shared_ptr<ICIMNamespace> fUnderlying;
    boost::weak_ptr<ICIMNamespace> fUpcall;
};

}  // namespace NVORNQEL20

#endif
