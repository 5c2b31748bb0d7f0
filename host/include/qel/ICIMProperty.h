#ifndef QEL_ICIMPROPERTY_H
#define QEL_ICIMPROPERTY_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMPropertyDecl;

// The value of one property of an instance (or a static property of a class),
// bound to its declaration; it also remembers a previous value.
class ICIMProperty {
public:
    virtual ~ICIMProperty() = default;
    virtual TCIMValue::TCIMType GetType(TCIMContext context) const = 0;
    virtual bool IsArray(TCIMContext context) const = 0;
    // True while the property shows its declaration's default value.
    virtual bool IsDefaultValue(TCIMContext context) const = 0;
    virtual const TCIMValue& GetValue(TCIMContext context) const = 0;
    // Throws TQELException, status 14, for a value that does not fit the declaration.
    virtual void SetValue(const TCIMValue& value, TCIMContext context) = 0;
    virtual bool GetPropagated(TCIMContext context) const = 0;
    // Empty once the declaration is gone.
    virtual boost::shared_ptr<ICIMPropertyDecl const> GetDeclaration(TCIMContext context) const = 0;
    virtual bool operator==(const ICIMProperty& other) const = 0;
    virtual bool operator<(const ICIMProperty& other) const = 0;
    virtual ICIMProperty& operator=(const ICIMProperty& other) = 0;
    // The previous value: the current one until a previous value is recorded.
    virtual const TCIMValue& GetPrevValue() const = 0;
    virtual void SetPrevValue(const TCIMValue& value) = 0;
    // Records a null previous value.
    virtual void SetPrevValue() = 0;
    // True once a previous value has been recorded.
    virtual bool IsPrevValueDifferent() const = 0;
    // Display texts of the current value, the previous value and the elements.
    virtual std::string ToString() const = 0;
    virtual std::string PrevValueToString() const = 0;
    virtual std::vector<std::string> ToStringVector() const = 0;
};

}  // namespace NVORNQEL20

#endif
