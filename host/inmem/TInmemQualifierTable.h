#ifndef QEL_INMEM_TINMEMQUALIFIERTABLE_H
#define QEL_INMEM_TINMEMQUALIFIERTABLE_H

#include <map>
#include <string>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMNamedElement.h>
#include <qel/ICIMQualifier.h>

namespace NVORNQEL20 {

// The qualifiers of one element by lower-case name, with the attachment rule.
class TInmemQualifierTable {
public:
    // New names are added; a stored qualifier whose flavor enables override
    // is replaced; an equal one (value and flavor) stays; anything else
    // throws TQELException, status 28.
    void Add(boost::shared_ptr<ICIMQualifier> qualifier);
    // Empty when the element has no such qualifier.
    boost::shared_ptr<ICIMQualifier> Find(const std::string& name) const;
    void Enumerate(const ICIMNamedElement::TQualifierCallback& callback) const;

private:
    std::map<std::string, boost::shared_ptr<ICIMQualifier>> fQualifiers;
};

}  // namespace NVORNQEL20

#endif
