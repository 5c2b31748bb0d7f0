#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <libxml/xmlmemory.h>
#include <malloc.h>
#include <new>

namespace
{
std::atomic<size_t> currentBytes{0};
std::atomic<size_t> peakBytes{0};

// Sizes come from malloc itself, so blocks counted here and blocks that
// libxml2 took from malloc before install() can be freed either way.
void* allocate(size_t size)
{
    void* block = std::malloc(size);
    if (!block)
        return nullptr;
    const size_t now = currentBytes.fetch_add(malloc_usable_size(block), std::memory_order_relaxed)
        + malloc_usable_size(block);
    size_t seen = peakBytes.load(std::memory_order_relaxed);
    while (now > seen && !peakBytes.compare_exchange_weak(seen, now, std::memory_order_relaxed))
    {
    }
    return block;
}

void release(void* block)
{
    if (!block)
        return;
    currentBytes.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    std::free(block);
}

void* reallocate(void* block, size_t size)
{
    void* fresh = allocate(size);
    if (block && fresh)
    {
        std::memcpy(fresh, block, std::min(malloc_usable_size(block), size));
        release(block);
    }
    return fresh;
}

char* duplicate(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(allocate(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}
}

void* operator new(size_t size)
{
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new[](size_t size)
{
    return operator new(size);
}

void operator delete(void* pointer) noexcept
{
    release(pointer);
}

void operator delete[](void* pointer) noexcept
{
    release(pointer);
}

void operator delete(void* pointer, size_t) noexcept
{
    release(pointer);
}

void operator delete[](void* pointer, size_t) noexcept
{
    release(pointer);
}

namespace AllocationCounter
{
void install()
{
    xmlMemSetup(release, allocate, reallocate, duplicate);
}

size_t current()
{
    return currentBytes.load();
}

size_t peak()
{
    return peakBytes.load();
}

void resetPeak()
{
    peakBytes = currentBytes.load();
}
}
