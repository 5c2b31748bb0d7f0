#ifndef QEL_ICIMPROPERTYDECL_H
#define QEL_ICIMPROPERTYDECL_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMElement.h>
#include <qel/ICIMNamedElement.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMClass;

// The declaration of a property of a class; its type is its default value's.
class ICIMPropertyDecl : public ICIMNamedElement, public ICIMElement {
public:
    virtual void AddToClass(TCIMContext context) = 0;
    virtual void RemoveFromClass(TCIMContext context) = 0;
    virtual const std::string& GetName(TCIMContext context) const = 0;
    // The owning class; empty once it is gone.
    virtual boost::shared_ptr<ICIMClass> GetClass(TCIMContext context) const = 0;
    virtual TCIMValue::TCIMType GetType(TCIMContext context) const = 0;
    virtual bool IsArray(TCIMContext context) const = 0;
    virtual const TCIMValue& GetDefaultValue(TCIMContext context) const = 0;
    virtual void SetDefaultValue(const TCIMValue& value, TCIMContext context) = 0;
    virtual bool operator==(const ICIMPropertyDecl& other) const = 0;
    virtual bool operator<(const ICIMPropertyDecl& other) const = 0;
    virtual ICIMPropertyDecl& operator=(const ICIMPropertyDecl& other) = 0;
};

}  // namespace NVORNQEL20

#endif
