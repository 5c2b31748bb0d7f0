#include <Pegasus/Common/CIMFlavor.h>

#include <string>

PEGASUS_NAMESPACE_BEGIN

namespace
{
struct FlavorName
{
    Uint32 bit;
    const char* name;
};

const FlavorName FLAVOR_NAMES[] = {{0x01, "OVERRIDABLE"},  {0x02, "TOSUBCLASS"},      {0x04, "TOINSTANCE"},
                                   {0x08, "TRANSLATABLE"}, {0x10, "DISABLEOVERRIDE"}, {0x20, "RESTRICTED"}};
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
    return flavor._bits != 0 && (_bits & flavor._bits) == flavor._bits;
}

String CIMFlavor::toString() const
{
    std::string out;
    for (const FlavorName& f : FLAVOR_NAMES)
    {
        if (!(_bits & f.bit))
            continue;
        if (!out.empty())
            out += ' ';
        out += f.name;
    }
    return String(std::move(out));
}

Boolean operator==(const CIMFlavor& a, const CIMFlavor& b)
{
    return a.equal(b);
}

PEGASUS_NAMESPACE_END
