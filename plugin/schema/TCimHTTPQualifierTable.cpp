#include "schema/TCimHTTPQualifierTable.h"

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <qel/TQELException.h>

#include "namespace/TCimHTTPNamespace.h"
#include "schema/SchemaTables.h"

namespace NVORNQEL20 {

namespace {

bool EnablesOverride(const TCimHTTPQualifier& qualifier)
{
    return (qualifier.GetFlavor(TCIMContext()) & ICIMQualifierDecl::eFlavorEnableOverride) != 0;
}

bool IsSameUse(const TCimHTTPQualifier& stored, const ICIMQualifier& added)
{
    return stored.GetValue(TCIMContext()) == added.GetValue(TCIMContext()) &&
           stored.GetFlavor(TCIMContext()) == added.GetFlavor(TCIMContext());
}

// Only our own qualifiers are stored; another implementation's is copied.
boost::shared_ptr<TCimHTTPQualifier> OwnQualifier(boost::shared_ptr<ICIMQualifier> qualifier,
                                                  TCimHTTPQualifier::TOwner owner)
{
    boost::shared_ptr<TCimHTTPQualifier> own = boost::dynamic_pointer_cast<TCimHTTPQualifier>(qualifier);
    return own ? own : boost::make_shared<TCimHTTPQualifier>(owner, *qualifier);
}

}  // namespace

void TCimHTTPQualifierTable::Add(boost::shared_ptr<ICIMQualifier> qualifier, TCimHTTPQualifier::TOwner owner)
{
    const std::string key = TCimHTTPNamespace::NormalizeName(qualifier->GetName(TCIMContext()));
    auto stored = fQualifiers.find(key);
    if (stored != fQualifiers.end()) {
        if (!EnablesOverride(*stored->second)) {
            if (!IsSameUse(*stored->second, *qualifier))
                throw TQELException(TQELStatusCode::eQualifierConflict,
                                    "qualifier " + qualifier->GetName(TCIMContext()) +
                                        " differs from the one already attached");
            return;
        }
        fQualifiers.erase(stored);
    }
    fQualifiers.emplace(key, OwnQualifier(qualifier, owner));
}

TCimHTTPQualifierTable::TLookup TCimHTTPQualifierTable::Lookup(const std::string& name) const
{
    auto found = fQualifiers.find(TCimHTTPNamespace::NormalizeName(name));
    return TLookup(found, found != fQualifiers.end());
}

boost::shared_ptr<TCimHTTPQualifier> TCimHTTPQualifierTable::Find(const std::string& name) const
{
    const TLookup found = Lookup(name);
    return found.second ? found.first->second : boost::shared_ptr<TCimHTTPQualifier>();
}

boost::shared_ptr<TCimHTTPQualifier> TCimHTTPQualifierTable::Get(const std::string& name) const
{
    const TLookup found = Lookup(name);
    if (!found.second)
        throw TQELException(TQELStatusCode::eNotFound, "qualifier " + name);
    return found.first->second;
}

void TCimHTTPQualifierTable::Remove(const std::string& name)
{
    if (fQualifiers.erase(TCimHTTPNamespace::NormalizeName(name)) == 0)
        throw TQELException(TQELStatusCode::eNotFound, "qualifier " + name);
}

void TCimHTTPQualifierTable::Enumerate(const ICIMNamedElement::TQualifierCallback& callback) const
{
    EnumerateInOrder(fQualifiers, callback);
}

}  // namespace NVORNQEL20
