#include "TInmemQualifierTable.h"

#include <qel/TCIMName.h>
#include <qel/TQELException.h>

#include "InmemTables.h"

namespace NVORNQEL20 {

namespace {

bool EnablesOverride(const ICIMQualifier& qualifier) {
    return (qualifier.GetFlavor(TCIMContext()) & ICIMQualifierDecl::eFlavorEnableOverride) != 0;
}

bool IsSameUse(const ICIMQualifier& stored, const ICIMQualifier& added) {
    return stored.GetValue(TCIMContext()) == added.GetValue(TCIMContext()) &&
           stored.GetFlavor(TCIMContext()) == added.GetFlavor(TCIMContext());
}

}  // namespace

void TInmemQualifierTable::Add(boost::shared_ptr<ICIMQualifier> qualifier) {
    const std::string& name = qualifier->GetName(TCIMContext());
    const std::string key = TCIMName::Normalize(name);
    auto stored = fQualifiers.find(key);
    if (stored == fQualifiers.end() || EnablesOverride(*stored->second)) {
        fQualifiers[key] = qualifier;
    } else if (!IsSameUse(*stored->second, *qualifier)) {
        throw TQELException(TQELStatusCode::eQualifierConflict,
                            "qualifier " + name + " differs from the one already on the element");
    }
}

boost::shared_ptr<ICIMQualifier> TInmemQualifierTable::Find(const std::string& name) const {
    return InmemTables::FindByName(fQualifiers, name);
}

void TInmemQualifierTable::Enumerate(const ICIMNamedElement::TQualifierCallback& callback) const {
    InmemTables::EnumerateInOrder(fQualifiers, callback);
}

}  // namespace NVORNQEL20
