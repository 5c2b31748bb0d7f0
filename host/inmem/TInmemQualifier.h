#ifndef QEL_INMEM_TINMEMQUALIFIER_H
#define QEL_INMEM_TINMEMQUALIFIER_H

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMNamedElement.h>
#include <qel/ICIMQualifier.h>

namespace NVORNQEL20 {

// A qualifier of an in-memory element; the element is held weakly.
class TInmemQualifier : public ICIMQualifier, public boost::enable_shared_from_this<TInmemQualifier> {
public:
    TInmemQualifier(boost::shared_ptr<ICIMNamedElement const> owner,
                    boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value,
                    ICIMQualifierDecl::EFlavor flavor);

    void Validate(TCIMContext context) const override;
    void AddToClassOrProperty(TCIMContext context) override;
    // Elements offer no way to detach a qualifier; it stays where it is.
    void RemoveFromClassOrProperty(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMNamedElement const> GetClassOrProperty(TCIMContext context) const override;
    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;
    boost::shared_ptr<ICIMQualifierDecl const> GetDeclaration(TCIMContext context) const override;
    const TCIMValue& GetValue(TCIMContext context) const override;
    void SetValue(const TCIMValue& value, TCIMContext context) override;
    void SetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext context) override;
    void UnsetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext context) override;
    ICIMQualifierDecl::EFlavor GetFlavor(TCIMContext context) const override;
    bool operator==(const ICIMQualifier& other) const override;
    bool operator<(const ICIMQualifier& other) const override;
    bool GetPropagated(TCIMContext context) const override;
    ICIMQualifier& operator=(const ICIMQualifier& other) override;

private:
    boost::weak_ptr<ICIMNamedElement const> fOwner;
    boost::shared_ptr<ICIMQualifierDecl const> fDeclaration;
    TCIMValue fValue;
    ICIMQualifierDecl::EFlavor fFlavor;
    bool fPropagated;
};

}  // namespace NVORNQEL20

#endif
