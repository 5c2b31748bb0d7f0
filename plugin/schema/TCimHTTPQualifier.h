#ifndef CIMHTTP_SCHEMA_TCIMHTTPQUALIFIER_H
#define CIMHTTP_SCHEMA_TCIMHTTPQUALIFIER_H

#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMNamedElement.h>
#include <qel/ICIMQualifier.h>

namespace NVORNQEL20 {

// One use of a qualifier declaration on a class, property, method or
// parameter, with its own value and flavor. Its name is its declaration's.
// The owner is held weakly (it holds the qualifier), the declaration
// strongly. Created only inside a shared pointer.
class TCimHTTPQualifier : public ICIMQualifier, public boost::enable_shared_from_this<TCimHTTPQualifier> {
public:
    typedef boost::shared_ptr<ICIMNamedElement const> TOwner;
    typedef boost::shared_ptr<ICIMQualifierDecl const> TDeclaration;

    // The flavor is the declaration's. The declaration must not be empty.
    TCimHTTPQualifier(TOwner owner, TDeclaration declaration, const TCIMValue& value);
    TCimHTTPQualifier(TOwner owner, TDeclaration declaration, const TCIMValue& value,
                      ICIMQualifierDecl::EFlavor flavor);
    // Declaration, value, flavor and propagated flag of the source.
    TCimHTTPQualifier(TOwner owner, const ICIMQualifier& source);
    ~TCimHTTPQualifier() override;

    void Validate(TCIMContext context) const override;
    // Attaches this qualifier to its owner; bad_weak_ptr once the owner is gone.
    void AddToClassOrProperty(TCIMContext context) override;
    void RemoveFromClassOrProperty(TCIMContext context) override;
    const std::string& GetName(TCIMContext context) const override;
    boost::shared_ptr<ICIMNamedElement const> GetClassOrProperty(TCIMContext context) const override;
    // Type and array flag of the qualifier's own value.
    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;
    boost::shared_ptr<ICIMQualifierDecl const> GetDeclaration(TCIMContext context) const override;
    const TCIMValue& GetValue(TCIMContext context) const override;
    // Each change of value or flavor clears the propagated flag.
    void SetValue(const TCIMValue& value, TCIMContext context) override;
    void SetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext context) override;
    void UnsetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext context) override;
    ICIMQualifierDecl::EFlavor GetFlavor(TCIMContext context) const override;
    // By normalized declaration name only; value and flavor take no part.
    bool operator==(const ICIMQualifier& other) const override;
    bool operator<(const ICIMQualifier& other) const override;
    bool GetPropagated(TCIMContext context) const override;
    // Copies nothing.
    ICIMQualifier& operator=(const ICIMQualifier& other) override;

    void SetPropagated(bool propagated);

private:
    boost::weak_ptr<ICIMNamedElement const> fOwner;
    TDeclaration fDeclaration;
    TCIMValue fValue;
    ICIMQualifierDecl::EFlavor fFlavor;
    bool fPropagated;
};

}  // namespace NVORNQEL20

#endif
