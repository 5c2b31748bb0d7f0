#ifndef Pegasus_BitNames_h
#define Pegasus_BitNames_h

#include <Pegasus/Common/Config.h>
#include <string>

PEGASUS_NAMESPACE_BEGIN

struct BitName
{
    Uint32 bit;
    const char* name;
};

// The names of the bits set in `bits`, in table order, separated by single
// spaces; "" when none is set.
template <size_t N>
std::string namesOfBits(Uint32 bits, const BitName (&table)[N])
{
    std::string out;
    for (const BitName& b : table)
    {
        if (!(bits & b.bit))
            continue;
        if (!out.empty())
            out += ' ';
        out += b.name;
    }
    return out;
}

PEGASUS_NAMESPACE_END

#endif
