#ifndef QEL_INMEM_TINMEMQUALIFIERDECL_H
#define QEL_INMEM_TINMEMQUALIFIERDECL_H

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMQualifierDecl.h>

namespace NVORNQEL20 {

class TInmemNamespace;

// A qualifier declaration of an in-memory namespace (held weakly).
class TInmemQualifierDecl : public ICIMQualifierDecl, public boost::enable_shared_from_this<TInmemQualifierDecl> {
public:
    TInmemQualifierDecl(boost::shared_ptr<TInmemNamespace> nameSpace, const std::string& name,
                        const TCIMValue& defaultValue, EScope scope, EFlavor flavor);

    void Validate(TCIMContext context) const override;
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
    bool operator==(const ICIMQualifierDecl& other) const override;
    bool operator<(const ICIMQualifierDecl& other) const override;
    ICIMQualifierDecl& operator=(const ICIMQualifierDecl& other) override;

private:
    boost::weak_ptr<TInmemNamespace> fNamespace;
    std::string fName;
    TCIMValue fDefaultValue;
    EScope fScope;
    EFlavor fFlavor;
};

}  // namespace NVORNQEL20

#endif
