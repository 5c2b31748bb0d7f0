#ifndef Pegasus_InternedNames_h
#define Pegasus_InternedNames_h

#include <Pegasus/Common/Config.h>
#include <array>
#include <cstdint>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// What the element and attribute names of a document mean. libxml2 hands
// each name over as a pointer into its dictionary, the same pointer every
// time the name occurs: its meaning is worked out once and kept by that
// pointer. A name that finds no slot within a few probes (a document with
// very many distinct names) is worked out each time instead.
template <class Meaning, Meaning (*meaningOf)(std::string_view)>
class InternedNames
{
public:
    Meaning of(const unsigned char* name)
    {
        size_t slot = (reinterpret_cast<uintptr_t>(name) >> 3) % SLOTS;
        for (size_t probe = 0; probe < MAX_PROBES; ++probe, slot = (slot + 1) % SLOTS)
        {
            Known& known = _known[slot];
            if (known.name == name)
                return known.meaning;
            if (!known.name)
            {
                known = Known{name, meaningOf(reinterpret_cast<const char*>(name))};
                return known.meaning;
            }
        }
        return meaningOf(reinterpret_cast<const char*>(name));
    }

private:
    struct Known
    {
        const unsigned char* name;
        Meaning meaning;
    };

    static constexpr size_t SLOTS = 128;
    static constexpr size_t MAX_PROBES = 8;
    std::array<Known, SLOTS> _known{};
};

PEGASUS_NAMESPACE_END

#endif
