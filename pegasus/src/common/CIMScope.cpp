#include <Pegasus/Common/CIMScope.h>

#include "NamedBitSet.h"

PEGASUS_NAMESPACE_BEGIN

namespace
{
const BitName SCOPE_NAMES[] = {{0x01, "CLASS"},     {0x02, "ASSOCIATION"}, {0x04, "INDICATION"}, {0x08, "PROPERTY"},
                               {0x10, "REFERENCE"}, {0x20, "METHOD"},      {0x40, "PARAMETER"}};
const NamedBitSet SCOPES(SCOPE_NAMES, "ANY");
}

const CIMScope CIMScope::NONE(0x00);
const CIMScope CIMScope::CLASS(0x01);
const CIMScope CIMScope::ASSOCIATION(0x02);
const CIMScope CIMScope::INDICATION(0x04);
const CIMScope CIMScope::PROPERTY(0x08);
const CIMScope CIMScope::REFERENCE(0x10);
const CIMScope CIMScope::METHOD(0x20);
const CIMScope CIMScope::PARAMETER(0x40);
const CIMScope CIMScope::ANY(0x7F);

Boolean CIMScope::hasScope(const CIMScope& scope) const
{
    return SCOPES.has(_bits, scope._bits);
}

String CIMScope::toString() const
{
    return SCOPES.text(_bits);
}

Boolean operator==(const CIMScope& a, const CIMScope& b)
{
    return a.equal(b);
}

PEGASUS_NAMESPACE_END
