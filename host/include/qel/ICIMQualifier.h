#ifndef QEL_ICIMQUALIFIER_H
#define QEL_ICIMQUALIFIER_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMElement.h>
#include <qel/ICIMQualifierDecl.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMNamedElement;

// One use of a qualifier declaration on an element, with its own value and flavor.
class ICIMQualifier : public ICIMElement {
public:
    virtual void AddToClassOrProperty(TCIMContext context) = 0;
    virtual void RemoveFromClassOrProperty(TCIMContext context) = 0;
    // The declaration's name.
    virtual const std::string& GetName(TCIMContext context) const = 0;
    // The carrying element; empty once it is gone.
    virtual boost::shared_ptr<ICIMNamedElement const> GetClassOrProperty(TCIMContext context) const = 0;
    virtual TCIMValue::TCIMType GetType(TCIMContext context) const = 0;
    virtual bool IsArray(TCIMContext context) const = 0;
    virtual boost::shared_ptr<ICIMQualifierDecl const> GetDeclaration(TCIMContext context) const = 0;
    virtual const TCIMValue& GetValue(TCIMContext context) const = 0;
    virtual void SetValue(const TCIMValue& value, TCIMContext context) = 0;
    virtual void SetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext context) = 0;
    virtual void UnsetFlavor(ICIMQualifierDecl::EFlavor flavor, TCIMContext context) = 0;
    virtual ICIMQualifierDecl::EFlavor GetFlavor(TCIMContext context) const = 0;
    virtual bool operator==(const ICIMQualifier& other) const = 0;
    virtual bool operator<(const ICIMQualifier& other) const = 0;
    virtual bool GetPropagated(TCIMContext context) const = 0;
    virtual ICIMQualifier& operator=(const ICIMQualifier& other) = 0;
};

}  // namespace NVORNQEL20

#endif
