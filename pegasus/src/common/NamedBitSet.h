#ifndef Pegasus_NamedBitSet_h
#define Pegasus_NamedBitSet_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/String.h>
#include <cstddef>
#include <string>

PEGASUS_NAMESPACE_BEGIN

struct BitName
{
    Uint32 bit;
    const char* name;
};

// What CIMFlavor and CIMScope have in common: sets of bits that each have
// a name. The table lists the names in the order the text form writes
// them; a set of every bit reads as `allName` when one is given.
template <size_t N>
class NamedBitSet
{
public:
    constexpr NamedBitSet(const BitName (&names)[N], const char* allName = nullptr)
        : _names(names), _allName(allName)
    {
    }

    // True when every bit of `wanted` is set; the empty set is never had.
    static Boolean has(Uint32 bits, Uint32 wanted) { return wanted != 0 && (bits & wanted) == wanted; }

    // The names of the set bits separated by single spaces; "" for none.
    String text(Uint32 bits) const
    {
        if (_allName && bits == all())
            return String(_allName);
        std::string out;
        for (const BitName& b : _names)
        {
            if (!(bits & b.bit))
                continue;
            if (!out.empty())
                out += ' ';
            out += b.name;
        }
        return String(std::move(out));
    }

private:
    Uint32 all() const
    {
        Uint32 bits = 0;
        for (const BitName& b : _names)
            bits |= b.bit;
        return bits;
    }

    const BitName (&_names)[N];
    const char* _allName;
};

PEGASUS_NAMESPACE_END

#endif
