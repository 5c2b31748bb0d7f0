// The decoder's reading of VALUE text for every CIM type. The first byte
// picks the type (and, with its high bit, a VALUE.ARRAY whose elements
// the rest separates with NUL bytes; an element of one byte 0x01 stands
// for VALUE.NULL). A scalar that parses prints, both as a request carries
// it and as CIMValue::toString() shows it, a text that parses back to the
// same value.

#include "Expect.h"
#include "TypeVisit.h"
#include "ValueFromText.h"
#include "ValueText.h"
#include <Pegasus/Common/Exception.h>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

PEGASUS_USING_PEGASUS;

namespace
{
const int TYPE_COUNT = CIMTYPE_INSTANCE + 1;
const uint8_t ARRAY_BIT = 0x80;

bool hasTextForm(CIMType type)
{
    return type != CIMTYPE_REFERENCE && type != CIMTYPE_OBJECT && type != CIMTYPE_INSTANCE;
}

// Reals must come back exactly; NaN equals NaN here.
template <typename Real>
bool sameReal(const CIMValue& a, const CIMValue& b)
{
    Real x = 0;
    Real y = 0;
    a.get(x);
    b.get(y);
    return x == y || (std::isnan(x) && std::isnan(y));
}

bool sameValue(const CIMValue& a, const CIMValue& b)
{
    if (a.getType() == CIMTYPE_REAL32)
        return sameReal<Real32>(a, b);
    if (a.getType() == CIMTYPE_REAL64)
        return sameReal<Real64>(a, b);
    return a == b;
}

// The text the request encoder writes for a scalar.
std::string encodedText(const CIMValue& value)
{
    std::string text;
    visitCIMType(value.getType(), [&](auto tag) {
        typename decltype(tag)::type x;
        value.get(x);
        ValueText::append(text, x);
    });
    return text;
}

void checkScalar(CIMType type, std::string text)
{
    CIMValue value;
    try
    {
        value = scalarFromText(type, text);
    }
    catch (const CIMClientXmlException&)
    {
        return;
    }
    if (!hasTextForm(type))
        return;
    expect(value.getType() == type && !value.isArray() && !value.isNull(), "a parsed scalar has another type");
    for (std::string printed : {encodedText(value), value.toString().str()})
    {
        const CIMValue again = scalarFromText(type, printed);
        expect(sameValue(value, again), "a printed value parses back to another value");
    }
}

void checkArray(CIMType type, const std::string& text)
{
    std::vector<std::string> items;
    std::vector<bool> nullItems;
    for (size_t begin = 0; begin <= text.size();)
    {
        const size_t end = std::min(text.find('\0', begin), text.size());
        items.push_back(text.substr(begin, end - begin));
        nullItems.push_back(items.back() == "\x01");
        begin = end + 1;
    }
    const size_t count = items.size();
    CIMValue value;
    try
    {
        value = arrayFromText(type, items, nullItems);
    }
    catch (const CIMClientXmlException&)
    {
        return;
    }
    if (!hasTextForm(type))
        return;
    expect(value.isArray() && value.getArraySize() == count, "an array lost or gained elements");
    (void)value.toString();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const CIMType type = static_cast<CIMType>((data[0] & ~ARRAY_BIT) % TYPE_COUNT);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & ARRAY_BIT)
        checkArray(type, text);
    else
        checkScalar(type, text);
    return 0;
}
