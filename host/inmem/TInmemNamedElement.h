#ifndef QEL_INMEM_TINMEMNAMEDELEMENT_H
#define QEL_INMEM_TINMEMNAMEDELEMENT_H

#include <string>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMNamedElement.h>
#include <qel/TCIMName.h>

#include "TInmemQualifier.h"
#include "TInmemQualifierTable.h"

namespace NVORNQEL20 {

// True when the element has the qualifier with a value that reads as true.
inline bool HasTrueQualifier(const ICIMNamedElement& element, const std::string& name) {
    boost::shared_ptr<ICIMQualifier> qualifier = element.GetQualifier(name, TCIMContext());
    return qualifier && !qualifier->GetValue(TCIMContext()).IsNull() &&
           static_cast<bool>(qualifier->GetValue(TCIMContext()));
}

// What every in-memory element (class, property, method, parameter) does
// alike: its qualifiers, an empty check, comparison by case-insensitive name
// and an assignment that keeps the element as it is. TInterface is the
// element's host interface (derived from ICIMNamedElement).
template <class TInterface>
class TInmemNamedElement : public TInterface {
public:
    void Validate(TCIMContext) const override {}

    bool operator==(const TInterface& other) const override {
        return TCIMName::EqualNoCase(this->GetName(TCIMContext()), other.GetName(TCIMContext()));
    }

    bool operator<(const TInterface& other) const override {
        return TCIMName::LowerCase(this->GetName(TCIMContext())) < TCIMName::LowerCase(other.GetName(TCIMContext()));
    }

    TInterface& operator=(const TInterface&) override { return *this; }

    void AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext) override {
        fQualifiers.Add(qualifier);
    }

    boost::shared_ptr<ICIMQualifier> AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                       const TCIMValue& value, TCIMContext context) override {
        return AllocateQualifier(declaration, value, declaration->GetFlavor(TCIMContext()), context);
    }

    boost::shared_ptr<ICIMQualifier> AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                       const TCIMValue& value, ICIMQualifierDecl::EFlavor flavor,
                                                       TCIMContext) override {
        return boost::make_shared<TInmemQualifier>(SelfAsNamedElement(), declaration, value, flavor);
    }

    // Empty when the element has no such qualifier.
    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, TCIMContext) const override {
        return fQualifiers.Find(name);
    }

    void EnumerateQualifiers(ICIMNamedElement::TQualifierCallback callback, TCIMContext) const override {
        fQualifiers.Enumerate(callback);
    }

    boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, bool& found,
                                                  TCIMContext) const override {
        boost::shared_ptr<ICIMQualifier> qualifier = fQualifiers.Find(name);
        found = static_cast<bool>(qualifier);
        return qualifier;
    }

protected:
    // A qualifier this element allocates holds the element weakly through this.
    virtual boost::shared_ptr<ICIMNamedElement const> SelfAsNamedElement() = 0;

private:
    TInmemQualifierTable fQualifiers;
};

}  // namespace NVORNQEL20

#endif
