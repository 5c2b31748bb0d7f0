#ifndef QEL_TINMEMPROPERTY_H
#define QEL_TINMEMPROPERTY_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMProperty.h>
#include <qel/ICIMPropertyDecl.h>

namespace NVORNQEL20 {

// A property value of an in-memory instance or class, checked against its
// declaration (held weakly: the declaration must outlive the property).
class TInmemProperty : public ICIMProperty {
public:
    explicit TInmemProperty(boost::weak_ptr<ICIMPropertyDecl const> declaration);

    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;
    bool IsDefaultValue(TCIMContext context) const override;
    const TCIMValue& GetValue(TCIMContext context) const override;
    // The value must have the declared type (a null value of no type stands
    // for a null of the declared type); a reference must point to a subclass
    // of the declared referenced class when both are known, by the superclass
    // chain (TInmemClassChain). Otherwise the
    // mismatch is logged at level 0 and TQELException, status 14, thrown.
    void SetValue(const TCIMValue& value, TCIMContext context) override;
    bool GetPropagated(TCIMContext context) const override;
    boost::shared_ptr<ICIMPropertyDecl const> GetDeclaration(TCIMContext context) const override;
    // Same declaration object and equal values; ordered by declaration, then value.
    bool operator==(const ICIMProperty& other) const override;
    bool operator<(const ICIMProperty& other) const override;
    // Takes the other's own value, if it has one.
    ICIMProperty& operator=(const ICIMProperty& other) override;
    const TCIMValue& GetPrevValue() const override;
    // Null values are recorded unchecked; others are checked as in SetValue.
    void SetPrevValue(const TCIMValue& value) override;
    void SetPrevValue() override;
    bool IsPrevValueDifferent() const override;
    std::string ToString() const override;
    std::string PrevValueToString() const override;
    // One text per element; one text for a scalar.
    std::vector<std::string> ToStringVector() const override;

private:
    boost::shared_ptr<ICIMPropertyDecl const> Declaration() const;
    // Throws for a value that does not fit the declaration; the typed null
    // that stands for a null of no type, else nothing (the value fits as it is).
    std::optional<TCIMValue> Check(const TCIMValue& value, const char* operation) const;

    boost::weak_ptr<ICIMPropertyDecl const> fDeclaration;
    std::optional<TCIMValue> fValue;
    // Few properties ever get one: held apart, so that the others stay small.
    std::unique_ptr<TCIMValue> fPrevValue;
};

}  // namespace NVORNQEL20

#endif
