#ifndef CIMHTTP_SCHEMA_TCIMHTTPQUALIFIERTABLE_H
#define CIMHTTP_SCHEMA_TCIMHTTPQUALIFIERTABLE_H

#include <map>
#include <string>
#include <utility>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMNamedElement.h>
#include <qel/ICIMQualifier.h>

#include "schema/TCimHTTPQualifier.h"

namespace NVORNQEL20 {

// The qualifiers of one schema element (class, property, method or
// parameter declaration), keyed by normalized name and so visited in the
// order of the lower-cased names. It holds the attachment rule that every
// element applies; the elements differ only in how they report a missing
// qualifier.
class TCimHTTPQualifierTable {
public:
    typedef std::map<std::string, boost::shared_ptr<TCimHTTPQualifier>> TQualifiers;
    typedef std::pair<TQualifiers::const_iterator, bool> TLookup;

    // Attaches a qualifier under its declaration's name: a free name takes
    // it; a stored qualifier whose own flavor enables override is replaced;
    // a stored one of equal value and flavor stays and the new one is
    // dropped; anything else throws status 28 and changes nothing. A
    // qualifier of another implementation is stored as a copy owned by
    // `owner`.
    void Add(boost::shared_ptr<ICIMQualifier> qualifier, TCimHTTPQualifier::TOwner owner);
    // The position of the qualifier and whether it is there.
    TLookup Lookup(const std::string& name) const;
    // Empty when the element has no such qualifier.
    boost::shared_ptr<TCimHTTPQualifier> Find(const std::string& name) const;
    // Status 15 when the element has no qualifier of that name.
    boost::shared_ptr<TCimHTTPQualifier> Get(const std::string& name) const;
    // Status 15 when the element has no qualifier of that name.
    void Remove(const std::string& name);
    // Stops at the first call that returns false.
    void Enumerate(const ICIMNamedElement::TQualifierCallback& callback) const;

private:
    TQualifiers fQualifiers;
};

}  // namespace NVORNQEL20

#endif
