#ifndef QEL_ICIMQUALIFIERDECL_H
#define QEL_ICIMQUALIFIERDECL_H

#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMElement.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMNamespace;

// The declaration of a qualifier in a namespace: its type (that of its
// default value), the elements it may be used on and its default flavor.
class ICIMQualifierDecl : public ICIMElement {
public:
    // Bit set of the element kinds a qualifier may be used on.
    enum EScope : int {
        eScopeNone = 0,
        eScopeClass = 1,
        eScopeAssociation = 2,
        eScopeIndication = 4,
        eScopeProperty = 8,
        eScopeReference = 16,
        eScopeMethod = 32,
        eScopeParameter = 64,
        eScopeAny = 127
    };

    // Bit set of qualifier flavors.
    enum EFlavor : int {
        eFlavorNone = 0,
        eFlavorEnableOverride = 1,
        eFlavorToSubclass = 2,
        eFlavorDefaults = 3,  // enable override and to subclass
        eFlavorTranslatable = 4
    };

    virtual void AddToNamespace(TCIMContext context) = 0;
    virtual void RemoveQualifierDecl(TCIMContext context) = 0;
    virtual const std::string& GetName(TCIMContext context) const = 0;
    virtual boost::shared_ptr<ICIMNamespace> GetNamespace(TCIMContext context) const = 0;
    virtual TCIMValue::TCIMType GetType(TCIMContext context) const = 0;
    virtual bool IsArray(TCIMContext context) const = 0;
    virtual const TCIMValue& GetDefaultValue(TCIMContext context) const = 0;
    virtual void SetDefaultValue(const TCIMValue& value, TCIMContext context) = 0;
    virtual EScope GetScope(TCIMContext context) const = 0;
    virtual void SetFlavor(EFlavor flavor, TCIMContext context) = 0;
    virtual void UnsetFlavor(EFlavor flavor, TCIMContext context) = 0;
    virtual EFlavor GetFlavor(TCIMContext context) const = 0;
    virtual bool operator==(const ICIMQualifierDecl& other) const = 0;
    virtual bool operator<(const ICIMQualifierDecl& other) const = 0;
    virtual ICIMQualifierDecl& operator=(const ICIMQualifierDecl& other) = 0;
};

}  // namespace NVORNQEL20

#endif
