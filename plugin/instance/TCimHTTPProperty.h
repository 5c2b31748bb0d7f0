#ifndef CIMHTTP_INSTANCE_TCIMHTTPPROPERTY_H
#define CIMHTTP_INSTANCE_TCIMHTTPPROPERTY_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMProperty.h>
#include <qel/ICIMPropertyDecl.h>

namespace NVORNQEL20 {

// The value of one property, bound to its declaration (held weakly: the
// declaration must outlive the property for everything but
// GetDeclaration). Without a value of its own the property shows the
// declaration's default. It can remember a previous value, and it renders
// its values as display text steered by the declaration's qualifiers
// (Values/ValueMap, NULLDISPLAY, BASE, UNITS, DISPLAYFIXEDUNITS,
// ABBREVIATEUNITS).
class TCimHTTPProperty : public ICIMProperty {
public:
    // One row of a value map: the codes lower..upper (inclusive) show text.
    struct TValueMapEntry {
        unsigned long long fLowerBound;
        unsigned long long fUpperBound;
        std::string fText;
    };
    typedef std::vector<TValueMapEntry> TValueMap;

    // An upper bound that leaves the entry open toward larger codes.
    static constexpr unsigned long long kOpenUpperBound = ~0ULL;

    explicit TCimHTTPProperty(boost::shared_ptr<ICIMPropertyDecl const> declaration);
    // Throws like SetValue for a value that does not fit the declaration.
    TCimHTTPProperty(boost::shared_ptr<ICIMPropertyDecl const> declaration, const TCIMValue& value);
    // Bound to other's declaration; takes other's value unless it is null.
    // The previous value is not copied.
    explicit TCimHTTPProperty(boost::shared_ptr<ICIMProperty const> other);
    ~TCimHTTPProperty() override;

    TCIMValue::TCIMType GetType(TCIMContext context) const override;
    bool IsArray(TCIMContext context) const override;
    // Both true exactly while the property has no value of its own.
    bool IsDefaultValue(TCIMContext context) const override;
    const TCIMValue& GetValue(TCIMContext context) const override;
    // A value whose type number differs from the declaration's, or a
    // reference to a class that is not a subclass of the declared one, is
    // logged at level 0 and refused with TQELException, status 14; the
    // property stays as it was.
    void SetValue(const TCIMValue& value, TCIMContext context) override;
    bool GetPropagated(TCIMContext context) const override;
    // Empty once the declaration is gone.
    boost::shared_ptr<ICIMPropertyDecl const> GetDeclaration(TCIMContext context) const override;
    // The same declaration object and equal values.
    bool operator==(const ICIMProperty& other) const override;
    // By the address of the declaration, then by value.
    bool operator<(const ICIMProperty& other) const override;
    // Copies nothing.
    ICIMProperty& operator=(const ICIMProperty& other) override;
    // The current value until a previous value is recorded.
    const TCIMValue& GetPrevValue() const override;
    // A null value is recorded unchecked; any other is checked as by SetValue.
    void SetPrevValue(const TCIMValue& value) override;
    // Records a null value of no type.
    void SetPrevValue() override;
    // True once a previous value has been recorded.
    bool IsPrevValueDifferent() const override;

    // Display texts. A code of an unsigned or boolean property shows its
    // Values text; everything else goes through ToStringWithQualifiers.
    std::string ToString() const override;
    std::string PrevValueToString() const override;
    // One text per element (one for a scalar).
    std::vector<std::string> ToStringVector() const override;
    std::vector<std::string> ToStringVectorWithBase() const;
    // NULLDISPLAY for a null; unsigned counts scaled by their UNITS (bytes,
    // bits and rates by 1024 or 1000, seconds as a duration); anything else
    // as ToStringWithBase.
    std::string ToStringWithQualifiers(const TCIMValue& value) const;
    // The value's text in the radix of a uint8 BASE qualifier, else decimal.
    std::string ToStringWithBase(const TCIMValue& value) const;
    // The table of the Values and ValueMap qualifiers and the text of
    // codes no entry covers; false when there is no usable table.
    bool BuildValueMapEntryArray(TValueMap& table, std::string& defaultText) const;
    // The text of the first entry covering the value; else the default
    // text, else the decimal number. A value that is neither boolean nor
    // unsigned throws TQELException, status 1.
    std::string LookupInTable(const TCIMValue& value, const TValueMap& table, const std::string& defaultText) const;

private:
    boost::shared_ptr<ICIMPropertyDecl const> Declaration() const;
    void CheckAgainstDeclaration(const TCIMValue& value, const char* operation) const;

    boost::weak_ptr<ICIMPropertyDecl const> fDeclaration;
    std::optional<TCIMValue> fValue;
    std::unique_ptr<TCIMValue> fPrevValue;
    bool fPrevValueSet;
};

}  // namespace NVORNQEL20

#endif
