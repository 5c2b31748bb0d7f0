#ifndef CIMHTTP_SCHEMA_TCIMHTTPQUALIFIERDECL_H
#define CIMHTTP_SCHEMA_TCIMHTTPQUALIFIERDECL_H

#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMQualifierDecl.h>

namespace NVORNQEL20 {

class TCimHTTPNamespace;

// The declaration of a qualifier in a remote namespace: its type is that of
// its default value. The namespace is held weakly, so a declaration never
// keeps it alive. Created only inside a shared pointer.
class TCimHTTPQualifierDecl : public ICIMQualifierDecl,
                              public boost::enable_shared_from_this<TCimHTTPQualifierDecl> {
public:
    TCimHTTPQualifierDecl(boost::shared_ptr<TCimHTTPNamespace> nameSpace, const std::string& name,
                          const TCIMValue& defaultValue, EScope scope, EFlavor flavor);
    ~TCimHTTPQualifierDecl() override;

    void Validate(TCIMContext context) const override;
    // Caches this declaration in its namespace; bad_weak_ptr once the
    // namespace is gone.
    void AddToNamespace(TCIMContext context) override;
    void RemoveQualifierDecl(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMNamespace> GetNamespace(TCIMContext context) const override;
    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;
    const TCIMValue& GetDefaultValue(TCIMContext context) const override;
    void SetDefaultValue(const TCIMValue& value, TCIMContext context) override;
    EScope GetScope(TCIMContext context) const override;
    void SetFlavor(EFlavor flavor, TCIMContext context) override;
    void UnsetFlavor(EFlavor flavor, TCIMContext context) override;
    EFlavor GetFlavor(TCIMContext context) const override;
    // By normalized name only.
    bool operator==(const ICIMQualifierDecl& other) const override;
    bool operator<(const ICIMQualifierDecl& other) const override;
    // Copies nothing.
    ICIMQualifierDecl& operator=(const ICIMQualifierDecl& other) override;

private:
    boost::weak_ptr<TCimHTTPNamespace> fNamespace;
    std::string fName;
    TCIMValue fDefaultValue;
    EScope fScope;
    EFlavor fFlavor;
};

}  // namespace NVORNQEL20

#endif
