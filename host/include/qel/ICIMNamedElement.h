#ifndef QEL_ICIMNAMEDELEMENT_H
#define QEL_ICIMNAMEDELEMENT_H

#include <string>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include <qel/ICIMQualifierDecl.h>
#include <qel/TCIMContext.h>
#include <qel/TCIMValue.h>

namespace NVORNQEL20 {

class ICIMQualifier;

// An element that carries qualifiers (class, property, method, parameter).
// Qualifier names are case-insensitive.
class ICIMNamedElement {
public:
    typedef boost::function<bool(boost::shared_ptr<ICIMQualifier>)> TQualifierCallback;

    virtual ~ICIMNamedElement() = default;
    // Attaches a qualifier: a new name is added, a stored qualifier whose own
    // flavor enables override is replaced, an equal one (value and flavor) is
    // kept, and any other throws TQELException, status 28.
    virtual void AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext context) = 0;
    // A new qualifier owned by this element, not yet attached.
    virtual boost::shared_ptr<ICIMQualifier> AllocateQualifier(
        boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value,
        TCIMContext context) = 0;
    virtual boost::shared_ptr<ICIMQualifier> AllocateQualifier(
        boost::shared_ptr<ICIMQualifierDecl const> declaration, const TCIMValue& value,
        ICIMQualifierDecl::EFlavor flavor, TCIMContext context) = 0;
    virtual boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name,
                                                          TCIMContext context) const = 0;
    // Calls the callback for each qualifier in name order until it returns false.
    virtual void EnumerateQualifiers(TQualifierCallback callback, TCIMContext context) const = 0;
    virtual boost::shared_ptr<ICIMQualifier> GetQualifier(const std::string& name, bool& found,
                                                          TCIMContext context) const = 0;
};

}  // namespace NVORNQEL20

#endif
