#include "NameCache.h"

#include <utility>

PEGASUS_NAMESPACE_BEGIN

namespace
{
// FNV-1a: names are short, and every byte counts.
size_t hashOf(std::string_view text)
{
    size_t hash = 14695981039346656037ULL;
    for (char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash;
}
}

CIMName NameCache::name(std::string_view text)
{
    if (_slots.empty())
        _slots.resize(FIRST_SLOTS);
    const size_t hash = hashOf(text);
    Slot* slot = find(text, hash);
    if (!slot->name.isNull())
        return slot->name;
    CIMName name{String(std::string(text))};
    if (_used == MAX_NAMES)
        return name;
    slot->name = name;
    slot->hash = hash;
    if (2 * ++_used > _slots.size())
        grow();
    return name;
}

// The slot holding the text, or the free slot where it belongs. The table
// is at most half full, so a free slot is always reached.
NameCache::Slot* NameCache::find(std::string_view text, size_t hash)
{
    const size_t mask = _slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask)
    {
        Slot& slot = _slots[i];
        if (slot.name.isNull() || (slot.hash == hash && slot.name.getString().str() == text))
            return &slot;
    }
}

void NameCache::grow()
{
    std::vector<Slot> old(2 * _slots.size());
    old.swap(_slots);
    for (Slot& slot : old)
        if (!slot.name.isNull())
            *find(slot.name.getString().str(), slot.hash) = std::move(slot);
}

PEGASUS_NAMESPACE_END
