#include <Pegasus/Common/CIMFlavor.h>

#include "NamedBitSet.h"

PEGASUS_NAMESPACE_BEGIN

namespace
{
const BitName FLAVOR_NAMES[] = {{0x01, "OVERRIDABLE"},  {0x02, "TOSUBCLASS"},      {0x04, "TOINSTANCE"},
                                {0x08, "TRANSLATABLE"}, {0x10, "DISABLEOVERRIDE"}, {0x20, "RESTRICTED"}};
const NamedBitSet FLAVORS(FLAVOR_NAMES);
}

const CIMFlavor CIMFlavor::NONE(0x00);
const CIMFlavor CIMFlavor::OVERRIDABLE(0x01);
const CIMFlavor CIMFlavor::ENABLEOVERRIDE(0x01);
const CIMFlavor CIMFlavor::TOSUBCLASS(0x02);
const CIMFlavor CIMFlavor::TOINSTANCE(0x04);
const CIMFlavor CIMFlavor::TRANSLATABLE(0x08);
const CIMFlavor CIMFlavor::DISABLEOVERRIDE(0x10);
const CIMFlavor CIMFlavor::RESTRICTED(0x20);
const CIMFlavor CIMFlavor::DEFAULTS(0x03);

Boolean CIMFlavor::hasFlavor(const CIMFlavor& flavor) const
{
    return FLAVORS.has(_bits, flavor._bits);
}

String CIMFlavor::toString() const
{
    return FLAVORS.text(_bits);
}

Boolean operator==(const CIMFlavor& a, const CIMFlavor& b)
{
    return a.equal(b);
}

PEGASUS_NAMESPACE_END
