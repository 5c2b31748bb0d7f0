#ifndef QEL_ICIMELEMENT_H
#define QEL_ICIMELEMENT_H

#include <qel/TCIMContext.h>

namespace NVORNQEL20 {

// Common root of the schema and instance elements: each can check itself.
class ICIMElement {
public:
    virtual ~ICIMElement() = default;
    // Throws TQELException when the element is not complete or consistent.
    virtual void Validate(TCIMContext context) const = 0;
};

}  // namespace NVORNQEL20

#endif
