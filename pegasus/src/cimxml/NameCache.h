#ifndef Pegasus_NameCache_h
#define Pegasus_NameCache_h

#include <Pegasus/Common/CIMName.h>
#include <cstddef>
#include <string_view>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// The names in a response (classes, properties, keys) repeat in every
// instance of a class: each distinct text is checked and made a CIMName
// once and found again by its text after that. The table stops taking new
// names at MAX_NAMES, so a server that sends endless distinct names costs
// only the checks.
class NameCache
{
public:
    // Throws InvalidNameException when the text is not a legal name.
    CIMName name(std::string_view text);

private:
    struct Slot
    {
        size_t hash = 0;
        CIMName name;   // null while the slot is free
    };

    static const size_t MAX_NAMES = 1024;
    static const size_t FIRST_SLOTS = 64;

    Slot* find(std::string_view text, size_t hash);
    void grow();

    std::vector<Slot> _slots;
    size_t _used = 0;
};

PEGASUS_NAMESPACE_END

#endif
